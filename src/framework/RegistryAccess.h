// TRegistry: one open registry key at a time under a root, with string values.
// Key paths use "\" between names; a path that starts with "\" is taken from
// the root, any other path from the open key (or the root when none is open).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"

namespace tandrel {

class TRegistry {
 public:
  // The installed platform's registry, or the one given; root CurrentUser.
  explicit TRegistry(std::uint32_t access = platform::kKeyAllAccess);
  TRegistry(platform::Registry& registry, std::uint32_t access = platform::kKeyAllAccess);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  platform::RegistryRoot RootKey() const { return root_; }
  // Closes the open key when the root changes.
  void SetRootKey(platform::RegistryRoot root);
  std::uint32_t Access() const { return access_; }
  void SetAccess(std::uint32_t access) { access_ = access; }

  // Closes the open key, then opens (with canCreate, creates) the path with
  // the access mask. False when refused or missing; no key is open then.
  bool OpenKey(const std::string& key, bool canCreate);
  // The same with read access only, whatever Access() is.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool HasOpenKey() const { return key_ != nullptr; }
  // The open key's path from the root, without a leading "\".
  const std::string& CurrentPath() const { return currentPath_; }

  // Raises ERegistryException "Failed to set data for '<name>'" when no key
  // is open or the write is refused.
  void WriteString(const std::string& name, const std::string& value);
  // Empty when no key is open or the value is missing.
  std::string ReadString(const std::string& name);
  bool ValueExists(const std::string& name);
  // False when no key is open, the value is missing or the delete refused.
  bool DeleteValue(const std::string& name);

 private:
  bool Open(const std::string& key, std::uint32_t access, bool canCreate);

  platform::Registry& registry_;  // not owned
  platform::RegistryRoot root_ = platform::RegistryRoot::CurrentUser;
  std::uint32_t access_;
  std::unique_ptr<platform::RegistryKey> key_;
  std::string currentPath_;
};

}  // namespace tandrel
