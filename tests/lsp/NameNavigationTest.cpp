#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    site_.Write("log.asp",
                "<!-- #include file=\"inc/log1.inc\" -->\r\n"
                "<!-- #include file=\"inc/log2.inc\" -->\r\n"
                "<% Log \"x\" %>\r\n");
    site_.Write("mixed.asp",
                "<% Class Outer : Sub Run()\r\n%>\r\n"
                "<script language=\"VBScript\" runat=\"server\">\r\n"
                "Class Inner : Sub Go() : End Sub : End Class\r\n</script>\r\n"
                "<% End Sub : End Class %>\r\n");
    site_.Write("inc/log1.inc", "<% Sub Log(m) : End Sub %>\r\n");
    site_.Write("inc/log2.inc", "<% Sub Log(m) : End Sub %>\r\n");
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

TEST_F(NameNavigation, AnEditedIncludeIsReadAgainForItsNames) {
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 2, 10),
            Json::array({Location("inc/lib/format.inc", Range(0, 12, 0, 23))}));
  client_.Open("inc/lib/format.inc",
               "<% ' money\r\nFunction FormatPrice(amount)\r\n"
               "End Function %>\r\n");
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 2, 10),
            Json::array({Location("inc/lib/format.inc", Range(1, 9, 1, 20))}));
  client_.Change(
      "inc/lib/format.inc", 2,
      {{"text", "<%\r\n' money\r\nFunction FormatPrice(amount)\r\nEnd Function %>\r\n"}});
  EXPECT_EQ(Ask("textDocument/definition", "default.asp", 2, 10),
            Json::array({Location("inc/lib/format.inc", Range(2, 9, 2, 20))}));
}

TEST_F(NameNavigation, DefinitionOfAProcedureDeclaredTwiceInThePageIsTheLast) {
  EXPECT_EQ(Ask("textDocument/definition", "log.asp", 2, 4),
            Json::array({Location("inc/log2.inc", Range(0, 7, 0, 10))}));
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
  // Nor does it outside the VBScript code: in a directive, a string or the text after "%>".
  EXPECT_EQ(Ask("textDocument/completion", "default.asp", 0, 8), Json::array());
  EXPECT_EQ(Ask("textDocument/completion", "inc/top.inc", 1, 22), Json::array());
  EXPECT_EQ(Ask("textDocument/completion", "inc/top.inc", 1, 28), Json::array());
  EXPECT_EQ(Ask("textDocument/completion", "inc/top.inc", 1, 18).size(), 3u);
}

TEST_F(NameNavigation, CompletionOffersNoNamesInCommentsButDoesInCodeThatLooksLikeOne) {
  client_.Open("default.asp",
               "<!-- #include file=\"inc/top.inc\" -->\r\n"
               "<% Dim total\r\n"
               "' total t\r\n"
               "Rem total t\r\n"
               "x = 1 : rem t\r\n"
               "x = \"it's\" REM t\r\n"
               "Remark = t\r\n"
               "Response.Rem t\r\n"
               "y = [it's] + t\r\n"
               "z = \"rem\" & t\r\n"
               "Rem\r\n"
               "%>\r\n");
  for (const auto& [line, character] : {std::pair(2, 9), {3, 11}, {4, 13}, {5, 16}, {3, 4}}) {
    EXPECT_EQ(Ask("textDocument/completion", "default.asp", line, character), Json::array())
        << line << ":" << character;
  }
  for (const auto& [line, character] : {std::pair(6, 10), {7, 14}, {8, 14}, {9, 13}, {10, 3}}) {
    EXPECT_FALSE(Ask("textDocument/completion", "default.asp", line, character).empty())
        << line << ":" << character;
  }
}

TEST_F(NameNavigation, SymbolsListDeclarationsWithClassMembersAndAcrossTheSite) {
  const Json symbols = client_.Result("textDocument/documentSymbol",
                                      {{"textDocument", client_.Document("shop/cart.asp")}});
  ASSERT_EQ(symbols.size(), 2u) << symbols.dump();
  EXPECT_EQ(symbols[1]["name"], "Basket");
  EXPECT_EQ(symbols[1]["kind"], 5);
  // A class or procedure spans its whole body, which holds its name and its members.
  EXPECT_EQ(symbols[1]["range"], Range(2, 0, 2, 74));
  EXPECT_EQ(symbols[1]["selectionRange"], Range(2, 6, 2, 12));
  ASSERT_EQ(symbols[1]["children"].size(), 2u);
  EXPECT_EQ(symbols[1]["children"][0]["name"], "Items");
  EXPECT_EQ(symbols[1]["children"][0]["range"], Range(2, 22, 2, 27));
  EXPECT_EQ(symbols[1]["children"][1]["name"], "Add");
  EXPECT_EQ(symbols[1]["children"][1]["kind"], 6);
  // A member procedure spans its own body.
  EXPECT_EQ(symbols[1]["children"][1]["range"], Range(2, 30, 2, 62));
  EXPECT_EQ(symbols[1]["children"][1]["selectionRange"], Range(2, 34, 2, 37));
  const Json procedure = client_.Result("textDocument/documentSymbol",
                                        {{"textDocument", client_.Document("inc/lib/format.inc")}});
  ASSERT_EQ(procedure.size(), 1u) << procedure.dump();
  EXPECT_EQ(procedure[0]["range"], Range(0, 3, 4, 12));
  EXPECT_EQ(procedure[0]["selectionRange"], Range(0, 12, 0, 23));

  const Json found = client_.Result("workspace/symbol", {{"query", "price"}});
  ASSERT_EQ(found.size(), 1u) << found.dump();
  EXPECT_EQ(found[0]["name"], "FormatPrice");
  EXPECT_EQ(found[0]["kind"], 12);
  EXPECT_EQ(found[0]["location"], Location("inc/lib/format.inc", Range(0, 12, 0, 23)));
}

// A class of a <script runat="server"> block that stands inside a class of the <% %> code holds
// its own members only, and spans them rather than the outer class's body.
TEST_F(NameNavigation, AClassInAScriptBlockWithinAnotherHoldsOnlyItsOwnMembers) {
  const Json symbols = client_.Result("textDocument/documentSymbol",
                                      {{"textDocument", client_.Document("mixed.asp")}});
  ASSERT_EQ(symbols.size(), 2u) << symbols.dump();
  EXPECT_EQ(symbols[0]["name"], "Outer");
  EXPECT_EQ(symbols[0]["range"], Range(0, 3, 5, 22));
  ASSERT_EQ(symbols[0]["children"].size(), 1u) << symbols.dump();
  EXPECT_EQ(symbols[0]["children"][0]["range"], Range(0, 17, 5, 10));
  EXPECT_EQ(symbols[1]["name"], "Inner");
  EXPECT_EQ(symbols[1]["range"], Range(3, 6, 3, 32));
  ASSERT_EQ(symbols[1]["children"].size(), 1u) << symbols.dump();
  EXPECT_EQ(symbols[1]["children"][0]["name"], "Go");
}

// References that name files whose URIs need escapes: a space, letters beyond ASCII and a "%"
// in names on disk, and an unsaved document whose URI, as the editor wrote it, holds quotes
// unescaped. Each place is named exactly as the editor names its file.
TEST(NameReferencesInFiles, NameEachFileByItsUriHoweverItIsEscaped) {
  TempFolder site;
  site.Write(
      "inc/Gr\xC3\xBC\xC3\x9F"
      "e 100%.inc",
      "<% Function Hello(who)\r\nHello = who\r\nEnd Function %>\r\n");
  site.Write("my page.asp",
             "<!-- #include file=\"inc/Gr\xC3\xBC\xC3\x9F"
             "e 100%.inc\" -->\r\n"
             "<% x = Hello(1) %>\r\n");
  site.Write("caf\xC3\xA9/%41.asp",
             "<!-- #include file=\"../inc/Gr\xC3\xBC\xC3\x9F"
             "e 100%.inc\" -->\r\n"
             "<% Call Hello(2) %>\r\n");
  LspClient client;
  client.Start(site.Path());
  const std::string root = lsp::UriOfPath(site.Path());
  const std::string include = root + "/inc/Gr%C3%BC%C3%9Fe%20100%25.inc";
  const auto at = [](const std::string& uri, int line, int character, int endCharacter) {
    return Json{{"uri", uri}, {"range", Range(line, character, line, endCharacter)}};
  };
  const auto references = [&](const std::string& uri, int line, int character) {
    return client.Result("textDocument/references",
                         {{"textDocument", {{"uri", uri}}},
                          {"position", {{"line", line}, {"character", character}}},
                          {"context", {{"includeDeclaration", true}}}});
  };
  EXPECT_EQ(references(include, 0, 14),
            Json::array({at(include, 0, 12, 17), at(root + "/caf%C3%A9/%2541.asp", 1, 8, 13),
                         at(include, 1, 0, 5), at(root + "/my%20page.asp", 1, 7, 12)}));

  const std::string draft = root + "/draft \"1\".asp";
  client.Notify("textDocument/didOpen",
                {{"textDocument",
                  {{"uri", draft},
                   {"languageId", "asp"},
                   {"version", 1},
                   {"text", "<% Sub Show(a)\r\nResponse.Write a\r\nEnd Sub %>\r\n"}}}});
  EXPECT_EQ(references(draft, 1, 15), Json::array({at(draft, 0, 12, 13), at(draft, 1, 15, 16)}));
}

// A class in a <script runat="server"> block, whose body the scan of <% %> code does not give,
// still holds its members, so that an outline nests them under it.
TEST(DocumentSymbolsInScriptBlocks, AClassHoldsItsMembers) {
  TempFolder site;
  site.Write("cart.asp",
             "<script language=\"vbscript\" runat=\"server\">\r\n"
             "Class Cart\r\n"
             "  Public Lines, Total\r\n"
             "End Class\r\n"
             "</script>\r\n");
  LspClient client;
  client.Start(site.Path());
  const Json symbols =
      client.Result("textDocument/documentSymbol", {{"textDocument", client.Document("cart.asp")}});
  ASSERT_EQ(symbols.size(), 1u) << symbols.dump();
  EXPECT_EQ(symbols[0]["selectionRange"], Range(1, 6, 1, 10));
  EXPECT_EQ(symbols[0]["range"], Range(1, 6, 2, 21));
  ASSERT_EQ(symbols[0]["children"].size(), 2u);
  EXPECT_EQ(symbols[0]["children"][1]["range"], Range(2, 16, 2, 21));
}

}  // namespace
}  // namespace lintra
