// Profile files as real files on disk, read and written by the rules of the
// Windows profile functions (see ProfileDocument.h).
//
// Encoding: a file that starts with a UTF-16LE byte-order mark is read and
// written as UTF-16LE; any other file is read as UTF-8 (a UTF-8 mark is
// skipped and kept). New files are written as UTF-8 without a mark, where
// Windows would use the ANSI code page; only the profile functions ever read
// these files, so the difference shows only in the bytes. Lines the write
// does not touch keep their bytes, also bytes that are not UTF-8.
#pragma once

#include <mutex>
#include <set>
#include <string>

#include "platform/ProfileFiles.h"

namespace tandrel::platform {

class HeadlessProfileFiles final : public ProfileFiles {
 public:
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue,
                         std::size_t bufferSize) override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;

  // Simulates another program holding the file open without sharing: reads
  // see the default and writes are refused until Unlock.
  void Lock(const std::string& path);
  void Unlock(const std::string& path);

 private:
  bool IsLocked(const std::string& path);

  std::mutex lock_;
  std::set<std::string> lockedPaths_;  // normalised absolute paths
};

}  // namespace tandrel::platform
