#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace lintra {

using namespace std::string_view_literals;

TEST(Utf8, EscapedBytesAreWrittenBackAsThemselves) {
  for (const std::string_view bytes :
       {"plain"sv, "caf\xC3\xA9 \xE9t\xE9"sv, "\xEF\xBB\xBF\x93\x94"sv, "\xED\xA0\x80\xF4\x90"sv,
        "\xD6\xD0\xCE\xC4 \xF0\x9F\x98\x80"sv}) {
    EXPECT_EQ(text::ToBytes(text::FromUtf8(bytes)), bytes);
  }
  // Plain text is taken in blocks: a byte that is not plain is seen at any offset in a block.
  for (size_t at = 0; at < 40; ++at) {
    std::string bytes(40, 'a');
    bytes[at] = '\xE9';
    std::u16string expected(40, u'a');
    expected[at] = u'\xDCE9';
    EXPECT_EQ(text::FromUtf8(bytes), expected);
    EXPECT_EQ(text::ToBytes(expected), bytes);
  }
  // Long texts are decoded in slices: a sequence may straddle the end of one.
  for (size_t before = 2040; before < 2050; ++before) {
    const std::string bytes = std::string(before, 'a') + "\xF0\x9F\x98\x80\xC3\xA9\xE9";
    EXPECT_EQ(text::FromUtf8(bytes), std::u16string(before, u'a') + u"\U0001F600\u00E9\xDCE9");
  }
  // Lone surrogates that stand for no byte become U+FFFD.
  EXPECT_EQ(text::ToBytes(u"a\xD800"
                          u"b\xDC7F"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_TRUE(text::IsValidUtf8("caf\xC3\xA9"));
  EXPECT_FALSE(text::IsValidUtf8("caf\xE9"));
}

TEST(Utf8, ValidUtf8ShowsEscapedBytesAndLoneSurrogatesAsReplacementCharacters) {
  EXPECT_EQ(text::ToUtf8(text::FromUtf8("caf\xC3\xA9 \xE9t\xE9 \xF0\x9F\x98\x80")),
            "caf\xC3\xA9 \xEF\xBF\xBDt\xEF\xBF\xBD \xF0\x9F\x98\x80");
  EXPECT_EQ(text::ToUtf8(u"a\xD800"), "a\xEF\xBF\xBD");
}

// The readable form keeps names apart that the replacement character would merge, and leaves
// alone what is not an escaped byte: a surrogate pair, and a lone surrogate that stands for none.
TEST(Utf8, ReadableTextWritesEscapedBytesAsHexAndStaysValid) {
  EXPECT_EQ(text::ToReadable(text::FromUtf8("p\xBD.asp")), "p\\xBD.asp");
  EXPECT_EQ(text::ToReadable(text::FromUtf8("\x80\xff\xC3\xA9\xF0\x9F\x98\x80")),
            "\\x80\\xFF\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(text::ToReadable(u"a\xD800\xDCBD"), "a\xF0\x90\x82\xBD");
  EXPECT_EQ(text::ToReadable(u"a\xDC7F\xD800"), "a\xEF\xBF\xBD\xEF\xBF\xBD");
  std::string appended = "x ";
  text::AppendReadable(appended, text::FromUtf8("caf\xE9"));
  EXPECT_EQ(appended, "x caf\\xE9");
}

}  // namespace lintra
