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

class HeadlessShortDate final : public ChangedShortDate {
 public:
  HeadlessShortDate(platform::HeadlessLocale& locale, const std::string& format)
      : locale_(locale), old_(locale.Formats()) {
    platform::LocaleFormats changed = old_;
    changed.shortDate = format;
    locale_.SetFormats(changed);
  }
  ~HeadlessShortDate() override { locale_.SetFormats(old_); }
  HeadlessShortDate(const HeadlessShortDate&) = delete;
  HeadlessShortDate& operator=(const HeadlessShortDate&) = delete;

 private:
  platform::HeadlessLocale& locale_;
  platform::LocaleFormats old_;
};

}  // namespace

std::unique_ptr<ChangedShortDate> ChangeUserShortDate(platform::Platform& platform,
                                                      const std::string& format) {
  return std::make_unique<HeadlessShortDate>(Headless(platform).locale(), format);
}

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
