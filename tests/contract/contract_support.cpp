// Backend-neutral parts of the contract helpers.
#include "contract/ContractSupport.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tandrel::contract {
namespace {

std::filesystem::path ToPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

std::string UniqueName(const std::string& stem) {
  static std::mt19937_64 generator{std::random_device{}()};
  return stem + std::to_string(generator());
}

TempFolder::TempFolder()
    : path_(std::filesystem::temp_directory_path() / ToPath(UniqueName("tandrel-contract-"))) {
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::PathOf(const std::string& name) const {
  const std::u8string text = (path_ / ToPath(name)).u8string();
  return std::string(text.begin(), text.end());
}

void WriteFileBytes(const std::string& utf8Path, const std::string& bytes) {
  std::ofstream out(ToPath(utf8Path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write fixture " + utf8Path);
}

std::string ReadFileBytes(const std::string& utf8Path) {
  std::ifstream in(ToPath(utf8Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& utf8Path) {
  std::error_code ignored;
  return std::filesystem::exists(ToPath(utf8Path), ignored);
}

}  // namespace tandrel::contract
