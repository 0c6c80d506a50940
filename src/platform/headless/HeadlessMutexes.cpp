// The process-wide name table behind the headless named mutexes. Names are
// case-sensitive, as Windows object names are. An unnamed mutex (empty name)
// is never shared.
#include "platform/headless/HeadlessMutexes.h"

#include <map>
#include <mutex>

namespace tandrel::platform {
namespace {

struct NameEntry {
  int handles = 0;
  int releases = 0;
};

struct NameTable {
  std::mutex lock;
  std::map<std::string, NameEntry> names;
};

NameTable& Table() {
  static NameTable table;
  return table;
}

bool IsValidName(const std::string& name) {
  std::string_view rest = name;
  for (std::string_view prefix : {"Global\\", "Local\\"}) {
    if (rest.substr(0, prefix.size()) == prefix) {
      rest.remove_prefix(prefix.size());
      break;
    }
  }
  return rest.find('\\') == std::string_view::npos;
}

class HeadlessNamedMutex final : public NamedMutex {
 public:
  HeadlessNamedMutex(std::string name, bool alreadyExisted)
      : name_(std::move(name)), alreadyExisted_(alreadyExisted) {}
  HeadlessNamedMutex(const HeadlessNamedMutex&) = delete;
  HeadlessNamedMutex& operator=(const HeadlessNamedMutex&) = delete;

  ~HeadlessNamedMutex() override {
    if (name_.empty()) return;
    NameTable& table = Table();
    std::lock_guard guard(table.lock);
    auto it = table.names.find(name_);
    if (it != table.names.end() && --it->second.handles == 0) table.names.erase(it);
  }

  bool AlreadyExisted() const override { return alreadyExisted_; }

  void Release() override {
    if (name_.empty()) return;
    NameTable& table = Table();
    std::lock_guard guard(table.lock);
    auto it = table.names.find(name_);
    if (it != table.names.end()) ++it->second.releases;
  }

 private:
  std::string name_;
  bool alreadyExisted_;
};

}  // namespace

std::unique_ptr<NamedMutex> HeadlessMutexes::Create(const std::string& name) {
  if (!IsValidName(name)) return nullptr;
  if (name.empty()) return std::make_unique<HeadlessNamedMutex>(name, false);
  NameTable& table = Table();
  std::lock_guard guard(table.lock);
  NameEntry& entry = table.names[name];
  const bool existed = entry.handles > 0;
  ++entry.handles;
  return std::make_unique<HeadlessNamedMutex>(name, existed);
}

int HeadlessMutexes::OpenHandles(const std::string& name) {
  NameTable& table = Table();
  std::lock_guard guard(table.lock);
  auto it = table.names.find(name);
  return it == table.names.end() ? 0 : it->second.handles;
}

int HeadlessMutexes::Releases(const std::string& name) {
  NameTable& table = Table();
  std::lock_guard guard(table.lock);
  auto it = table.names.find(name);
  return it == table.names.end() ? 0 : it->second.releases;
}

}  // namespace tandrel::platform
