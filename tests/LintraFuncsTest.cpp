#include <gtest/gtest.h>

#include <utility>

#include "analysis/LintraFuncs.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// Status and value side by side, so that one EXPECT shows both on failure.
std::pair<int32_t, Text> Attr(TextView name, TextView text) {
  const AttributeResult result = AttributeValue(name, text);
  return {result.Status, result.Value};
}

const std::pair<int32_t, Text> kNoValue{AttributeResult::NoValue, u""};
const std::pair<int32_t, Text> kAbsent{AttributeResult::Absent, u""};

std::pair<int32_t, Text> Found(const Text& value) {
  return {AttributeResult::Found, value};
}

}  // namespace

TEST(AttributeValue, ReadsQuotedAndUnquotedValues) {
  EXPECT_EQ(Attr(u"File", u"#include file='inc/a.inc'"), Found(u"inc/a.inc"));
  EXPECT_EQ(Attr(u"File", u"#include file \t= \t'inc/a.inc' -->"), Found(u"inc/a.inc"));
  EXPECT_EQ(Attr(u"File", u"FILE=inc/a.inc"), Found(u"inc/a.inc"));
  EXPECT_EQ(Attr(u"file", u"file=a\tb c"), Found(u"a\tb"));
  EXPECT_EQ(Attr(u"file", u"file='a \"b\" c'"), Found(u"a \"b\" c"));
  EXPECT_EQ(Attr(u"file", u"file=\"\" x"), Found(u""));
  EXPECT_EQ(Attr(u"fil\u00e9", u"FIL\u00c9=\u00e9t\u00e9 x"), Found(u"\u00e9t\u00e9"));
}

TEST(AttributeValue, NameWithoutReadableValueGivesNoValue) {
  EXPECT_EQ(Attr(u"#include", u"#include file='x'"), kNoValue);
  EXPECT_EQ(Attr(u"File", u"#include virtual='/profile/x.asp' file='y'"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file \t "), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file="), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file= \t"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file='abc"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file=\"abc'"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file=x"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"file\r\n='x'"), kNoValue);
  EXPECT_EQ(Attr(u"file", u"virtual='x'"), kAbsent);
  EXPECT_EQ(Attr(u"file", u""), kAbsent);
}

TEST(AttributeValue, MatchesTheNameInAnyCaseButNothingElse) {
  EXPECT_EQ(Attr(u"FILE", u"#include f\u0131le='x'"), Found(u"x"));  // dotless i upper-cases to I
  EXPECT_EQ(Attr(u"file", u"#include fil\u0131e='x'"), kAbsent);
  EXPECT_EQ(Attr(u"", u"='x'"), Found(u"x"));
  // The marks after the name are read as they stand, so no other unit may stand for them.
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const char16_t upper = text::UCaseUnit(static_cast<char16_t>(unit));
    if (TextView(u"= \t\"'").find(upper) != TextView::npos) {
      EXPECT_EQ(upper, unit);
    }
  }
}

TEST(FileName, IsWhatFollowsTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(gfsFileName(u"a\\b/c.inc"), u"c.inc");
  EXPECT_EQ(gfsFileName(u"a/b\\c.inc"), u"c.inc");
  EXPECT_EQ(gfsFileName(u"a/b/"), u"");
}

TEST(CorrectWebPath, ResolvesParentSegmentsAndLeavesOddFormsAlone) {
  ScriptedMessageBox boxes;
  EXPECT_EQ(gfsCorrectWebPath(u"a/b/../c.inc"), u"a/c.inc");
  EXPECT_EQ(gfsCorrectWebPath(u"b/../c.inc"), u"c.inc");
  EXPECT_EQ(gfsCorrectWebPath(u"a/b/c/../../d"), u"a/d");
  EXPECT_EQ(gfsCorrectWebPath(u"a/../../b"), u"../b");
  EXPECT_EQ(gfsCorrectWebPath(u"../a/../b"), u"../b");
  EXPECT_EQ(gfsCorrectWebPath(u"/a/../b"), u"/b");
  EXPECT_EQ(gfsCorrectWebPath(u"a\\b\\..\\c"), u"a/c");
  EXPECT_EQ(gfsCorrectWebPath(u"a\\b/./c.inc"), u"a/b/./c.inc");
  EXPECT_EQ(gfsCorrectWebPath(u"/../x"), u"/x");
  EXPECT_EQ(gfsCorrectWebPath(u"a/x../b"), u"a/x../b");
  EXPECT_EQ(gfsCorrectWebPath(u"a/..x/b"), u"a/..x/b");
  EXPECT_EQ(gfsCorrectWebPath(u"a/.../b"), u"a/.../b");
  EXPECT_EQ(gfsCorrectWebPath(u"b/.."), u"");
  EXPECT_EQ(gfsCorrectWebPath(u"a/b/.."), u"a/");
  EXPECT_EQ(gfsCorrectWebPath(u"/.."), u"/");
  EXPECT_EQ(gfsCorrectWebPath(u".."), u"..");
  EXPECT_EQ(gfsCorrectWebPath(u"a//../b"), u"a/b");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(PathHelpers, TakeLinearTimeOnVeryLongPaths) {
  const size_t depth = 100000;
  EXPECT_EQ(gfsCorrectWebPath(Repeat(u"dir/", depth) + Repeat(u"../", depth) + u"x.inc"), u"x.inc");
  EXPECT_EQ(gfsCorrectWebPath(Repeat(u"a\\", depth) + u"..\\b"), Repeat(u"a/", depth - 1) + u"b");
  const Text dots = Repeat(u"x..", depth);
  EXPECT_EQ(gfsCorrectWebPath(dots), dots);
  EXPECT_EQ(gfsCorrectWebPath(Repeat(u"/..", depth)), u"/");
  const Text shared = Repeat(u"s/", depth);
  EXPECT_EQ(gfsRelativePath(shared + Repeat(u"a/", depth), shared + Repeat(u"B/", depth)),
            Repeat(u"../", depth) + Repeat(u"B/", depth - 1) + u"B");
}

TEST(RelativePath, RelatesFoldersIgnoringCase) {
  EXPECT_EQ(gfsRelativePath(u"shop", u"shop/sub/x"), u"sub/x");
  EXPECT_EQ(gfsRelativePath(u"shop/a/", u"shop/b/"), u"../b");
  EXPECT_EQ(gfsRelativePath(u"a/b/", u"c/"), u"../../c");
  EXPECT_EQ(gfsRelativePath(u"shop/a/", u"shop/"), u".");
  EXPECT_EQ(gfsRelativePath(u"shop/a/", u""), u".");
  EXPECT_EQ(gfsRelativePath(u"Shop/", u"shop/Sub/"), u"Sub");
  EXPECT_EQ(gfsRelativePath(u"", u"Inc/Sub/"), u"Inc/Sub");
}

TEST(UpperCase, MapsUnitByUnitKeepingLength) {
  EXPECT_EQ(text::UCase(u"abc/xyz.Inc"), u"ABC/XYZ.INC");
  EXPECT_EQ(text::UCase(u"\u00e9t\u00e9"), u"\u00c9T\u00c9");
  EXPECT_EQ(text::UCase(u"stra\u00dfe"), u"STRA\u00dfE");
  EXPECT_EQ(text::UCase(u"\u03b1\u0436"), u"\u0391\u0416");
  const Text surrogates{u'a', char16_t(0xD801), u'b', char16_t(0xDC28)};
  EXPECT_EQ(text::UCase(surrogates), (Text{u'A', char16_t(0xD801), u'B', char16_t(0xDC28)}));
  const Text ligature = u"\ufb01\u0149";
  EXPECT_EQ(text::UCase(ligature).size(), ligature.size());
}

}  // namespace lintra
