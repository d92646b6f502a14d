#include "site/TextPosition.h"

#include <gtest/gtest.h>

#include <string>

namespace lintra {

namespace {

// The line and column of every position of `content` and of the one past its end, as
// "line:column" separated by spaces.
std::string Places(const Text& content) {
  const LineIndex lines(content);
  std::string places;
  for (int32_t position = 1; position <= static_cast<int32_t>(content.size()) + 1; ++position) {
    const LineColumn at = lines.At(position);
    places +=
        (places.empty() ? "" : " ") + std::to_string(at.line) + ":" + std::to_string(at.column);
  }
  return places;
}

// Every pair of positions of `content` (the one past its end too) of which After, from the
// first, places the second otherwise than At, as "from>position" separated by spaces.
std::string PlacesAfterEach(const Text& content) {
  const LineIndex lines(content);
  const auto last = static_cast<int32_t>(content.size()) + 1;
  std::string wrong;
  for (int32_t from = 1; from <= last; ++from) {
    for (int32_t position = 1; position <= last + 1; ++position) {
      const LineColumn after = lines.After(from, lines.At(from), position);
      const LineColumn at = lines.At(position);
      if (after.line != at.line || after.column != at.column) {
        wrong += std::to_string(from) + ">" + std::to_string(position) + " ";
      }
    }
  }
  return wrong;
}

}  // namespace

TEST(LineIndex, EndsLinesAtCrLfLfAndALoneCr) {
  struct Case {
    const char16_t* content;
    const char* places;
  };
  for (const Case& c :
       {Case{u"", "1:1"}, Case{u"ab", "1:1 1:2 1:3"}, Case{u"a\r\nb", "1:1 1:2 1:3 2:1 2:2"},
        Case{u"a\nb\rc", "1:1 1:2 2:1 2:2 3:1 3:2"}, Case{u"\r\r\n\n", "1:1 2:1 2:2 3:1 4:1"},
        Case{u"x\r", "1:1 1:2 2:1"},
        // A leading byte-order mark is no column; a U+FEFF anywhere else is a character.
        Case{u"\uFEFFab\nc", "1:1 1:1 1:2 1:3 2:1 2:2"}, Case{u"\uFEFF", "1:1 1:1"},
        Case{u"a\uFEFF\n\uFEFF", "1:1 1:2 1:3 2:1 2:2"}}) {
    EXPECT_EQ(Places(c.content), c.places) << text::ToUtf8(c.content);
    EXPECT_EQ(PlacesAfterEach(c.content), "") << text::ToUtf8(c.content);
  }
}

// Lines of every length from none to three times the stretch a look-up is narrowed to, so that
// line starts fall on, just before and just after the edges of the stretches, and stretches hold
// many lines, one or none.
TEST(LineIndex, PlacesEveryPositionOfALongTextAsCountingItsLineBreaksDoes) {
  Text content;
  for (size_t length = 0; length < 800; length += 1 + length / 16) {
    content += Text(length, u'x') + (length % 3 == 0 ? u"\r\n" : length % 3 == 1 ? u"\n" : u"\r");
  }
  std::string expected;
  int32_t line = 1;
  int32_t column = 1;
  for (size_t at = 0; at <= content.size(); ++at) {
    expected += (expected.empty() ? "" : " ") + std::to_string(line) + ":" + std::to_string(column);
    if (at == content.size()) break;
    const bool breaks =
        content[at] == u'\n' ||
        (content[at] == u'\r' && (at + 1 == content.size() || content[at + 1] != u'\n'));
    line += breaks ? 1 : 0;
    column = breaks ? 1 : column + 1;
  }
  EXPECT_EQ(Places(content), expected);
}

TEST(LineIndex, GivesEachLinesTextWithoutItsBreakAndNothingPastTheLast) {
  const Text content = u"ab\r\n\rcd\n\ne";
  const LineIndex index(content);
  std::string lines;
  for (int32_t line = 0; line <= 6; ++line) {
    const LineIndex::Span span = index.Line(content, line);
    lines += text::ToUtf8(content.substr(span.begin, span.end - span.begin)) + "|";
  }
  // Line 0 reads as line 1; lines 6 and on are empty at the end.
  EXPECT_EQ(lines, "ab|ab||cd||e||");
  EXPECT_EQ(index.Line(content, 9).begin, content.size());
  // Line 1 starts after a byte-order mark, so that its columns and its text agree.
  const Text marked = u"\uFEFFab\n\uFEFF";
  const LineIndex markedIndex(marked);
  const LineIndex::Span first = markedIndex.Line(marked, 1);
  EXPECT_EQ(marked.substr(first.begin, first.end - first.begin), u"ab");
  EXPECT_EQ(markedIndex.Line(marked, 2).begin, 4u);
  const Text markOnly = u"\uFEFF";
  EXPECT_EQ(LineIndex(markOnly).Line(markOnly, 1).begin, 1u);
  EXPECT_EQ(LineIndex(markOnly).Line(markOnly, 1).end, 1u);
}

}  // namespace lintra
