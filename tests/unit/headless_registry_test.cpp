// The in-memory registry's test controls: seeding, inspection and refused
// access, as a user without rights on HKLM would meet it.
#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/HeadlessRegistry.h"

namespace tandrel::platform {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(HeadlessRegistry, AProtectedBranchRefusesWritingOpensAndCreates) {
  HeadlessRegistry registry;
  registry.SetValue(kMachine, kRun, "Other", "x.exe");
  registry.Protect(kMachine, "SOFTWARE\\Microsoft");

  EXPECT_EQ(registry.OpenKey(kMachine, kRun, kKeyAllAccess, true), nullptr);
  EXPECT_EQ(registry.OpenKey(kMachine, kRun, kKeyWrite, false), nullptr);
  EXPECT_EQ(registry.OpenKey(kMachine, std::string(kRun) + "\\New", kKeyRead, true), nullptr)
      << "creating a key changes the branch";
  EXPECT_FALSE(registry.KeyExists(kMachine, std::string(kRun) + "\\New"));

  auto reader = registry.OpenKey(kMachine, kRun, kKeyRead, false);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->ReadString("Other"), "x.exe");

  EXPECT_NE(registry.OpenKey(kMachine, "SOFTWARE\\Classes", kKeyAllAccess, true), nullptr)
      << "a sibling branch is not protected";
  registry.Unprotect(kMachine, "SOFTWARE\\Microsoft");
  EXPECT_NE(registry.OpenKey(kMachine, kRun, kKeyAllAccess, true), nullptr);
}

TEST(HeadlessRegistry, AHandleOpenedBeforeProtectionLosesItsWrites) {
  HeadlessRegistry registry;
  auto key = registry.OpenKey(kMachine, kRun, kKeyAllAccess, true);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Tandrel", "a"));
  registry.Protect(kMachine, kRun);
  EXPECT_FALSE(key->WriteString("Tandrel", "b"));
  EXPECT_FALSE(key->DeleteValue("Tandrel"));
  EXPECT_EQ(registry.Value(kMachine, kRun, "Tandrel"), "a");
}

TEST(HeadlessRegistry, WritesThroughTheSeamAreVisibleToInspection) {
  HeadlessRegistry registry;
  auto key = registry.OpenKey(kMachine, kRun, kKeyAllAccess, true);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Tandrel", "C:\\Tandrel\\Tandrel.exe au"));
  EXPECT_EQ(registry.Value(kMachine, "software\\microsoft\\windows\\currentversion\\run",
                           "TANDREL"),
            "C:\\Tandrel\\Tandrel.exe au");
  EXPECT_TRUE(registry.KeyExists(kMachine, "SOFTWARE\\Microsoft\\Windows"))
      << "creating a key creates its parents";
  EXPECT_FALSE(registry.HasValue(kUser, kRun, "Tandrel")) << "roots are separate";
  ASSERT_TRUE(key->DeleteValue("tandrel"));
  EXPECT_FALSE(registry.HasValue(kMachine, kRun, "Tandrel"));
}

TEST(HeadlessRegistry, PathsIgnoreCaseAndEmptyComponents) {
  HeadlessRegistry registry;
  registry.SetValue(kUser, "Control Panel\\Appearance", "Current", "Windows Standard");
  auto key = registry.OpenKey(kUser, "control panel\\\\APPEARANCE\\", kKeyRead, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("current"), "Windows Standard");
}

TEST(HeadlessRegistry, ANonStringValueReadsAsMissingButExists) {
  HeadlessRegistry registry;
  registry.SetDwordValue(kUser, "Software\\Test", "Number", 7);
  auto key = registry.OpenKey(kUser, "Software\\Test", kKeyAllAccess, false);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->ReadString("Number").has_value());
  EXPECT_TRUE(registry.HasValue(kUser, "Software\\Test", "Number"));
  EXPECT_FALSE(registry.Value(kUser, "Software\\Test", "Number").has_value());
  ASSERT_TRUE(key->WriteString("Number", "now text"));
  EXPECT_EQ(key->ReadString("Number"), "now text");
}

TEST(HeadlessRegistry, AnOpenKeyOutlivesItsRegistry) {
  std::unique_ptr<RegistryKey> key;
  {
    HeadlessRegistry registry;
    key = registry.OpenKey(kUser, "Software\\Test", kKeyAllAccess, true);
  }
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->WriteString("Late", "still fine"));
  EXPECT_EQ(key->ReadString("Late"), "still fine");
}

}  // namespace
}  // namespace tandrel::platform
