// TIniFile over the headless profile files (real files on disk): defaults for
// what is missing, the 2047-character read limit, the stored encodings of
// integers and Booleans, and the error for a refused write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Install(&platform_);
    dir_ = fs::temp_directory_path() /
           ("tandrel-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "Tandrel.ini").string();
  }
  void TearDown() override {
    platform::Install(nullptr);
    fs::remove_all(dir_);
  }
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string ReadFile() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
  }

  platform::HeadlessPlatform platform_;
  fs::path dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGiveTheDefaults) {
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Set", "RQ", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadInteger("Set", "FZ", 30), 30);
  EXPECT_TRUE(ini.ReadBool("CB", "RBFS", true));
  EXPECT_FALSE(ini.ReadBool("CB", "AutoRun", false));
  EXPECT_FALSE(fs::exists(path_));  // reading never creates the file
  WriteFile("[CB]\r\nWarn=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Set", "FZ", 30), 30);
  EXPECT_EQ(ini.ReadInteger("CB", "Other", 4), 4);
}

TEST_F(IniFileTest, ReadsStoredIntegersAndBooleans) {
  WriteFile("[CB]\r\nAutoRun=5\r\nRBFS=0\r\nCBCF=junk\r\n[Set]\r\nFZ=abc\r\nSD=0x1E\r\n"
            "RQ=2026/12/8\r\nSJ=\r\n");
  TIniFile ini(path_);
  EXPECT_TRUE(ini.ReadBool("CB", "AutoRun", false));
  EXPECT_FALSE(ini.ReadBool("CB", "RBFS", true));
  EXPECT_TRUE(ini.ReadBool("CB", "CBCF", true));
  EXPECT_FALSE(ini.ReadBool("CB", "CBCF", false));
  EXPECT_EQ(ini.ReadInteger("Set", "FZ", 30), 30);
  EXPECT_EQ(ini.ReadInteger("Set", "SD", 1), 30);
  EXPECT_EQ(ini.ReadString("Set", "RQ", ""), "2026/12/8");
  EXPECT_EQ(ini.ReadInteger("Set", "SJ", 7), 7);  // an empty value is the default too
}

TEST_F(IniFileTest, WritesReadBackAndReachTheDisk) {
  TIniFile ini(path_);
  ini.WriteBool("CB", "AutoRun", true);
  ini.WriteBool("CB", "Warn", false);
  ini.WriteInteger("Set", "FZ", -12);
  ini.WriteString("Set", "RQ", "2026/12/8");
  ini.WriteString("Set", "Name", "定时关机");
  const std::string file = ReadFile();
  EXPECT_NE(file.find("AutoRun=1"), std::string::npos) << file;
  EXPECT_NE(file.find("Warn=0"), std::string::npos) << file;
  EXPECT_NE(file.find("FZ=-12"), std::string::npos) << file;
  TIniFile again(path_);  // nothing cached: a second object sees the writes
  EXPECT_TRUE(again.ReadBool("CB", "AutoRun", false));
  EXPECT_FALSE(again.ReadBool("CB", "Warn", true));
  EXPECT_EQ(again.ReadInteger("Set", "FZ", 30), -12);
  EXPECT_EQ(again.ReadString("Set", "RQ", ""), "2026/12/8");
  EXPECT_EQ(again.ReadString("Set", "Name", ""), "定时关机");
}

TEST_F(IniFileTest, SeesAtMost2047CharactersOfAValue) {
  const std::string longValue(3000, 'x');
  WriteFile("[Set]\r\nRQ=" + longValue + "\r\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Set", "RQ", ""), std::string(2047, 'x'));
}

TEST_F(IniFileTest, ARefusedWriteRaisesWithTheFullPath) {
  TIniFile ini(path_);
  platform_.profileFiles().Lock(path_);
  try {
    ini.WriteInteger("Set", "FZ", 10);
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + path_);
    EXPECT_EQ(ErrorBoxText(e), "Unable to write to " + path_ + ".");
  }
  platform_.profileFiles().Unlock(path_);
  EXPECT_NO_THROW(ini.WriteInteger("Set", "FZ", 10));

  const std::string missingFolder = (dir_ / "no such folder" / "Tandrel.ini").string();
  TIniFile nowhere(missingFolder);
  EXPECT_THROW(nowhere.WriteBool("CB", "Warn", true), EIniFileException);
}

}  // namespace
}  // namespace tandrel
