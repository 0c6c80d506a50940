// Named mutexes as presence markers: a second create of a live name reports
// that it existed; once every handle is gone the name is free again.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/ContractSupport.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

TEST(MutexContract, ASecondCreateOfALiveNameReportsThatItExisted) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  auto first = platform->mutexes().Create(name);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->AlreadyExisted());

  auto second = platform->mutexes().Create(name);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->AlreadyExisted());

  // As a second instance would see it: its own platform object.
  auto otherPlatform = platform::CreatePlatform();
  auto third = otherPlatform->mutexes().Create(name);
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(third->AlreadyExisted());
}

TEST(MutexContract, TheNameIsFreeOnceEveryHandleIsClosed) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  auto first = platform->mutexes().Create(name);
  auto second = platform->mutexes().Create(name);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first.reset();
  auto third = platform->mutexes().Create(name);
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(third->AlreadyExisted()) << "one handle still holds the name";
  second.reset();
  third.reset();
  auto fresh = platform->mutexes().Create(name);
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(fresh->AlreadyExisted());
}

TEST(MutexContract, ReleaseKeepsTheNameTaken) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  auto first = platform->mutexes().Create(name);
  ASSERT_NE(first, nullptr);
  first->Release();  // not owned: refused, and of no consequence
  auto second = platform->mutexes().Create(name);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->AlreadyExisted());
}

TEST(MutexContract, NamesAreCaseSensitiveAndIndependent) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  auto lower = platform->mutexes().Create(name + "abc");
  auto upper = platform->mutexes().Create(name + "ABC");
  auto other = platform->mutexes().Create(name + "other");
  ASSERT_NE(lower, nullptr);
  ASSERT_NE(upper, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(upper->AlreadyExisted());
  EXPECT_FALSE(other->AlreadyExisted());
}

TEST(MutexContract, ABackslashOutsideANamespacePrefixIsRefused) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  EXPECT_EQ(platform->mutexes().Create(name + "\\part"), nullptr);
  auto local = platform->mutexes().Create("Local\\" + name);
  ASSERT_NE(local, nullptr);
  EXPECT_FALSE(local->AlreadyExisted());
}

TEST(MutexContract, UnnamedMutexesNeverMeet) {
  auto platform = platform::CreatePlatform();
  auto first = platform->mutexes().Create("");
  auto second = platform->mutexes().Create("");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(second->AlreadyExisted());
}

}  // namespace
}  // namespace tandrel::contract
