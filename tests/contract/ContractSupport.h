// Helpers shared by the contract suites. The same source runs against both
// backends; what cannot be said through the platform seam (holding a file
// open without sharing, removing a test key) has one implementation per
// backend in contract_support_headless.cpp and contract_support_win32.cpp.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace tandrel::contract {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // UTF-8 path of `name` inside the folder, as the seam takes paths.
  std::string PathOf(const std::string& name) const;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Whole-file access to fixture files, byte for byte.
void WriteFileBytes(const std::string& utf8Path, const std::string& bytes);
std::string ReadFileBytes(const std::string& utf8Path);
bool FileExists(const std::string& utf8Path);

// A name no other run uses, for mutexes and registry keys.
std::string UniqueName(const std::string& stem);

// Another program holding the file open with no sharing, until destroyed.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
};
std::unique_ptr<HeldFile> HoldFileExclusively(platform::Platform& platform,
                                              const std::string& utf8Path);

// The user's short date format changed as the regional settings would
// change it, until the object goes (the old one comes back then).
class ChangedShortDate {
 public:
  virtual ~ChangedShortDate() = default;
};
std::unique_ptr<ChangedShortDate> ChangeUserShortDate(platform::Platform& platform,
                                                      const std::string& format);

// Removes a key made by a test, with everything below it.
void RemoveTestKey(platform::Platform& platform, platform::RegistryRoot root,
                   const std::string& path);

}  // namespace tandrel::contract
