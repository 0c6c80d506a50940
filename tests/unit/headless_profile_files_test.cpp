// What only the headless profile files promise beyond the shared rules: the
// bytes of lines a write does not touch, the encoding of new files, and the
// lock control the contract tests use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/headless/HeadlessProfileFiles.h"

namespace tandrel::platform {
namespace {

class HeadlessProfileFilesTest : public ::testing::Test {
 protected:
  HeadlessProfileFilesTest()
      : folder_(std::filesystem::temp_directory_path() /
                ("tandrel-profile-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(folder_);
  }
  ~HeadlessProfileFilesTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string Path() const { return (folder_ / "Tandrel.ini").string(); }
  void Put(const std::string& bytes) {
    std::ofstream(Path(), std::ios::binary) << bytes;
  }
  std::string Bytes() const {
    std::ifstream in(Path(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
  HeadlessProfileFiles files_;
};

TEST_F(HeadlessProfileFilesTest, LinesAWriteDoesNotTouchKeepTheirBytes) {
  Put("; settings\n\n[CB]\n  AutoRun =  1  \n\n[Set]\nRQ=\xb6\xfe\xc1\xe3\nFZ=30\n");
  ASSERT_TRUE(files_.WriteString(Path(), "Set", "FZ", "45"));
  ASSERT_TRUE(files_.WriteString(Path(), "CB", "Warn", "1"));
  EXPECT_EQ(Bytes(),
            "; settings\n\n[CB]\n  AutoRun =  1  \nWarn=1\r\n\n[Set]\nRQ=\xb6\xfe\xc1\xe3\n"
            "FZ=45\n");
}

TEST_F(HeadlessProfileFilesTest, NewFilesAreUtf8WithoutAByteOrderMark) {
  ASSERT_TRUE(files_.WriteString(Path(), "设置", "日期", "2026年1月15日"));
  EXPECT_EQ(Bytes(), "[设置]\r\n日期=2026年1月15日\r\n");
}

TEST_F(HeadlessProfileFilesTest, ALockedFileIsInvisibleUntilUnlocked) {
  Put("[S]\r\nk=1\r\n");
  files_.Lock(folder_.string() + "/./Tandrel.ini");  // any spelling of the same path
  EXPECT_EQ(files_.ReadString(Path(), "S", "k", "none", 64), "none");
  EXPECT_FALSE(files_.WriteString(Path(), "S", "k", "2"));
  files_.Unlock(Path());
  EXPECT_EQ(files_.ReadString(Path(), "S", "k", "none", 64), "1");
  EXPECT_TRUE(files_.WriteString(Path(), "S", "k", "2"));
  EXPECT_EQ(Bytes(), "[S]\r\nk=2\r\n");
}

TEST_F(HeadlessProfileFilesTest, ABufferCutThroughASurrogatePairLeavesNoHalfCharacter) {
  Put("[S]\r\nk=a\xf0\x9f\x98\x80z\r\n");  // a, U+1F600 (two UTF-16 units), z
  EXPECT_EQ(files_.ReadString(Path(), "S", "k", "", 4), "a\xf0\x9f\x98\x80");
  const std::string cut = files_.ReadString(Path(), "S", "k", "", 3);
  EXPECT_EQ(cut, "a\xef\xbf\xbd") << "the lone high surrogate becomes U+FFFD";
}

}  // namespace
}  // namespace tandrel::platform
