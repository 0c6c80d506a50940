#include "platform/headless/HeadlessPower.h"

#include <cstdio>

namespace tandrel::platform {
namespace {

class RecordingToken : public ProcessToken {
 public:
  explicit RecordingToken(HeadlessPower& power) : power_(power) {}
  ~RecordingToken() override { power_.calls.push_back("CloseToken"); }
  RecordingToken(const RecordingToken&) = delete;
  RecordingToken& operator=(const RecordingToken&) = delete;

  AdjustResult AdjustPrivilege(const Luid& luid, std::uint32_t attributes) override {
    power_.calls.push_back("AdjustTokenPrivileges(" + std::to_string(luid.lowPart) + "," +
                           std::to_string(attributes) + ")");
    // Like Windows: the call "succeeds" even when the privilege was not
    // assigned; only the last-error code tells.
    return AdjustResult{true, power_.adjustLastError};
  }

 private:
  HeadlessPower& power_;
};

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

std::unique_ptr<ProcessToken> HeadlessPower::OpenProcessToken(std::uint32_t access) {
  calls.push_back("OpenProcessToken(" + Hex(access) + ")");
  if (!tokenOpens) return nullptr;
  return std::make_unique<RecordingToken>(*this);
}

std::optional<Luid> HeadlessPower::LookupPrivilege(const std::string& name) {
  calls.push_back("LookupPrivilegeValue(" + name + ")");
  // Windows looks privilege names up without regard to case.
  static constexpr char kShutdown[] = "seshutdownprivilege";
  bool same = name.size() == sizeof kShutdown - 1;
  for (std::size_t i = 0; same && i < name.size(); ++i) {
    const char c = name[i];
    same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == kShutdown[i];
  }
  if (!privilegeKnown || !same) return std::nullopt;
  return kShutdownLuid;
}

bool HeadlessPower::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  calls.push_back("ExitWindowsEx(" + std::to_string(flags) + "," + std::to_string(reason) + ")");
  return exitSucceeds;
}

bool HeadlessPower::SetSystemPowerState(bool suspend, bool force) {
  calls.push_back("SetSystemPowerState(" + std::to_string(suspend ? 1 : 0) + "," +
                  std::to_string(force ? 1 : 0) + ")");
  return powerStateSucceeds;
}

}  // namespace tandrel::platform
