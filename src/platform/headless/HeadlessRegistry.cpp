// In-memory registry keys. Open key handles share the registry's state, so
// a handle still works (against the same data) whichever order things are
// destroyed in.
#include "platform/headless/HeadlessRegistry.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tandrel::platform {
namespace {

// Rights that change the key or its values; a protected key grants none.
constexpr std::uint32_t kWriteRights = 0x0002 /*KEY_SET_VALUE*/ | 0x0004 /*KEY_CREATE_SUB_KEY*/ |
                                       0x0020 /*KEY_CREATE_LINK*/ | 0x00010000 /*DELETE*/ |
                                       0x00040000 /*WRITE_DAC*/ | 0x00080000 /*WRITE_OWNER*/;

std::string Fold(const std::string& text) {
  std::string folded = text;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

// Canonical key identity: root plus the lower-cased path without empty
// components ("a\\\\b\\" and "A\\b" are the same key).
std::string KeyId(RegistryRoot root, const std::string& path) {
  std::string id = root == RegistryRoot::CurrentUser ? "hkcu" : "hklm";
  std::string component;
  for (char c : path + "\\") {
    if (c == '\\') {
      if (!component.empty()) id += "\\" + Fold(component);
      component.clear();
    } else {
      component += c;
    }
  }
  return id;
}

bool IsWithin(const std::string& keyId, const std::string& branchId) {
  return keyId == branchId ||
         (keyId.size() > branchId.size() && keyId.compare(0, branchId.size(), branchId) == 0 &&
          keyId[branchId.size()] == '\\');
}

}  // namespace

struct HeadlessRegistry::State {
  struct Value {
    std::string name;  // as first written
    std::variant<std::string, std::uint32_t> data;
  };
  struct Key {
    std::map<std::string, Value> values;  // by folded name
  };
  std::map<std::string, Key> keys;  // by KeyId
  std::set<std::string> protectedBranches;

  bool IsProtected(const std::string& keyId) const {
    return std::any_of(protectedBranches.begin(), protectedBranches.end(),
                       [&](const std::string& branch) { return IsWithin(keyId, branch); });
  }
  Key* Find(const std::string& keyId) {
    auto it = keys.find(keyId);
    return it == keys.end() ? nullptr : &it->second;
  }
  // Creates the key and every missing parent, as RegCreateKeyEx does.
  Key& Create(const std::string& keyId) {
    for (std::size_t pos = keyId.find('\\'); pos != std::string::npos;
         pos = keyId.find('\\', pos + 1)) {
      keys.try_emplace(keyId.substr(0, pos));
    }
    return keys[keyId];
  }
};

namespace {

class HeadlessRegistryKey final : public RegistryKey {
 public:
  HeadlessRegistryKey(std::shared_ptr<HeadlessRegistry::State> state, std::string keyId,
                      std::uint32_t access)
      : state_(std::move(state)), keyId_(std::move(keyId)), access_(access) {}
  HeadlessRegistryKey(const HeadlessRegistryKey&) = delete;
  HeadlessRegistryKey& operator=(const HeadlessRegistryKey&) = delete;

  bool WriteString(const std::string& name, const std::string& value) override {
    HeadlessRegistry::State::Key* key = WritableKey();
    if (key == nullptr) return false;
    auto [it, inserted] = key->values.try_emplace(Fold(name));
    if (inserted) it->second.name = name;
    it->second.data = value;
    return true;
  }

  std::optional<std::string> ReadString(const std::string& name) override {
    if ((access_ & 0x0001 /*KEY_QUERY_VALUE*/) == 0) return std::nullopt;
    HeadlessRegistry::State::Key* key = state_->Find(keyId_);
    if (key == nullptr) return std::nullopt;
    auto it = key->values.find(Fold(name));
    if (it == key->values.end()) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&it->second.data)) return *text;
    return std::nullopt;
  }

  bool DeleteValue(const std::string& name) override {
    HeadlessRegistry::State::Key* key = WritableKey();
    return key != nullptr && key->values.erase(Fold(name)) == 1;
  }

 private:
  HeadlessRegistry::State::Key* WritableKey() {
    if ((access_ & 0x0002 /*KEY_SET_VALUE*/) == 0 || state_->IsProtected(keyId_)) return nullptr;
    return state_->Find(keyId_);
  }

  std::shared_ptr<HeadlessRegistry::State> state_;
  std::string keyId_;
  std::uint32_t access_;
};

}  // namespace

HeadlessRegistry::HeadlessRegistry() : state_(std::make_shared<State>()) {}
HeadlessRegistry::~HeadlessRegistry() = default;

std::unique_ptr<RegistryKey> HeadlessRegistry::OpenKey(RegistryRoot root,
                                                       const std::string& path,
                                                       std::uint32_t access, bool create) {
  const std::string id = KeyId(root, path);
  const bool exists = state_->Find(id) != nullptr;
  if (state_->IsProtected(id) && ((access & kWriteRights) != 0 || (create && !exists))) {
    return nullptr;
  }
  if (!exists) {
    if (!create) return nullptr;
    state_->Create(id);
  }
  return std::make_unique<HeadlessRegistryKey>(state_, id, access);
}

bool HeadlessRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
  return state_->Find(KeyId(root, path)) != nullptr;
}

std::optional<std::string> HeadlessRegistry::Value(RegistryRoot root, const std::string& path,
                                                   const std::string& name) const {
  State::Key* key = state_->Find(KeyId(root, path));
  if (key == nullptr) return std::nullopt;
  auto it = key->values.find(Fold(name));
  if (it == key->values.end()) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&it->second.data)) return *text;
  return std::nullopt;
}

bool HeadlessRegistry::HasValue(RegistryRoot root, const std::string& path,
                                const std::string& name) const {
  State::Key* key = state_->Find(KeyId(root, path));
  return key != nullptr && key->values.count(Fold(name)) == 1;
}

void HeadlessRegistry::SetValue(RegistryRoot root, const std::string& path,
                                const std::string& name, const std::string& value) {
  State::Value& stored = state_->Create(KeyId(root, path)).values[Fold(name)];
  stored.name = name;
  stored.data = value;
}

void HeadlessRegistry::SetDwordValue(RegistryRoot root, const std::string& path,
                                     const std::string& name, std::uint32_t value) {
  State::Value& stored = state_->Create(KeyId(root, path)).values[Fold(name)];
  stored.name = name;
  stored.data = value;
}

void HeadlessRegistry::Protect(RegistryRoot root, const std::string& path) {
  state_->protectedBranches.insert(KeyId(root, path));
}

void HeadlessRegistry::Unprotect(RegistryRoot root, const std::string& path) {
  state_->protectedBranches.erase(KeyId(root, path));
}

}  // namespace tandrel::platform
