#include <gtest/gtest.h>

#include <string>

#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

Json Range(int line, int character, int endLine, int endCharacter) {
  return {{"start", {{"line", line}, {"character", character}}},
          {"end", {{"line", endLine}, {"character", endCharacter}}}};
}

// A site whose pages reach FormatPrice two includes away; other.asp reaches it with another
// Currency than the pages that go through inc/top.inc.
class NameNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    site_.Write("default.asp",
                "<!-- #include file=\"inc/top.inc\" -->\r\n"
                "<% Dim total\r\n"
                "total = FormatPrice(3)\r\n"
                "Response.Write formatprice(total) %>\r\n");
    site_.Write(
        "shop/cart.asp",
        "<!-- #include file=\"../inc/top.inc\" -->\r\n"
        "<% Call FormatPrice(1)\r\n"
        "Class Basket : Public Items : Sub Add(x) : Items = x : End Sub : End Class %>\r\n");
    site_.Write("other.asp",
                "<!-- #include file=\"inc/lib/format.inc\" -->\r\n"
                "<!-- #include file=\"inc/alt.inc\" -->\r\n"
                "<% x = FormatPrice(2) %>\r\n");
    site_.Write("inc/top.inc",
                "<!-- #include file=\"lib/format.inc\" -->\r\n<% Const Currency = \"EUR\" %>\r\n");
    site_.Write("inc/alt.inc", "<% Const Currency = \"USD\" %>\r\n");
    site_.Write("inc/lib/format.inc",
                "<% Function FormatPrice(amount)\r\n"
                "  Dim shown\r\n"
                "  shown = amount & Currency\r\n"
                "  FormatPrice = shown\r\n"
                "End Function %>\r\n");
    client_.Start(site_.Path());
  }

  Json Ask(const std::string& method, const std::string& relative, int line, int character) {
    return client_.Result(method, {{"textDocument", client_.Document(relative)},
                                   {"position", {{"line", line}, {"character", character}}},
                                   {"context", {{"includeDeclaration", true}}}});
  }

  Json Location(const std::string& relative, const Json& range) {
    return {{"uri", client_.Uri(relative)}, {"range", range}};
  }

  TempFolder site_;
  LspClient client_;
};

TEST_F(NameNavigation, DefinitionGoesToTheIncludeThatDeclaresTheNameInAnyLetterCase) {
  const Json declaration = Location("inc/lib/format.inc", Range(0, 12, 0, 23));
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 2, 10), Json::array({declaration}));
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 3, 16), Json::array({declaration}));
  EXPECT_EQ(Ask("textDocument/definition", "inc/lib/format.inc", 2, 4),
            Json::array({Location("inc/lib/format.inc", Range(1, 6, 1, 11))}));
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 3, 2), Json());
}

TEST_F(NameNavigation, DefinitionGivesEveryDeclarationThatPagesReachingTheFileResolveTo) {
  const Json definitions = Ask("textDocument/definition", "inc/lib/format.inc", 2, 20);
  EXPECT_EQ(definitions, Json::array({Location("inc/top.inc", Range(1, 9, 1, 17)),
                                      Location("inc/alt.inc", Range(0, 9, 0, 17))}));
  const Json hover = Ask("textDocument/hover", "inc/lib/format.inc", 2, 20);
  EXPECT_EQ(hover["contents"]["value"],
            "```vb\n<% Const Currency = \"EUR\" %>\n```\n\nDeclared at `inc/top.inc:2`, through "
            "`default.asp:1 -> inc/top.inc`.\n\n---\n\n"
            "```vb\n<% Const Currency = \"USD\" %>\n```\n\nDeclared at `inc/alt.inc:1`, through "
            "`other.asp:2 -> inc/alt.inc`.");
  EXPECT_EQ(hover["range"], Range(2, 19, 2, 27));
}

TEST_F(NameNavigation, ReferencesGatherEveryUseThatResolvesToTheDeclaration) {
  EXPECT_EQ(Ask("textDocument/references", "inc/lib/format.inc", 0, 14),
            Json::array({Location("inc/lib/format.inc", Range(0, 12, 0, 23)),
                         Location("default.asp", Range(2, 8, 2, 19)),
                         Location("default.asp", Range(3, 15, 3, 26)),
                         Location("inc/lib/format.inc", Range(3, 2, 3, 13)),
                         Location("other.asp", Range(2, 7, 2, 18)),
                         Location("shop/cart.asp", Range(1, 8, 1, 19))}));
  EXPECT_EQ(Ask("textDocument/references", "inc/lib/format.inc", 3, 18),
            Json::array({Location("inc/lib/format.inc", Range(1, 6, 1, 11)),
                         Location("inc/lib/format.inc", Range(2, 2, 2, 7)),
                         Location("inc/lib/format.inc", Range(3, 16, 3, 21))}));
}

TEST_F(NameNavigation, HoverShowsTheDeclarationLineAndTheChainOfIncludes) {
  const Json hover = Ask("textDocument/hover", "default.asp", 2, 10);
  EXPECT_EQ(hover["contents"]["value"],
            "```vb\n<% Function FormatPrice(amount)\n```\n\nDeclared at `inc/lib/format.inc:1`, "
            "through `default.asp:1 -> inc/top.inc:1 -> inc/lib/format.inc`.");
  EXPECT_EQ(hover["range"], Range(2, 8, 2, 19));
}

TEST_F(NameNavigation, CompletionOffersTheNamesKnownAtTheCursorButNoMember) {
  std::vector<std::string> labels;
  for (const Json& item : Ask("textDocument/completion", "inc/lib/format.inc", 3, 2)) {
    labels.push_back(item["label"].get<std::string>() + " " + item["detail"].get<std::string>());
  }
  EXPECT_EQ(labels,
            (std::vector<std::string>{"amount inc/lib/format.inc:1", "shown inc/lib/format.inc:2",
                                      "Currency inc/top.inc:2", "FormatPrice inc/lib/format.inc:1",
                                      "total default.asp:2"}));
  EXPECT_EQ(Ask("textDocument/completion", "default.asp", 3, 9), Json::array());
}

TEST_F(NameNavigation, SymbolsListDeclarationsWithClassMembersAndAcrossTheSite) {
  const Json symbols = client_.Result("textDocument/documentSymbol",
                                      {{"textDocument", client_.Document("shop/cart.asp")}});
  ASSERT_EQ(symbols.size(), 2u) << symbols.dump();
  EXPECT_EQ(symbols[1]["name"], "Basket");
  EXPECT_EQ(symbols[1]["kind"], 5);
  ASSERT_EQ(symbols[1]["children"].size(), 2u);
  EXPECT_EQ(symbols[1]["children"][0]["name"], "Items");
  EXPECT_EQ(symbols[1]["children"][1]["name"], "Add");
  EXPECT_EQ(symbols[1]["children"][1]["kind"], 6);

  const Json found = client_.Result("workspace/symbol", {{"query", "price"}});
  ASSERT_EQ(found.size(), 1u) << found.dump();
  EXPECT_EQ(found[0]["name"], "FormatPrice");
  EXPECT_EQ(found[0]["kind"], 12);
  EXPECT_EQ(found[0]["location"], Location("inc/lib/format.inc", Range(0, 12, 0, 23)));
}

}  // namespace
}  // namespace lintra
