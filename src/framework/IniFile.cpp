// INI file access over the platform's profile functions.
#include "framework/IniFile.h"

#include "framework/Exceptions.h"
#include "framework/StoredValues.h"
#include "platform/Platform.h"

namespace tandrel {

TIniFile::TIniFile(std::string fileName)
    : TIniFile(std::move(fileName), platform::Current().profileFiles()) {}

TIniFile::TIniFile(std::string fileName, platform::ProfileFiles& files)
    : fileName_(std::move(fileName)), files_(files) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
  return files_.ReadString(fileName_, section, key, defaultValue, kReadBufferSize);
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) {
  return ReadStoredInteger(ReadString(section, key, ""), defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadStoredBool(ReadString(section, key, ""), defaultValue);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (!files_.WriteString(fileName_, section, key, value)) {
    throw EIniFileException("Unable to write to " + fileName_);
  }
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
  WriteString(section, key, StoredIntegerText(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, StoredBoolText(value));
}

}  // namespace tandrel
