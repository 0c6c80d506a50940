// Settings files of any content: generated files of sections, keys and
// values of every kind (garbage bytes, huge numbers, duplicates, very long
// lines) never stop the start, always leave readable date and time texts,
// tell an unreadable one once and never change any setting other than a
// repaired date or time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "framework/DateTimeText.h"
#include "framework/StoredValues.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

using FormTandrelHostileSettings = FormTandrelFixture;

std::string RandomValue(std::mt19937& random) {
  static const std::vector<std::string> kinds = {
      "1", "0", "5", "-7", "2147483648", "99999999999999999999", "0x1E", "0X", "$1F", "abc", "",
      "2026/3/9", "2026/3/10", "2026/3/11", "2026/2/30", "10:00:00", "09:59:59", "25:00:00",
      "23:59:59", "\"2026/3/12\"", " 7 ", "\x1a", "\xff\xfe", "\xe5\x85\xb3\xe6\x9c\xba",
  };
  std::string value = kinds[random() % kinds.size()];
  if (random() % 8 == 0) value += std::string(random() % 4000, static_cast<char>('0' + random() % 10));
  if (random() % 10 == 0) value += std::string(1, static_cast<char>(random() % 256));
  return value;
}

std::string RandomFile(std::mt19937& random) {
  static const std::vector<std::string> sections = {"[CB]", "[Set]", "[cb]", "[SET]", "[Other]",
                                                    "[CB", "[]", "[ Set ]"};
  static const std::vector<std::string> keys = {"AutoRun", "RBFS", "CBCF", "Warn", "RQ", "SJ",
                                                "FZ",      "SD",   "sd",   "Rq", "X", ""};
  std::string file;
  const int lines = static_cast<int>(random() % 24);
  for (int i = 0; i < lines; ++i) {
    switch (random() % 6) {
      case 0: file += sections[random() % sections.size()]; break;
      case 5: {
        const int n = static_cast<int>(random() % 40);
        for (int j = 0; j < n; ++j) file += static_cast<char>(random() % 256);
        break;
      }
      default: file += keys[random() % keys.size()] + "=" + RandomValue(random); break;
    }
    file += random() % 3 == 0 ? "\n" : "\r\n";
  }
  return file;
}

TEST_F(FormTandrelHostileSettings, AnyFileStartsCompletelyAndKeepsEveryOtherSetting) {
  std::mt19937 random(20261208);
  const std::vector<std::pair<std::string, std::string>> kept = {
      {"CB", "AutoRun"}, {"CB", "RBFS"}, {"CB", "CBCF"}, {"CB", "Warn"},
      {"Set", "FZ"},     {"Set", "SD"}};
  for (int round = 0; round < 150; ++round) {
    const std::string file = RandomFile(random);
    SCOPED_TRACE(::testing::PrintToString(file));
    WriteIni(file);
    std::vector<std::string> before;
    for (const auto& [section, key] : kept) before.push_back(Stored(section, key));
    const std::string storedFz = Stored("Set", "FZ");
    const auto unreadable = [&](const std::string& key, bool date) {
      const std::string text = Stored("Set", key);
      if (text == "<absent>") return false;
      const std::string seen = text.substr(0, 2047);
      return date ? !TryStrToDate(seen, platform::LocaleFormats{}).has_value()
                  : !TryStrToTime(seen, platform::LocaleFormats{}).has_value();
    };
    const bool told = unreadable("RQ", true) || unreadable("SJ", false);
    const std::size_t boxesBefore = Boxes().size();

    DropForms();
    TFormTandrel& form = Create();
    ASSERT_FALSE(form.FLoading);
    ASSERT_EQ(form.Caption(), "Velmora V2.9(定时关机)");
    ASSERT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
    ASSERT_TRUE(TryStrToDate(form.FDateText, platform::LocaleFormats{}).has_value());
    ASSERT_TRUE(TryStrToTime(form.FTimeText, platform::LocaleFormats{}).has_value());
    ASSERT_GE(StrToDate(form.FDateText), EncodeDate(2026, 3, 10));
    // An unreadable date or time is told once; nothing else is.
    ASSERT_EQ(Boxes().size(), boxesBefore + (told ? 1 : 0));
    ASSERT_EQ(form.FMinutes,
              std::clamp<std::int64_t>(
                  ReadStoredInteger(storedFz == "<absent>" ? "" : storedFz.substr(0, 2047), 30),
                  1, 10000));

    for (std::size_t i = 0; i < kept.size(); ++i) {
      ASSERT_EQ(Stored(kept[i].first, kept[i].second), before[i]) << kept[i].second;
    }
    // What the window holds is what the file holds now.
    if (Stored("Set", "RQ") != "<absent>") {
      ASSERT_EQ(Stored("Set", "RQ").substr(0, 2047), form.FDateText);
    }
  }
}

}  // namespace
}  // namespace tandrel::testing
