// A profile (INI) file, read and written one value per call through the
// platform's profile functions: nothing is cached, every write is on disk
// when the call returns.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ProfileFiles.h"

namespace tandrel {

class TIniFile {
 public:
  // Texts are read through a buffer of this many characters.
  static constexpr std::size_t kReadBufferSize = 2048;

  // fileName as given (the program passes a full path); the profile functions
  // of the installed platform, or the ones given.
  explicit TIniFile(std::string fileName);
  TIniFile(std::string fileName, platform::ProfileFiles& files);

  const std::string& FileName() const { return fileName_; }

  // At most kReadBufferSize - 1 characters of the value; the default when
  // the file, section or key is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue);
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);

  // A refused write raises EIniFileException "Unable to write to <file>".
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  std::string fileName_;
  platform::ProfileFiles& files_;  // not owned
};

}  // namespace tandrel
