#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/ErrorRecord.h"
#include "platform/Text.h"
#include "platform/TextArray.h"
#include "platform/Toolbar.h"
#include "support/Errors.h"

namespace lintra {

TEST(TextArray, OneDimensionKeepsItsBounds) {
  TextArray list(2, 4);
  EXPECT_EQ(list.UBound(1), 4);
  list.At(2) = u"first";
  list.At(4) = u"last";
  EXPECT_EQ(list.At(2) + list.At(3) + list.At(4), u"firstlast");

  EXPECT_EQ(ErrorOf([&] { list.At(1); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.At(5); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.At(2, 0); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.UBound(2); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.UBound(0); }), 9);

  TextArray empty(0, -1);
  EXPECT_EQ(empty.UBound(), -1);
  EXPECT_EQ(ErrorOf([&] { empty.At(0); }), 9);
  EXPECT_EQ(ErrorOf([] { TextArray(0, -2); }), 9);

  constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
  TextArray edge(lowest, lowest);
  EXPECT_EQ(edge.At(lowest), u"");
  EXPECT_EQ(ErrorOf([&] { edge.At(lowest + 1); }), 9);
}

TEST(TextArray, TwoDimensionsNeedBothSubscripts) {
  TextArray table(0, 1, 1, 2);
  EXPECT_EQ(table.UBound(2), 2);
  table.At(0, 2) = u"A";
  table.At(1, 1) = u"B";
  EXPECT_EQ(table.At(0, 2), u"A");
  EXPECT_EQ(table.At(1, 1), u"B");
  EXPECT_EQ(table.At(1, 2), u"");

  EXPECT_EQ(ErrorOf([&] { table.At(0); }), 9);
  EXPECT_EQ(ErrorOf([&] { table.At(0, 0); }), 9);
  EXPECT_EQ(ErrorOf([&] { table.At(0, 3); }), 9);
  EXPECT_EQ(ErrorOf([&] { table.At(2, 1); }), 9);
  EXPECT_EQ(ErrorOf([&] { table.UBound(3); }), 9);
  EXPECT_EQ(ErrorOf([] { TextArray(0, 1, 3, 1); }), 9);
}

TEST(Toolbar, ClicksReachTheHandlerExceptOnSeparators) {
  Toolbar toolbar;
  EXPECT_EQ(toolbar.Add(u"One", u"First", Button::Kind::PushButton, 2), 1);
  EXPECT_EQ(toolbar.Add(u"", u"", Button::Kind::Separator, 0), 2);
  EXPECT_EQ(toolbar.Add(u"Two", u"Second", Button::Kind::PushButton, 1), 3);
  std::vector<Text> clicked;
  toolbar.OnButtonClick = [&](const Button& button) {
    clicked.push_back(button.Key + u"@" + text::FromNumber(button.Index));
  };
  for (int32_t position : {0, 1, 2, 3, 4, -1}) toolbar.Click(position);
  EXPECT_EQ(clicked, (std::vector<Text>{u"One@1", u"Two@3"}));
}

TEST(Text, NumbersAreWrittenInDecimalWithTheirSign) {
  EXPECT_EQ(text::FromNumber(0), u"0");
  EXPECT_EQ(text::FromNumber(40), u"40");
  EXPECT_EQ(text::FromNumber(-7), u"-7");
  EXPECT_EQ(text::FromNumber(INT64_MAX), u"9223372036854775807");
  EXPECT_EQ(text::FromNumber(INT64_MIN), u"-9223372036854775808");
}

}  // namespace lintra
