// A main window on the headless platform, with its executable in a fresh
// temporary folder (so Tandrel.ini lands there), a set clock and the
// regional formats of a Simplified Chinese Windows.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/UnitFormTandrel.h"
#include "app/UnitFormWarn.h"
#include "framework/DateTime.h"
#include "unit/support/HeadlessApp.h"

namespace tandrel::testing {

class FormTandrelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    dir_ = std::filesystem::temp_directory_path() /
           ("tandrel-form-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(dir_);
    env_.platform().process().SetExecutablePath((dir_ / "Tandrel.exe").string());
    SetClock(2026, 3, 10, 10, 0, 0, 250);
  }

  void TearDown() override {
    FormTandrel = nullptr;
    FormWarn = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  void SetClock(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    env_.clock().Set(platform::LocalTime{y, mo, d, h, mi, s, ms});
  }

  std::filesystem::path IniPath() const { return dir_ / "Tandrel.ini"; }
  void WriteIni(const std::string& bytes) {
    std::ofstream out(IniPath(), std::ios::binary);
    out << bytes;
  }
  std::string IniBytes() const {
    std::ifstream in(IniPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The stored value, or "<absent>".
  std::string Stored(const std::string& section, const std::string& key) {
    return env_.platform().profileFiles().ReadString(IniPath().string(), section, key,
                                                     "<absent>", 4096);
  }

  // Creates both windows as the program does (OnCreate runs).
  TFormTandrel& Create() {
    env_.app().CreateForm(FormTandrel);
    env_.app().CreateForm(FormWarn);
    return *FormTandrel;
  }
  // Frees both windows, so that a test can start the program again.
  void DropForms() {
    FormTandrel = nullptr;
    FormWarn = nullptr;
    while (app().ComponentCount() > 0) delete app().Components(app().ComponentCount() - 1);
  }
  // Creates both windows and shows the main one (its first activation).
  TFormTandrel& CreateAndShow() {
    Create();
    env_.app().Run();
    return *FormTandrel;
  }

  const std::vector<platform::HeadlessWindowSystem::MessageBoxCall>& Boxes() {
    return env_.windows().MessageBoxes();
  }
  platform::HeadlessWindowSystem& windows() { return env_.windows(); }
  TApplication& app() { return env_.app(); }

  HeadlessApp env_;
  std::filesystem::path dir_;
};

inline TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}

}  // namespace tandrel::testing
