// Profile (INI) file rules that the program relies on, checked the same way
// against the headless simulation and the real profile functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "contract/ContractSupport.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

class ProfileContract : public ::testing::Test {
 protected:
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& defaultValue = "<default>", std::size_t bufferSize = 256) {
    return platform_->profileFiles().ReadString(folder_.PathOf(file), section, key, defaultValue,
                                                bufferSize);
  }
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) {
    return platform_->profileFiles().WriteString(folder_.PathOf(file), section, key, value);
  }
  void Put(const std::string& file, const std::string& bytes) {
    WriteFileBytes(folder_.PathOf(file), bytes);
  }
  std::string Bytes(const std::string& file) { return ReadFileBytes(folder_.PathOf(file)); }

  std::unique_ptr<platform::Platform> platform_ = platform::CreatePlatform();
  TempFolder folder_;
};

TEST_F(ProfileContract, MissingFileSectionOrKeyReadsTheDefault) {
  EXPECT_EQ(Read("none.ini", "CB", "AutoRun", "0"), "0");
  EXPECT_FALSE(FileExists(folder_.PathOf("none.ini"))) << "a read must not create the file";

  Put("a.ini", "[CB]\r\nAutoRun=1\r\n");
  EXPECT_EQ(Read("a.ini", "CB", "AutoRun"), "1");
  EXPECT_EQ(Read("a.ini", "Set", "AutoRun"), "<default>");
  EXPECT_EQ(Read("a.ini", "CB", "RBFS"), "<default>");
}

TEST_F(ProfileContract, FirstWriteCreatesTheFileWithCrLfLines) {
  ASSERT_TRUE(Write("new.ini", "Set", "FZ", "30"));
  EXPECT_EQ(Bytes("new.ini"), "[Set]\r\nFZ=30\r\n");
  EXPECT_EQ(Read("new.ini", "Set", "FZ"), "30");
}

TEST_F(ProfileContract, WritesReplaceInPlaceAppendKeysToTheirSectionAndSectionsAtTheEnd) {
  Put("w.ini", "[S]\r\nk=old\r\nother=1\r\n[T]\r\nz=1\r\n");
  ASSERT_TRUE(Write("w.ini", "S", "k", "new"));
  ASSERT_TRUE(Write("w.ini", "S", "n", "added"));
  ASSERT_TRUE(Write("w.ini", "U", "u", "sec"));
  EXPECT_EQ(Bytes("w.ini"),
            "[S]\r\nk=new\r\nother=1\r\nn=added\r\n[T]\r\nz=1\r\n[U]\r\nu=sec\r\n");
}

TEST_F(ProfileContract, AFileWithoutAFinalLineEndGrowsCleanly) {
  Put("y.ini", "[S]\r\nk=1");
  ASSERT_TRUE(Write("y.ini", "S", "k2", "2"));
  ASSERT_TRUE(Write("y.ini", "T", "t", "3"));
  EXPECT_EQ(Read("y.ini", "S", "k"), "1");
  EXPECT_EQ(Read("y.ini", "S", "k2"), "2");
  EXPECT_EQ(Read("y.ini", "T", "t"), "3");
}

TEST_F(ProfileContract, WritingAnExistingKeyFindsItWhateverItsCaseAndBlanks) {
  Put("c.ini", "[Set]\r\n  SD  =  1  \r\nFZ=30\r\n");
  ASSERT_TRUE(Write("c.ini", " set ", " sd ", "5"));
  EXPECT_EQ(Read("c.ini", "Set", "SD"), "5");
  EXPECT_EQ(Read("c.ini", "Set", "FZ"), "30");
  // One key, not a second one that a later read could miss.
  const std::string bytes = Bytes("c.ini");
  EXPECT_EQ(bytes.find("1"), std::string::npos) << bytes;

  ASSERT_TRUE(Write("c.ini", "SET", "RQ", "2026/1/15"));
  EXPECT_EQ(Bytes("c.ini").find("[SET]"), std::string::npos) << "the section exists already";
  EXPECT_EQ(Read("c.ini", "Set", "RQ"), "2026/1/15");
}

TEST_F(ProfileContract, OrderOfSectionsAndKeysCarriesNoMeaning) {
  Put("o.ini", "[Set]\r\nSD=2\r\nFZ=45\r\n[CB]\r\nWarn=1\r\nAutoRun=0\r\n");
  EXPECT_EQ(Read("o.ini", "CB", "AutoRun"), "0");
  EXPECT_EQ(Read("o.ini", "CB", "Warn"), "1");
  EXPECT_EQ(Read("o.ini", "Set", "FZ"), "45");
  EXPECT_EQ(Read("o.ini", "Set", "SD"), "2");
}

TEST_F(ProfileContract, BlanksAroundKeysAndValuesAreIgnored) {
  Put("b.ini", "[S]\r\n  k1  =  v1  \r\nk2=\t tab\t\r\nk3=\r\nk4=   \r\n");
  EXPECT_EQ(Read("b.ini", "S", "k1"), "v1");
  EXPECT_EQ(Read("b.ini", "S", " k1 "), "v1");
  EXPECT_EQ(Read("b.ini", "S", "k2"), "tab");
  EXPECT_EQ(Read("b.ini", "S", "k3"), "") << "an empty value is a value, not a missing key";
  EXPECT_EQ(Read("b.ini", "S", "k4"), "");

  ASSERT_TRUE(Write("b.ini", "S", "padded", "  x y  "));
  EXPECT_EQ(Read("b.ini", "S", "padded"), "x y");
}

TEST_F(ProfileContract, EnclosingQuotationMarksAreRemoved) {
  Put("q.ini",
      "[S]\r\ndouble=\"quoted\"\r\nsingle='single'\r\nmixed=\"mis'\r\nlone=\"\r\n"
      "inner= \" spaced \" \r\npartial=\"a\" b \"\r\nmiddle=a\"b\"c\r\n");
  EXPECT_EQ(Read("q.ini", "S", "double"), "quoted");
  EXPECT_EQ(Read("q.ini", "S", "single"), "single");
  EXPECT_EQ(Read("q.ini", "S", "mixed"), "\"mis'");
  EXPECT_EQ(Read("q.ini", "S", "lone"), "\"");
  EXPECT_EQ(Read("q.ini", "S", "inner"), " spaced ");
  EXPECT_EQ(Read("q.ini", "S", "partial"), "a\" b ");
  EXPECT_EQ(Read("q.ini", "S", "middle"), "a\"b\"c");
  Put("q2.ini", "[S]\r\nempty=\"\"\r\nk=\r\nk=shadowed\r\n");
  EXPECT_EQ(Read("q2.ini", "S", "empty"), "");
  EXPECT_EQ(Read("q2.ini", "S", "k"), "") << "the first k, empty, hides the second";
}

TEST_F(ProfileContract, SectionAndKeyNamesIgnoreCase) {
  Put("n.ini", "[Set]\r\nRQ=2026/1/15\r\n");
  EXPECT_EQ(Read("n.ini", "SET", "rq"), "2026/1/15");
  EXPECT_EQ(Read("n.ini", "set", "Rq"), "2026/1/15");
}

TEST_F(ProfileContract, TheFirstOfRepeatedKeysAndSectionsCounts) {
  Put("d.ini", "[S]\r\nk=first\r\nK=second\r\n[T]\r\nx=1\r\n[s]\r\nk=third\r\nonly2=yes\r\n");
  EXPECT_EQ(Read("d.ini", "S", "k"), "first");
  EXPECT_EQ(Read("d.ini", "S", "only2"), "<default>") << "a repeated section is never seen";

  ASSERT_TRUE(Write("d.ini", "S", "only2", "changed"));
  EXPECT_EQ(Read("d.ini", "S", "only2"), "changed");
  ASSERT_TRUE(Write("d.ini", "S", "k", "updated"));
  EXPECT_EQ(Read("d.ini", "S", "k"), "updated");
}

TEST_F(ProfileContract, LinesWithoutEqualsSignAreKeysWithoutValue) {
  Put("e.ini", "[S]\r\nnoequals\r\n;c=comment\r\n#h=hash\r\nk=v=w\r\n");
  EXPECT_EQ(Read("e.ini", "S", "noequals"), "<default>");
  EXPECT_EQ(Read("e.ini", "S", ";c"), "comment") << "there are no comment lines";
  EXPECT_EQ(Read("e.ini", "S", "#h"), "hash");
  EXPECT_EQ(Read("e.ini", "S", "k"), "v=w") << "the first '=' separates";
  ASSERT_TRUE(Write("e.ini", "S", "noequals", "now"));
  EXPECT_EQ(Read("e.ini", "S", "noequals"), "now");
}

TEST_F(ProfileContract, SectionHeadersAreFoundByTheirBracketedName) {
  Put("h.ini",
      "[ Sp ]\r\na=1\r\n[Br] tail\r\nb=2\r\n[Open\r\nc=3\r\n  [Ind]\r\nd=4\r\n[x]y]\r\ne=5\r\n");
  EXPECT_EQ(Read("h.ini", "Sp", "a"), "1");
  EXPECT_EQ(Read("h.ini", " Sp ", "a"), "1");
  EXPECT_EQ(Read("h.ini", "Br", "b"), "2");
  EXPECT_EQ(Read("h.ini", "Open", "c"), "<default>") << "no closing bracket, no section";
  EXPECT_EQ(Read("h.ini", "Br", "c"), "3") << "so the key stays in the section before";
  EXPECT_EQ(Read("h.ini", "Ind", "d"), "4");
  EXPECT_EQ(Read("h.ini", "x]y", "e"), "5") << "the name runs to the last ']'";
  EXPECT_EQ(Read("h.ini", "x", "e"), "<default>");
}

TEST_F(ProfileContract, LinesEndWithLfCrOrCrLf) {
  Put("l.ini", "[S]\nk=lf\n[T]\rk=cr\r[U]\r\nk=crlf");
  EXPECT_EQ(Read("l.ini", "S", "k"), "lf");
  EXPECT_EQ(Read("l.ini", "T", "k"), "cr");
  EXPECT_EQ(Read("l.ini", "U", "k"), "crlf");
}

TEST_F(ProfileContract, AValueIsCutToOneLessThanTheBufferSize) {
  Put("t.ini", "[S]\r\nk=abcdef\r\nq=\"abcdef\"\r\n");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 0), "");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 1), "");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 2), "a");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 4), "abc");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 6), "abcde");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 7), "abcdef");
  EXPECT_EQ(Read("t.ini", "S", "k", "d", 2048), "abcdef");
  EXPECT_EQ(Read("t.ini", "S", "q", "d", 4), "abc");
  EXPECT_EQ(Read("t.ini", "S", "q", "d", 6), "abcde");
  EXPECT_EQ(Read("t.ini", "S", "q", "d", 9), "abcdef");

  // Characters, not bytes: each Chinese character is one UTF-16 unit.
  ASSERT_TRUE(Write("t.ini", "S", "cn", "星期一上午"));
  EXPECT_EQ(Read("t.ini", "S", "cn", "d", 3), "星期");
  EXPECT_EQ(Read("t.ini", "S", "cn", "d", 6), "星期一上午");

  const std::string longValue(3000, 'x');
  ASSERT_TRUE(Write("t.ini", "S", "long", longValue));
  EXPECT_EQ(Read("t.ini", "S", "long", "d", 2048), longValue.substr(0, 2047));
}

TEST_F(ProfileContract, TheDefaultLosesTrailingSpacesAndQuotesAndIsCutToo) {
  EXPECT_EQ(Read("none.ini", "S", "k", "dflt   "), "dflt");
  EXPECT_EQ(Read("none.ini", "S", "k", "  dflt"), "  dflt");
  EXPECT_EQ(Read("none.ini", "S", "k", "dflt\t"), "dflt\t") << "only spaces go";
  EXPECT_EQ(Read("none.ini", "S", "k", "dflt\u3000"), "dflt\u3000");
  EXPECT_EQ(Read("none.ini", "S", "k", "   "), " ") << "the first character stays";
  EXPECT_EQ(Read("none.ini", "S", "k", "\"dq\""), "dq");
  EXPECT_EQ(Read("none.ini", "S", "k", "'x"), "'x");
  EXPECT_EQ(Read("none.ini", "S", "k", "default", 4), "def");
  EXPECT_EQ(Read("none.ini", "S", "k", ""), "");
}

TEST_F(ProfileContract, ControlBlanksAreTrimmedButTheIdeographicSpaceIsText) {
  Put("s.ini", "[S]\r\nctrlz=\x1av\x1a\r\nvt=\x0bv\x0b\r\nff=\x0cv\x0c\r\n");
  EXPECT_EQ(Read("s.ini", "S", "ctrlz"), "v");
  EXPECT_EQ(Read("s.ini", "S", "vt"), "v");
  EXPECT_EQ(Read("s.ini", "S", "ff"), "v");
  ASSERT_TRUE(Write("s.ini", "S", "ideo", "\u3000v\u3000"));
  EXPECT_EQ(Read("s.ini", "S", "ideo"), "\u3000v\u3000");
}

TEST_F(ProfileContract, KeysAboveTheFirstHeaderBelongToTheNamelessSection) {
  Put("p.ini", "top=1\r\n[]\r\ne=2\r\n[S]\r\nk=3\r\n");
  EXPECT_EQ(Read("p.ini", "", "top"), "1");
  EXPECT_EQ(Read("p.ini", "", "e"), "<default>") << "a later \"[]\" repeats the nameless section";
  EXPECT_EQ(Read("p.ini", "S", "k"), "3");
  ASSERT_TRUE(Write("p.ini", "", "added", "4"));
  EXPECT_EQ(Read("p.ini", "", "added"), "4");
  EXPECT_EQ(Read("p.ini", "S", "added"), "<default>");

  ASSERT_TRUE(Write("fresh.ini", "", "nosec", "v"));
  EXPECT_EQ(Bytes("fresh.ini"), "nosec=v\r\n");
}

TEST_F(ProfileContract, OddKeysAndValuesAreWrittenAsGiven) {
  ASSERT_TRUE(Write("o.ini", "S", "q", "\"quoted\""));
  EXPECT_EQ(Read("o.ini", "S", "q"), "quoted") << "quotes are stored and stripped on reading";
  ASSERT_TRUE(Write("o.ini", "S", "a=b", "v"));
  EXPECT_EQ(Read("o.ini", "S", "a"), "b=v") << "an '=' in the key splits it";
  ASSERT_TRUE(Write("o.ini", "S", "e", ""));
  EXPECT_EQ(Read("o.ini", "S", "e"), "") << "an empty value is still a value";
  ASSERT_TRUE(Write("o.ini", "S", "", "emptykey"));
  EXPECT_EQ(Read("o.ini", "S", ""), "emptykey");
}

TEST_F(ProfileContract, ChineseTextRoundTripsWhateverTheFileEncoding) {
  ASSERT_TRUE(Write("cn.ini", "Set", "RQ", "2026年1月15日"));
  ASSERT_TRUE(Write("cn.ini", "设置", "键", "值"));
  EXPECT_EQ(Read("cn.ini", "Set", "RQ"), "2026年1月15日");
  EXPECT_EQ(Read("cn.ini", "设置", "键"), "值");
}

TEST_F(ProfileContract, PathsMayHoldChineseCharacters) {
  std::filesystem::create_directories(folder_.path() / std::filesystem::path(u8"设置"));
  const std::string path = folder_.PathOf("设置") + "/配置.ini";
  ASSERT_TRUE(platform_->profileFiles().WriteString(path, "Set", "FZ", "45"));
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(platform_->profileFiles().ReadString(path, "Set", "FZ", "30", 2048), "45");
}

TEST_F(ProfileContract, AUtf16FileIsReadAndStaysUtf16) {
  // "\xFF\xFE" then "[S]\r\nk=中文\r\n" in UTF-16LE.
  static constexpr char kUtf16[] = "\xff\xfe[\0S\0]\0\r\0\n\0k\0=\0\x2d\x4e\x87\x65\r\0\n\0";
  Put("u.ini", std::string(kUtf16, sizeof kUtf16 - 1));
  EXPECT_EQ(Read("u.ini", "S", "k"), "中文");
  ASSERT_TRUE(Write("u.ini", "S", "k2", "中"));
  EXPECT_EQ(Bytes("u.ini").substr(0, 2), "\xff\xfe");
  EXPECT_EQ(Read("u.ini", "S", "k"), "中文");
  EXPECT_EQ(Read("u.ini", "S", "k2"), "中");
}

TEST_F(ProfileContract, AUtf8FileWithByteOrderMarkIsReadAndKeepsTheMark) {
  Put("b.ini", "\xef\xbb\xbf[S]\r\nk=\xe4\xb8\xad\r\n");
  EXPECT_EQ(Read("b.ini", "S", "k"), "中");
  ASSERT_TRUE(Write("b.ini", "S", "k2", "文"));
  EXPECT_EQ(Bytes("b.ini"), "\xef\xbb\xbf[S]\r\nk=\xe4\xb8\xad\r\nk2=\xe6\x96\x87\r\n");
  EXPECT_EQ(Read("b.ini", "S", "k2"), "文");
}

TEST_F(ProfileContract, AWriteIntoAMissingFolderIsRefused) {
  const std::string path = folder_.PathOf("missing") + "/Tandrel.ini";
  EXPECT_FALSE(platform_->profileFiles().WriteString(path, "CB", "AutoRun", "1"));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(ProfileContract, AWriteToAFolderIsRefused) {
  EXPECT_FALSE(platform_->profileFiles().WriteString(folder_.PathOf(""), "CB", "AutoRun", "1"));
}

TEST_F(ProfileContract, AFileHeldOpenWithoutSharingReadsDefaultsAndRefusesWrites) {
  Put("lock.ini", "[S]\r\nk=1\r\n");
  {
    auto held = HoldFileExclusively(*platform_, folder_.PathOf("lock.ini"));
    EXPECT_FALSE(Write("lock.ini", "S", "k", "2"));
    EXPECT_EQ(Read("lock.ini", "S", "k"), "<default>");
  }
  EXPECT_EQ(Read("lock.ini", "S", "k"), "1") << "the refused write changed nothing";
  EXPECT_TRUE(Write("lock.ini", "S", "k", "2"));
  EXPECT_EQ(Read("lock.ini", "S", "k"), "2");
}

}  // namespace
}  // namespace tandrel::contract
