// The registry: keys opened with an access mask, string values. A key is an
// owning handle and closes when destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tandrel::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Access masks as Windows defines them.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // REG_SZ value; false when refused.
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
  // Empty when the value is missing or is not a string.
  virtual std::optional<std::string> ReadString(const std::string& name) = 0;
  // False when the value is missing or the delete was refused.
  virtual bool DeleteValue(const std::string& name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens (or, with create, creates) root\path with the access mask; null when
  // refused or missing.
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                               std::uint32_t access, bool create) = 0;
};

}  // namespace tandrel::platform
