// An in-memory registry. Key paths and value names are case-insensitive, as
// in Windows. Tests seed and inspect it directly and can protect a branch so
// that opening it for writing is refused, as for a user without rights.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>

#include "platform/Registry.h"

namespace tandrel::platform {

class HeadlessRegistry final : public Registry {
 public:
  HeadlessRegistry();
  ~HeadlessRegistry() override;
  HeadlessRegistry(const HeadlessRegistry&) = delete;
  HeadlessRegistry& operator=(const HeadlessRegistry&) = delete;

  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       std::uint32_t access, bool create) override;

  // Test controls and inspection. Paths are written as to OpenKey.
  bool KeyExists(RegistryRoot root, const std::string& path) const;
  // The string value, or empty when the key or value is missing or the
  // value is not a string.
  std::optional<std::string> Value(RegistryRoot root, const std::string& path,
                                   const std::string& name) const;
  bool HasValue(RegistryRoot root, const std::string& path, const std::string& name) const;
  // Seeds a value, creating the key (and its parents) as needed.
  void SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                const std::string& value);
  void SetDwordValue(RegistryRoot root, const std::string& path, const std::string& name,
                     std::uint32_t value);
  // From now on the key and every key below it refuse any open that asks
  // for more than read access (and any create), and handles already open
  // on them refuse writes and deletes.
  void Protect(RegistryRoot root, const std::string& path);
  void Unprotect(RegistryRoot root, const std::string& path);

  struct State;

 private:
  std::shared_ptr<State> state_;  // shared with open keys, which may outlive a lookup
};

}  // namespace tandrel::platform
