// Registry access over the platform's registry keys.
#include "framework/RegistryAccess.h"

#include "framework/Exceptions.h"
#include "platform/Platform.h"

namespace tandrel {

TRegistry::TRegistry(std::uint32_t access) : TRegistry(platform::Current().registry(), access) {}

TRegistry::TRegistry(platform::Registry& registry, std::uint32_t access)
    : registry_(registry), access_(access) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(platform::RegistryRoot root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::Open(const std::string& key, std::uint32_t access, bool canCreate) {
  std::string path;
  if (!key.empty() && key.front() == '\\') {
    path = key.substr(1);
  } else if (key_ != nullptr && !currentPath_.empty()) {
    path = key.empty() ? currentPath_ : currentPath_ + "\\" + key;
  } else {
    path = key;
  }
  CloseKey();
  key_ = registry_.OpenKey(root_, path, access, canCreate);
  if (key_ == nullptr) return false;
  currentPath_ = std::move(path);
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  return Open(key, access_, canCreate);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  return Open(key, platform::kKeyRead, false);
}

void TRegistry::CloseKey() {
  key_.reset();
  currentPath_.clear();
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (key_ == nullptr || !key_->WriteString(name, value)) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}

std::string TRegistry::ReadString(const std::string& name) {
  if (key_ == nullptr) return {};
  return key_->ReadString(name).value_or(std::string());
}

bool TRegistry::ValueExists(const std::string& name) {
  return key_ != nullptr && key_->ReadString(name).has_value();
}

bool TRegistry::DeleteValue(const std::string& name) {
  return key_ != nullptr && key_->DeleteValue(name);
}

}  // namespace tandrel
