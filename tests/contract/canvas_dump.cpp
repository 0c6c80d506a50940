// PPM dumps of contract drawings and their comparison with a reference run.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "contract/CanvasDump.h"

namespace tandrel::contract {
namespace {

// A folder named by an environment variable; a Unix path seen from a
// Windows program under Wine is reached through drive Z:.
std::string FolderFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return {};
  std::string folder = value;
#ifdef _WIN32
  if (folder.front() == '/') folder = "Z:" + folder;
#endif
  return folder;
}

}  // namespace

TColor DevicePixel(platform::Surface& surface, int x, int y) {
  const int saved = surface.SaveState();
  surface.RemoveClip();
  surface.SetViewportOrigin(TPoint{0, 0});
  const TColor pixel = surface.GetPixelAt(x, y);
  surface.RestoreState(saved);
  return pixel;
}

std::string EncodePpm(platform::Surface& surface) {
  const int width = surface.SurfaceWidth();
  const int height = surface.SurfaceHeight();
  std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  const int saved = surface.SaveState();
  surface.RemoveClip();
  surface.SetViewportOrigin(TPoint{0, 0});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const TColor c = surface.GetPixelAt(x, y);
      out += static_cast<char>(GetRValue(c));
      out += static_cast<char>(GetGValue(c));
      out += static_cast<char>(GetBValue(c));
    }
  }
  surface.RestoreState(saved);
  return out;
}

bool ReferencePicturesMissing() {
  const std::string folder = FolderFromEnvironment("TANDREL_CANVAS_REFERENCE_DIR");
  std::error_code error;
  return !folder.empty() && !std::filesystem::is_directory(std::filesystem::u8path(folder), error);
}

bool DumpAndCompare(platform::Surface& surface, const std::string& name, std::string& problem) {
  const std::string picture = EncodePpm(surface);
  const std::string dumpFolder = FolderFromEnvironment("TANDREL_CANVAS_DUMP_DIR");
  if (!dumpFolder.empty()) {
    std::error_code ignored;  // a parallel run may create it at the same time
    std::filesystem::create_directories(std::filesystem::u8path(dumpFolder), ignored);
    std::ofstream file(std::filesystem::u8path(dumpFolder + "/" + name + ".ppm"),
                       std::ios::binary | std::ios::trunc);
    file << picture;
    if (!file) {
      problem = "cannot write " + dumpFolder + "/" + name + ".ppm";
      return false;
    }
  }
  const std::string referenceFolder = FolderFromEnvironment("TANDREL_CANVAS_REFERENCE_DIR");
  if (referenceFolder.empty() || ReferencePicturesMissing()) return true;
  std::ifstream file(std::filesystem::u8path(referenceFolder + "/" + name + ".ppm"),
                     std::ios::binary);
  if (!file) {
    problem = "no reference picture " + referenceFolder + "/" + name + ".ppm";
    return false;
  }
  const std::string reference((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
  if (reference == picture) return true;
  std::ostringstream why;
  why << name << ".ppm differs from the reference";
  const std::size_t header = picture.size() - 3u * static_cast<std::size_t>(surface.SurfaceWidth()) *
                                                  static_cast<std::size_t>(surface.SurfaceHeight());
  if (reference.size() == picture.size()) {
    int shown = 0;
    for (std::size_t i = header; i < picture.size() && shown < 12; i += 3) {
      if (picture.compare(i, 3, reference, i, 3) != 0) {
        const std::size_t pixel = (i - header) / 3;
        why << "; pixel (" << pixel % static_cast<std::size_t>(surface.SurfaceWidth()) << ","
            << pixel / static_cast<std::size_t>(surface.SurfaceWidth()) << ")";
        ++shown;
      }
    }
  } else {
    why << " in size";
  }
  problem = why.str();
  return false;
}

}  // namespace tandrel::contract
