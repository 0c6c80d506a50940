// The logon task's XML definition, read back element by element as the Task
// Scheduler reads it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/LogonTask.h"

namespace tandrel::testing {
namespace {

// The text between <name ...> and </name> of the first such element inside
// `xml`, or empty when there is none.
std::optional<std::string> Inner(std::string_view xml, const std::string& name) {
  std::size_t open = 0;
  while ((open = xml.find("<" + name, open)) != std::string_view::npos) {
    const char after = xml[open + 1 + name.size()];
    if (after == '>' || after == ' ') break;
    ++open;
  }
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t start = xml.find('>', open) + 1;
  const std::size_t close = xml.find("</" + name + ">", start);
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(xml.substr(start, close - start));
}

// Follows a path of nested elements, e.g. {"Task", "Settings", "Enabled"}.
std::optional<std::string> At(const std::string& xml, std::initializer_list<std::string> path) {
  std::optional<std::string> part = xml;
  for (const std::string& name : path) {
    if (!part) return std::nullopt;
    part = Inner(*part, name);
  }
  return part;
}

std::string Attribute(const std::string& xml, const std::string& element,
                      const std::string& attribute) {
  const std::size_t open = xml.find("<" + element + " ");
  const std::size_t end = xml.find('>', open);
  const std::string tag = xml.substr(open, end - open);
  const std::size_t at = tag.find(attribute + "=\"");
  if (open == std::string::npos || at == std::string::npos) return "<none>";
  const std::size_t start = at + attribute.size() + 2;
  return tag.substr(start, tag.find('"', start) - start);
}

TEST(LogonTask, StartsForEveryLogonElevatedWhereItCanWithoutLimitsAndOnce) {
  const std::string xml = LogonTaskXml("C:\\Program Files\\Tandrel\\Tandrel.exe");
  // Wide text to the service: the declaration must say so.
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-16\"?>", 0), 0u);
  EXPECT_EQ(Attribute(xml, "Task", "xmlns"),
            "http://schemas.microsoft.com/windows/2004/02/mit/task");
  // A logon trigger without a user: any user's logon.
  const auto trigger = At(xml, {"Task", "Triggers", "LogonTrigger"});
  ASSERT_TRUE(trigger);
  EXPECT_EQ(trigger->find("UserId"), std::string::npos);
  EXPECT_EQ(At(*trigger, {"Enabled"}), "true");

  EXPECT_EQ(At(xml, {"Task", "Principals", "Principal", "GroupId"}), "S-1-5-32-545");
  EXPECT_EQ(At(xml, {"Task", "Principals", "Principal", "RunLevel"}), "HighestAvailable");
  // The action runs in the context of that principal.
  EXPECT_EQ(Attribute(xml, "Actions", "Context"), Attribute(xml, "Principal", "id"));

  EXPECT_EQ(At(xml, {"Task", "Actions", "Exec", "Command"}),
            "\"C:\\Program Files\\Tandrel\\Tandrel.exe\"");
  EXPECT_EQ(At(xml, {"Task", "Actions", "Exec", "Arguments"}), "au");

  EXPECT_EQ(At(xml, {"Task", "Settings", "ExecutionTimeLimit"}), "PT0S");
  EXPECT_EQ(At(xml, {"Task", "Settings", "DisallowStartIfOnBatteries"}), "false");
  EXPECT_EQ(At(xml, {"Task", "Settings", "StopIfGoingOnBatteries"}), "false");
  EXPECT_EQ(At(xml, {"Task", "Settings", "MultipleInstancesPolicy"}), "IgnoreNew");
  EXPECT_EQ(At(xml, {"Task", "Settings", "Enabled"}), "true");
}

TEST(LogonTask, MarkupCharactersOfThePathAreEscaped) {
  const std::string xml = LogonTaskXml("D:\\R&D <new>\\Tandrel.exe");
  EXPECT_EQ(At(xml, {"Task", "Actions", "Exec", "Command"}),
            "\"D:\\R&amp;D &lt;new&gt;\\Tandrel.exe\"");
  EXPECT_EQ(xml.find("R&D"), std::string::npos);
}

}  // namespace
}  // namespace tandrel::testing
