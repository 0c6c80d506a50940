// File access, encodings and buffer limits around ProfileDocument.
#include "platform/headless/HeadlessProfileFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/Utf.h"
#include "platform/headless/ProfileDocument.h"

namespace tandrel::platform {
namespace {

namespace fs = std::filesystem;

enum class Encoding { Utf8, Utf8WithMark, Utf16Le };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

struct LoadedFile {
  Encoding encoding = Encoding::Utf8;
  ProfileDocument document;
};

fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string NormalisedKey(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(ToPath(path), error);
  if (error) absolute = ToPath(path);
  const std::u8string text = absolute.lexically_normal().u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

void AppendUtf16Le(std::string& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
}

LoadedFile Decode(std::string_view bytes) {
  LoadedFile file;
  std::vector<ProfileDocument::Line> lines;
  if (bytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
    file.encoding = Encoding::Utf16Le;
    const std::u16string text = DecodeUtf16Le(bytes.substr(kUtf16LeMark.size()));
    for (auto [line, end] : ProfileDocument::SplitLines<char16_t>(text)) {
      lines.push_back({std::u16string(line), std::u16string(end), {}, false});
    }
  } else {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
      file.encoding = Encoding::Utf8WithMark;
      bytes.remove_prefix(kUtf8Mark.size());
    }
    for (auto [line, end] : ProfileDocument::SplitLines<char>(bytes)) {
      lines.push_back({Utf8ToUtf16(line), Utf8ToUtf16(end), std::string(line), false});
    }
  }
  file.document = ProfileDocument(std::move(lines));
  return file;
}

std::string Encode(const LoadedFile& file) {
  std::string out;
  if (file.encoding == Encoding::Utf16Le) {
    out = kUtf16LeMark;
    for (const auto& line : file.document.lines()) {
      AppendUtf16Le(out, line.text);
      AppendUtf16Le(out, line.end);
    }
    return out;
  }
  if (file.encoding == Encoding::Utf8WithMark) out = kUtf8Mark;
  for (const auto& line : file.document.lines()) {
    out += line.changed ? Utf16ToUtf8(line.text) : line.original;
    out += Utf16ToUtf8(line.end);
  }
  return out;
}

// Cuts to what a buffer of bufferSize UTF-16 units holds with its
// terminating zero.
std::string Truncated(std::u16string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return Utf16ToUtf8(text.substr(0, bufferSize - 1));
}

}  // namespace

std::string HeadlessProfileFiles::ReadString(const std::string& path, const std::string& section,
                                             const std::string& key,
                                             const std::string& defaultValue,
                                             std::size_t bufferSize) {
  std::optional<std::u16string> value;
  if (!IsLocked(path)) {
    if (const auto bytes = ReadBytes(ToPath(path))) {
      value = Decode(*bytes).document.Find(Utf8ToUtf16(section), Utf8ToUtf16(key));
    }
  }
  if (!value) {
    // The default loses its trailing spaces (only spaces, and never its
    // first character) and enclosing quotes; leading blanks stay.
    std::u16string fallback = Utf8ToUtf16(defaultValue);
    while (fallback.size() > 1 && fallback.back() == u' ') fallback.pop_back();
    if (fallback.size() >= 2 && (fallback.front() == u'"' || fallback.front() == u'\'') &&
        fallback.back() == fallback.front()) {
      fallback = fallback.substr(1, fallback.size() - 2);
    }
    value = std::move(fallback);
  }
  return Truncated(*value, bufferSize);
}

bool HeadlessProfileFiles::WriteString(const std::string& path, const std::string& section,
                                       const std::string& key, const std::string& value) {
  if (IsLocked(path)) return false;
  const fs::path file = ToPath(path);
  std::error_code error;
  if (fs::exists(file, error) && !fs::is_regular_file(file, error)) return false;
  LoadedFile loaded;
  if (const auto bytes = ReadBytes(file)) loaded = Decode(*bytes);
  loaded.document.Set(Utf8ToUtf16(section), Utf8ToUtf16(key), Utf8ToUtf16(value));
  const std::string out = Encode(loaded);
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  if (!stream) return false;
  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
  stream.flush();
  return static_cast<bool>(stream);
}

void HeadlessProfileFiles::Lock(const std::string& path) {
  std::lock_guard guard(lock_);
  lockedPaths_.insert(NormalisedKey(path));
}

void HeadlessProfileFiles::Unlock(const std::string& path) {
  std::lock_guard guard(lock_);
  lockedPaths_.erase(NormalisedKey(path));
}

bool HeadlessProfileFiles::IsLocked(const std::string& path) {
  std::lock_guard guard(lock_);
  return lockedPaths_.count(NormalisedKey(path)) == 1;
}

}  // namespace tandrel::platform
