// The process-wide mutex table that stands in for other processes: a name
// held anywhere in the test process is seen as taken.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessMutexes.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::platform {
namespace {

TEST(HeadlessMutexes, ANameHeldAsAnotherInstanceIsSeenByTheProgramsPlatform) {
  const std::string name = "HeadlessMutexesTest.other";
  // The "other instance" takes the name before the program starts.
  auto otherInstance = HeadlessMutexes{}.Create(name);
  ASSERT_NE(otherInstance, nullptr);
  EXPECT_FALSE(otherInstance->AlreadyExisted());

  HeadlessPlatform platform;
  auto mine = platform.mutexes().Create(name);
  ASSERT_NE(mine, nullptr);
  EXPECT_TRUE(mine->AlreadyExisted());
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 2);
}

TEST(HeadlessMutexes, HandlesAreCountedAndTheNameIsDroppedWithTheLast) {
  const std::string name = "HeadlessMutexesTest.count";
  HeadlessMutexes mutexes;
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 0);
  auto first = mutexes.Create(name);
  auto second = mutexes.Create(name);
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 2);
  second.reset();
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 1);
  first.reset();
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 0);
  auto again = mutexes.Create(name);
  EXPECT_FALSE(again->AlreadyExisted());
}

TEST(HeadlessMutexes, ReleasesAreCountedPerName) {
  const std::string name = "HeadlessMutexesTest.release";
  HeadlessMutexes mutexes;
  auto held = mutexes.Create(name);
  auto unrelated = mutexes.Create(name + ".unrelated");
  EXPECT_EQ(HeadlessMutexes::Releases(name), 0);
  held->Release();
  held->Release();
  EXPECT_EQ(HeadlessMutexes::Releases(name), 2);
  EXPECT_EQ(HeadlessMutexes::Releases(name + ".unrelated"), 0);
  EXPECT_EQ(HeadlessMutexes::OpenHandles(name), 1) << "a release does not close the handle";
}

TEST(HeadlessMutexes, GlobalAndLocalPrefixesAreNotPartOfThePathRule) {
  HeadlessMutexes mutexes;
  EXPECT_NE(mutexes.Create("Global\\HeadlessMutexesTest"), nullptr);
  EXPECT_NE(mutexes.Create("Local\\HeadlessMutexesTest"), nullptr);
  EXPECT_EQ(mutexes.Create("Global\\a\\b"), nullptr);
  EXPECT_EQ(mutexes.Create("Other\\HeadlessMutexesTest"), nullptr);
}

}  // namespace
}  // namespace tandrel::platform
