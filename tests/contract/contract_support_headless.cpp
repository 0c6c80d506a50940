// Contract helpers for the headless backend: its test controls.
#ifndef _WIN32

#include <stdexcept>

#include "contract/ContractSupport.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::contract {
namespace {

platform::HeadlessPlatform& Headless(platform::Platform& platform) {
  auto* headless = dynamic_cast<platform::HeadlessPlatform*>(&platform);
  if (headless == nullptr) throw std::logic_error("contract tests expect the headless platform");
  return *headless;
}

class HeadlessHeldFile final : public HeldFile {
 public:
  HeadlessHeldFile(platform::HeadlessProfileFiles& files, std::string path)
      : files_(files), path_(std::move(path)) {
    files_.Lock(path_);
  }
  ~HeadlessHeldFile() override { files_.Unlock(path_); }
  HeadlessHeldFile(const HeadlessHeldFile&) = delete;
  HeadlessHeldFile& operator=(const HeadlessHeldFile&) = delete;

 private:
  platform::HeadlessProfileFiles& files_;
  std::string path_;
};

}  // namespace

std::unique_ptr<HeldFile> HoldFileExclusively(platform::Platform& platform,
                                              const std::string& utf8Path) {
  return std::make_unique<HeadlessHeldFile>(Headless(platform).profileFiles(), utf8Path);
}

// The headless registry lives and dies with its platform object.
void RemoveTestKey(platform::Platform& platform, platform::RegistryRoot, const std::string&) {
  Headless(platform);
}

}  // namespace tandrel::contract

#endif
