// A whole settings file of any content: written as Tandrel.ini beside the
// executable, the program started on the headless platform (both windows
// created, the main one shown and activated), Start pressed and a few
// seconds of ticks run. Nothing may crash or escape, and afterwards every
// setting the window holds is a value of its kind that agrees with the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

#include "app/UnitFormTandrel.h"
#include "app/UnitFormWarn.h"
#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "framework/StoredValues.h"
#include "unit/support/HeadlessApp.h"

namespace {

using namespace tandrel;

void Check(bool condition) {
  if (!condition) std::abort();
}

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("tandrel-settings-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

std::string Stored(const std::string& section, const std::string& key, const char* absent) {
  return platform::Current().profileFiles().ReadString((Folder() / "Tandrel.ini").string(),
                                                       section, key, absent, 2048);
}

// The window's live copy of each setting is a value of its kind, and the
// file, read as the program reads it, gives the same value.
void CheckSettings(const TFormTandrel& form) {
  const platform::LocaleFormats& formats = platform::Current().locale().Formats();
  Check(!form.FLoading);
  Check(TryStrToDate(form.FDateText, formats).has_value());
  Check(TryStrToTime(form.FTimeText, formats).has_value());
  Check(form.FAutoRun == ReadStoredBool(Stored("CB", "AutoRun", ""), false));
  Check(form.FAtSetTime == ReadStoredBool(Stored("CB", "RBFS", ""), true));
  Check(form.FRepeatRun == ReadStoredBool(Stored("CB", "CBCF", ""), false));
  Check(form.FWarn == ReadStoredBool(Stored("CB", "Warn", ""), false));
  // Minutes outside the field's range are clamped on load; the file keeps its text.
  const std::int32_t storedMinutes = ReadStoredInteger(Stored("Set", "FZ", ""), 30);
  Check(form.FMinutes == std::clamp<std::int32_t>(storedMinutes, 1, 10000));
  Check(form.FAction == ReadStoredInteger(Stored("Set", "SD", ""), 1));
  // A stored date or time, once the program has started, is readable.
  const std::string date = Stored("Set", "RQ", "");
  const std::string time = Stored("Set", "SJ", "");
  Check(date.empty() || TryStrToDate(date, formats).has_value());
  Check(time.empty() || TryStrToTime(time, formats).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    // A fresh file rather than a truncated one: ext4 flushes a file to disk
    // when it is truncated and written again, which cost more than the run.
    std::error_code ignored;
    std::filesystem::remove(Folder() / "Tandrel.ini", ignored);
    std::ofstream out(Folder() / "Tandrel.ini", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  {
    testing::HeadlessApp env;
    env.platform().process().SetExecutablePath((Folder() / "Tandrel.exe").string());
    env.clock().Set(platform::LocalTime{2026, 3, 10, 10, 0, 0, 250});
    env.app().CreateForm(FormTandrel);
    env.app().CreateForm(FormWarn);
    env.app().Run();
    try {
      FormTandrel->BTNStart->Click();
    } catch (const tandrel::Exception&) {
      // What a user's click would show in the error box; only the
      // framework's own errors may come this far.
    }
    for (int tick = 0; tick < 3; ++tick) env.windows().AdvanceIdle(1000);
    CheckSettings(*FormTandrel);
    FormTandrel = nullptr;
    FormWarn = nullptr;
  }
  return 0;
}
