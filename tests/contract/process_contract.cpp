// Facts about the running process that the program builds paths from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::filesystem::path ToPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

TEST(ProcessContract, TheExecutablePathIsAnAbsolutePathToAnExe) {
  auto platform = platform::CreatePlatform();
  const std::string path = platform->process().ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(ToPath(path).is_absolute()) << path;
  EXPECT_EQ(Lower(ToPath(path).extension().string()), ".exe") << path;
}

TEST(ProcessContract, TheArgumentsLeaveOutTheProgramItself) {
  auto platform = platform::CreatePlatform();
  const std::string program = Lower(ToPath(platform->process().ExecutablePath()).stem().string());
  for (const std::string& argument : platform->process().Arguments()) {
    EXPECT_EQ(Lower(argument).find(program), std::string::npos) << argument;
  }
}

}  // namespace
}  // namespace tandrel::contract
