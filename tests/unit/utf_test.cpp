// UTF-8 <-> UTF-16 at the Windows boundary: Chinese text, surrogate pairs,
// and malformed input that must never be passed through or crash.
#include <gtest/gtest.h>

#include "platform/Utf.h"

using tandrel::platform::Utf16ToUtf8;
using tandrel::platform::Utf8ToUtf16;

TEST(Utf, RoundTripsChineseAndAstralText) {
  const std::string text = "Velmora V2.9(定时关机) 😀";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide.substr(0, 14), u"Velmora V2.9(定");
  EXPECT_EQ(wide.back(), u'\xDE00');  // low half of U+1F600
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE5\xAE"), u"\uFFFD\uFFFD");          // truncated sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");          // overlong '/'
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
}
