// Registry behaviour the program relies on: string values under the current
// user and the machine-wide Run key, refused access, missing values.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/ContractSupport.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

using platform::RegistryRoot;

class RegistryContract : public ::testing::Test {
 protected:
  ~RegistryContract() override { RemoveTestKey(*platform_, RegistryRoot::CurrentUser, path_); }

  std::unique_ptr<platform::RegistryKey> Open(std::uint32_t access, bool create) {
    return platform_->registry().OpenKey(RegistryRoot::CurrentUser, path_, access, create);
  }

  std::unique_ptr<platform::Platform> platform_ = platform::CreatePlatform();
  const std::string path_ = "Software\\TandrelContractTest\\" + UniqueName("run");
};

TEST_F(RegistryContract, StringValuesRoundTripThroughACreatedKey) {
  EXPECT_EQ(Open(platform::kKeyRead, false), nullptr) << "the key does not exist yet";

  auto key = Open(platform::kKeyAllAccess, true);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->ReadString("Tandrel").has_value());
  ASSERT_TRUE(key->WriteString("Tandrel", "C:\\程序\\Tandrel.exe au"));
  EXPECT_EQ(key->ReadString("Tandrel"), "C:\\程序\\Tandrel.exe au");
  EXPECT_EQ(key->ReadString("TANDREL"), "C:\\程序\\Tandrel.exe au") << "names ignore case";
  ASSERT_TRUE(key->WriteString("Tandrel", "second"));
  EXPECT_EQ(key->ReadString("Tandrel"), "second");
  ASSERT_TRUE(key->WriteString("Empty", ""));
  EXPECT_EQ(key->ReadString("Empty"), "");
}

TEST_F(RegistryContract, AnotherHandleSeesTheSameValues) {
  auto writer = Open(platform::kKeyAllAccess, true);
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE(writer->WriteString("Tandrel", "value"));
  writer.reset();

  auto reader = platform_->registry().OpenKey(RegistryRoot::CurrentUser,
                                             "SOFTWARE\\tandrelcontracttest\\" +
                                                 path_.substr(path_.rfind('\\') + 1),
                                             platform::kKeyRead, false);
  ASSERT_NE(reader, nullptr) << "key paths ignore case";
  EXPECT_EQ(reader->ReadString("Tandrel"), "value");
}

TEST_F(RegistryContract, DeletingReportsWhetherTheValueWasThere) {
  auto key = Open(platform::kKeyAllAccess, true);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->DeleteValue("Tandrel"));
  ASSERT_TRUE(key->WriteString("Tandrel", "x"));
  EXPECT_TRUE(key->DeleteValue("Tandrel"));
  EXPECT_FALSE(key->ReadString("Tandrel").has_value());
  EXPECT_FALSE(key->DeleteValue("Tandrel"));
}

TEST_F(RegistryContract, AKeyOpenedForReadingRefusesWrites) {
  ASSERT_NE(Open(platform::kKeyAllAccess, true), nullptr);
  auto readOnly = Open(platform::kKeyRead, false);
  ASSERT_NE(readOnly, nullptr);
  EXPECT_FALSE(readOnly->WriteString("Tandrel", "x"));
  EXPECT_FALSE(readOnly->DeleteValue("Tandrel"));
  EXPECT_FALSE(readOnly->ReadString("Tandrel").has_value());
}

TEST_F(RegistryContract, AKeyOpenedOnlyForWritingCannotBeRead) {
  auto writeOnly = Open(platform::kKeySetValue, true);
  ASSERT_NE(writeOnly, nullptr);
  ASSERT_TRUE(writeOnly->WriteString("Tandrel", "x"));
  EXPECT_FALSE(writeOnly->ReadString("Tandrel").has_value());
  EXPECT_EQ(Open(platform::kKeyQueryValue, false)->ReadString("Tandrel"), "x");
}

TEST(RegistryRunKeyContract, TheMachineRunKeyTakesAndLosesAValue) {
  auto platform = platform::CreatePlatform();
  const std::string runKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string name = UniqueName("TandrelContractTest");
  auto key =
      platform->registry().OpenKey(RegistryRoot::LocalMachine, runKey, platform::kKeyAllAccess, true);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString(name, "C:\\Tandrel\\Tandrel.exe au"));
  EXPECT_EQ(key->ReadString(name), "C:\\Tandrel\\Tandrel.exe au");
  EXPECT_TRUE(key->DeleteValue(name));
  EXPECT_FALSE(key->ReadString(name).has_value());
}

}  // namespace
}  // namespace tandrel::contract
