#include "apps/lsp/IndexHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "analysis/SourceText.h"
#include "apps/lsp/Workspace.h"
#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

// A site of `pages` pages, p0.asp to p<pages - 1>.asp, each including inc/shared.inc on its
// second line; the shared include names a file that is not there.
void WriteSharedSite(const TempFolder& site, int pages) {
  site.Write("inc/shared.inc", "<!-- #include file=\"gone.inc\" -->\r\n");
  site.Write("inc/other.inc", "<p>other</p>\r\n");
  for (int page = 0; page < pages; ++page) {
    site.Write(
        "p" + std::to_string(page) + ".asp",
        "<p>" + std::to_string(page) + "</p>\r\n<!-- #include file=\"inc/shared.inc\" -->\r\n");
  }
}

Json References(LspClient& client, const std::string& file) {
  return client.Result("textDocument/references", {{"textDocument", client.Document(file)},
                                                   {"position", {{"line", 0}, {"character", 0}}},
                                                   {"context", {{"includeDeclaration", true}}}});
}

}  // namespace

TEST(IndexHelper, HandsOverEveryPageItClaimedAndLeavesTheRestToTheServer) {
  TempFolder site;
  WriteSharedSite(site, 60);
  std::vector<std::pair<uint32_t, Text>> pages;
  for (uint32_t page = 0; page < 60; ++page) {
    pages.emplace_back(page, text::FromUtf8("p" + std::to_string(page) + ".asp"));
  }
  lsp::IndexHelper helper(site.Path(), 1000, pages);
  std::set<uint32_t> byServer;
  std::set<uint32_t> byHelper;
  for (uint32_t page = 60; page-- > 30;) {
    if (helper.Claim(page)) byServer.insert(page);
  }
  while (byServer.size() + byHelper.size() < 60) {
    helper.Wait(std::chrono::milliseconds(100));
    for (const lsp::PageFiles& found : helper.Take()) {
      EXPECT_TRUE(byHelper.insert(found.page).second) << found.page;
      EXPECT_FALSE(byServer.count(found.page)) << found.page;
      EXPECT_FALSE(found.failed);
      ASSERT_EQ(found.files.size(), 3u);
      EXPECT_EQ(found.files[1], u"inc/shared.inc");
      EXPECT_EQ(found.files[2], u"gone.inc");
      ASSERT_EQ(found.directives.size(), 2u);
      EXPECT_EQ(found.directives[1].holder, 1u);
      EXPECT_EQ(found.directives[1].start, 1);
    }
  }
  EXPECT_TRUE(byHelper.count(0));
  // A page handed over may be analysed again by the server, and one off the list always.
  EXPECT_TRUE(helper.Claim(*byHelper.begin()));
  EXPECT_TRUE(helper.Claim(1000));
}

// A page saved in Shift-JIS names its include in that code page, after text in it on the same
// line: read in the project's code page, as the server's own analyses read it, the include is the
// file on disk and the directive starts at the eleventh unit, after the ten of "<p>日本語</p>".
TEST(IndexHelper, ReadsThePagesInTheProjectsCodePageAsTheServerDoes) {
  TempFolder site;
  site.Write("a.asp",
             "<p>\x93\xfa\x96\x7b\x8c\xea</p><!-- #include file=\"\x95\x94\x95\x69.inc\" -->\r\n");
  site.Write("\xe9\x83\xa8\xe5\x93\x81.inc", "<p>part</p>\r\n");
  lsp::IndexHelper helper(site.Path(), 1000, {{0, u"a.asp"}}, "SHIFT_JIS");
  std::vector<lsp::PageFiles> found;
  for (int wait = 0; wait < 50 && found.empty(); ++wait) {
    helper.Wait(std::chrono::milliseconds(100));
    found = helper.Take();
  }
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].files, (std::vector<Text>{u"a.asp", u"部品.inc"}));
  ASSERT_EQ(found[0].directives.size(), 1u);
  EXPECT_EQ(found[0].directives[0].start, 11);

  ProjectSettings project;
  project.encoding = "SHIFT_JIS";
  lsp::Workspace workspace(site.Path(), project);
  const uint32_t page = workspace.Id(u"a.asp");
  workspace.Reindex(page, {});
  EXPECT_EQ(workspace.Index().Record(page)->directives[0].start, found[0].directives[0].start);
}

TEST(IndexHelper, LeavesEveryPageToTheServerWhenItCannotOpenTheSite) {
  TempFolder site;
  lsp::IndexHelper helper(site.Path() / "gone", 1000, {{0, u"a.asp"}, {1, u"b.asp"}});
  helper.Wait(std::chrono::milliseconds(50));
  EXPECT_TRUE(helper.Take().empty());
  EXPECT_TRUE(helper.Claim(0));
  EXPECT_TRUE(helper.Claim(1));
}

TEST(IndexHelper, APageFoundOnDiskThatHoldsAnOpenDocumentIsAnalysedFromItsBuffer) {
  TempFolder site;
  WriteSharedSite(site, 2);
  lsp::Workspace workspace(site.Path());
  const uint32_t page = workspace.Id(u"p1.asp");
  const lsp::PageFiles found{page,
                             false,
                             {u"p1.asp", u"inc/shared.inc", u"gone.inc"},
                             {{0, 1, 12, 51}, {1, 2, 1, 33}},
                             {}};
  workspace.Record(found, {});
  EXPECT_EQ(workspace.Index().Reaching(workspace.Id(u"inc/shared.inc")),
            std::vector<uint32_t>{page});

  workspace.Documents().Open(
      {"", u"p1.asp", 1,
       std::make_shared<const SourceText>(Text(u"<!-- #include file=\"inc/other.inc\" -->\r\n"))});
  workspace.Record(found, {page});
  EXPECT_TRUE(workspace.Index().Reaching(workspace.Id(u"inc/shared.inc")).empty());
  EXPECT_EQ(workspace.Index().Reaching(workspace.Id(u"inc/other.inc")),
            std::vector<uint32_t>{page});
  EXPECT_TRUE(workspace.Index().Record(page)->checked);
}

TEST(IndexHelper, TheServerIndexesALargeSiteWithItAndAPageOpenWhileIndexingKeepsItsBuffer) {
  TempFolder site;
  WriteSharedSite(site, 400);
  LspClient client;
  client.Start(site.Path(), [&] {
    client.Open("p200.asp", "<p>200</p>\r\n<!-- #include file=\"inc/other.inc\" -->\r\n");
  });
  EXPECT_EQ(References(client, "inc/shared.inc").size(), 399u);
  const Json other = References(client, "inc/other.inc");
  ASSERT_EQ(other.size(), 1u);
  EXPECT_EQ(other[0]["uri"], client.Uri("p200.asp"));
}

}  // namespace lintra
