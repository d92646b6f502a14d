#include "apps/lsp/NameIndex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lintra {
namespace {

using lsp::DeclarationRef;
using lsp::NameIndex;

std::string Show(const std::optional<DeclarationRef>& resolved) {
  if (!resolved) return "none";
  return std::to_string(resolved->file) + "#" + std::to_string(resolved->declaration);
}

TEST(NameIndex, ResolvesANameToThePagesChoiceOrElseItsOneDeclarationAmongThePagesFiles) {
  NameIndex index;
  index.Scan(1, u"<% Dim a : Sub Foo : End Sub %>");
  index.Scan(2, u"<% Sub Foo : End Sub %>");
  index.Scan(3, u"<% Foo %>");
  const uint32_t foo = index.Key(u"FOO");
  // Fewer declarations than files: each declaration is looked for among the files.
  EXPECT_EQ(Show(index.Resolve({}, {1, 3, 4}, foo)), "1#1");
  EXPECT_EQ(Show(index.Resolve({}, {2, 3, 4}, foo)), "2#0");
  // More declarations than files: each file is looked into.
  EXPECT_EQ(Show(index.Resolve({}, {2}, foo)), "2#0");
  EXPECT_EQ(Show(index.Resolve({}, {3}, foo)), "none");
  // A page whose tree declares the name twice keeps its choice.
  EXPECT_EQ(Show(index.Resolve({{foo, {2, 0}}}, {1, 2, 3}, foo)), "2#0");

  index.Forget(1);
  EXPECT_EQ(Show(index.Resolve({}, {1, 3}, foo)), "none");
  EXPECT_EQ(index.DeclaredBy(foo).size(), 1u);
  index.Scan(2, u"<% Dim b %>");
  EXPECT_TRUE(index.DeclaredBy(foo).empty());
}

TEST(NameIndex, KeepsEachUseByItsKeyWithItsPlaceAndLocal) {
  NameIndex index;
  const lsp::FileNames& names = index.Scan(0, u"<% Sub S(a)\r\n  a = Total(a)\r\nEnd Sub %>");
  ASSERT_EQ(names.uses.size(), 3u);
  EXPECT_EQ(names.uses[1].range, (lsp::NameRange{2, 7, 12}));
  EXPECT_EQ(names.uses[0].local, 0);
  EXPECT_EQ(names.uses[1].local, -1);
  ASSERT_EQ(names.usesByKey.size(), 1u);
  EXPECT_EQ(names.usesByKey[0], std::make_pair(index.Key(u"TOTAL"), uint32_t{1}));
  EXPECT_EQ(names.FirstDeclarationOf(index.Key(u"S")), std::optional<uint32_t>(0));
  EXPECT_EQ(names.DeclarationAt(7), std::optional<uint32_t>(0));
  EXPECT_EQ(names.DeclarationAt(8), std::nullopt);
}

}  // namespace
}  // namespace lintra
