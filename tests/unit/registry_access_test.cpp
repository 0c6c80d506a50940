// TRegistry over the headless registry: the start-at-logon value written,
// read, checked and removed; paths relative to the open key or the root;
// refused writes raising; and the error box text of an uncaught error.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Exceptions.h"
#include "framework/RegistryAccess.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel {
namespace {

using platform::RegistryRoot;

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegistryAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }
  platform::HeadlessPlatform platform_;
};

TEST_F(RegistryAccessTest, WritesReadsAndDeletesAStringValue) {
  {
    TRegistry reg(platform::kKeyAllAccess);
    reg.SetRootKey(RegistryRoot::LocalMachine);
    ASSERT_TRUE(reg.OpenKey(kRunKey, true));
    EXPECT_EQ(reg.CurrentPath(), kRunKey);
    EXPECT_FALSE(reg.ValueExists("Tandrel"));
    reg.WriteString("Tandrel", "C:\\Program Files\\Tandrel\\Tandrel.exe au");
    EXPECT_TRUE(reg.ValueExists("Tandrel"));
    EXPECT_EQ(reg.ReadString("Tandrel"), "C:\\Program Files\\Tandrel\\Tandrel.exe au");
  }
  EXPECT_EQ(platform_.registry().Value(RegistryRoot::LocalMachine, kRunKey, "Tandrel"),
            "C:\\Program Files\\Tandrel\\Tandrel.exe au");

  TRegistry reg;
  reg.SetRootKey(RegistryRoot::LocalMachine);
  ASSERT_TRUE(reg.OpenKey(kRunKey, false));
  EXPECT_TRUE(reg.DeleteValue("Tandrel"));
  EXPECT_FALSE(reg.DeleteValue("Tandrel"));  // already gone
  EXPECT_FALSE(reg.ValueExists("Tandrel"));
  EXPECT_EQ(reg.ReadString("Tandrel"), "");
  EXPECT_FALSE(platform_.registry().HasValue(RegistryRoot::LocalMachine, kRunKey, "Tandrel"));
}

TEST_F(RegistryAccessTest, WithoutAnOpenKeyWritesRaiseAndReadsAreEmpty) {
  TRegistry reg;
  reg.SetRootKey(RegistryRoot::LocalMachine);
  EXPECT_FALSE(reg.OpenKey("Software\\Missing", false));
  EXPECT_FALSE(reg.HasOpenKey());
  try {
    reg.WriteString("Tandrel", "x");
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'Tandrel'");
  }
  EXPECT_EQ(reg.ReadString("Tandrel"), "");
  EXPECT_FALSE(reg.ValueExists("Tandrel"));
  EXPECT_FALSE(reg.DeleteValue("Tandrel"));
}

TEST_F(RegistryAccessTest, AProtectedKeyRefusesFullAccessAndTheWriteRaises) {
  platform_.registry().SetValue(RegistryRoot::LocalMachine, kRunKey, "Other", "x");
  platform_.registry().Protect(RegistryRoot::LocalMachine, "SOFTWARE");
  TRegistry reg(platform::kKeyAllAccess);
  reg.SetRootKey(RegistryRoot::LocalMachine);
  EXPECT_FALSE(reg.OpenKey(kRunKey, true));
  EXPECT_THROW(reg.WriteString("Tandrel", "x"), ERegistryException);
  EXPECT_FALSE(platform_.registry().HasValue(RegistryRoot::LocalMachine, kRunKey, "Tandrel"));
  ASSERT_TRUE(reg.OpenKeyReadOnly(kRunKey));  // reading is still allowed
  EXPECT_EQ(reg.ReadString("Other"), "x");
  EXPECT_THROW(reg.WriteString("Tandrel", "x"), ERegistryException);
}

TEST_F(RegistryAccessTest, PathsAreRelativeToTheOpenKeyUnlessTheyStartWithABackslash) {
  platform_.registry().SetValue(RegistryRoot::CurrentUser,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                                "ColorName", "NormalColor");
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), RegistryRoot::CurrentUser);
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion"));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Microsoft\\Windows\\CurrentVersion");
  ASSERT_TRUE(reg.OpenKeyReadOnly("ThemeManager"));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager");
  EXPECT_EQ(reg.ReadString("ColorName"), "NormalColor");
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"));
  EXPECT_TRUE(reg.ValueExists("ColorName"));
  reg.CloseKey();
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_FALSE(reg.ValueExists("ColorName"));
  // Changing the root closes the key: the same path is then looked up anew.
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"));
  reg.SetRootKey(RegistryRoot::LocalMachine);
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"));
}

TEST(ErrorBox, AppendsAFullStop) {
  EXPECT_EQ(ErrorBoxText(EConvertError("'x' is not a valid date")), "'x' is not a valid date.");
  EXPECT_EQ(ErrorBoxText(std::string("Already a sentence.")), "Already a sentence.");
  EXPECT_EQ(ErrorBoxText(std::string("")), "");
  EXPECT_EQ(ErrorBoxText(std::runtime_error("bad thing")), "bad thing.");
}

}  // namespace
}  // namespace tandrel
