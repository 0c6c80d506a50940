// Tasks in the Task Scheduler's root folder: registered from an XML text,
// found by name, replaced by a second registration, deleted once; a text
// that is no task definition is refused. The thread's execution state: a
// lasting request holds until the next lasting one, which reports it.
#include <gtest/gtest.h>

#include <string>

#include "contract/ContractSupport.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

std::string Definition(const std::string& arguments) {
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
         "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
         "  <Settings><Enabled>false</Enabled></Settings>\r\n"
         "  <Actions><Exec><Command>\"C:\\windows\\system32\\cmd.exe\"</Command>"
         "<Arguments>" + arguments + "</Arguments></Exec></Actions>\r\n"
         "</Task>\r\n";
}

TEST(TaskSchedulerContract, ARegisteredTaskIsFoundReplacedAndDeletedOnce) {
  auto platform = platform::CreatePlatform();
  platform::TaskScheduler& tasks = platform->taskScheduler();
  const std::string name = UniqueName("TandrelContract");
  ASSERT_FALSE(tasks.RootTaskExists(name));
  EXPECT_FALSE(tasks.DeleteRootTask(name));

  ASSERT_TRUE(tasks.RegisterRootTask(name, Definition("/c exit 0")));
  EXPECT_TRUE(tasks.RootTaskExists(name));
  EXPECT_TRUE(tasks.RegisterRootTask(name, Definition("/c exit 1")));
  EXPECT_TRUE(tasks.RootTaskExists(name));

  EXPECT_TRUE(tasks.DeleteRootTask(name));
  EXPECT_FALSE(tasks.RootTaskExists(name));
  EXPECT_FALSE(tasks.DeleteRootTask(name));
}

TEST(TaskSchedulerContract, ATextThatIsNoDefinitionIsRefused) {
  auto platform = platform::CreatePlatform();
  const std::string name = UniqueName("TandrelContract");
  EXPECT_FALSE(platform->taskScheduler().RegisterRootTask(name, "not a task"));
  EXPECT_FALSE(platform->taskScheduler().RootTaskExists(name));
}

TEST(ExecutionStateContract, ALastingRequestHoldsUntilTheNextOneWhichReportsIt) {
  auto platform = platform::CreatePlatform();
  platform::ExecutionState& state = platform->executionState();
  constexpr std::uint32_t kAwake = platform::kEsContinuous | platform::kEsSystemRequired;
  state.SetThreadExecutionState(kAwake);
  EXPECT_EQ(state.SetThreadExecutionState(platform::kEsContinuous), kAwake);
  EXPECT_EQ(state.SetThreadExecutionState(kAwake), platform::kEsContinuous);
  EXPECT_EQ(state.SetThreadExecutionState(platform::kEsContinuous), kAwake);
}

}  // namespace
}  // namespace tandrel::contract
