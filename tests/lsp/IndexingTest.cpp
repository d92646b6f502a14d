#include <gtest/gtest.h>

#include <string>

#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

constexpr int kPages = 600;

// A site of kPages pages that each include inc/shared.inc.
void WriteSharedSite(TempFolder& site) {
  site.Write("inc/shared.inc", "<p>shared</p>\r\n");
  for (int page = 0; page < kPages; ++page) {
    site.Write("pages/page" + std::to_string(page) + ".asp",
               "<!-- #include file=\"../inc/shared.inc\" -->\r\n");
  }
}

// Whether `said`, a window/showMessage, says that the answer to `method` is partial.
bool SaysPartial(const Json& said, const std::string& method) {
  return said["message"].get<std::string>().rfind(
             "lintra: the answer to " + method + " is partial: ", 0) == 0;
}

TEST(Indexing, ReferencesAskedWhileIndexingAreCompleteOrSaidToBePartial) {
  TempFolder site;
  WriteSharedSite(site);
  LspClient client;
  client.Start(site.Path(), [&] {
    const Json references = client.Result("textDocument/references",
                                          {{"textDocument", client.Document("inc/shared.inc")},
                                           {"position", {{"line", 0}, {"character", 0}}},
                                           {"context", {{"includeDeclaration", true}}}});
    if (references.size() == kPages) return;
    const Json said = client.WaitFor("window/showMessage", [](const Json&) { return true; });
    EXPECT_TRUE(SaysPartial(said, "textDocument/references")) << said.dump();
  });
}

TEST(Indexing, PagesReachingAFileAskedWhileIndexingAreCompleteOrSaidToBePartial) {
  TempFolder site;
  WriteSharedSite(site);
  LspClient client;
  client.Start(site.Path(), [&] {
    const Json tree =
        client.Result("lintra/includeTree", {{"textDocument", client.Document("inc/shared.inc")}});
    // The view shows the first 100 pages that reach a file.
    if (tree["roots"].size() == 100) return;
    const Json said = client.WaitFor("window/showMessage", [](const Json&) { return true; });
    EXPECT_TRUE(SaysPartial(said, "lintra/includeTree")) << said.dump();
  });
}

TEST(Indexing, AWorkspaceAboveTheSitesRootSaysOnceIndexedWhichFolderLooksLikeIt) {
  TempFolder repository;
  repository.Write("web/default.asp",
                   "<!-- #include virtual=\"/inc/head.asp\" -->\r\n"
                   "<!-- #include virtual=\"/INC/foot.asp\" -->\r\n");
  repository.Write("web/inc/head.asp", "<p>");
  repository.Write("web/inc/foot.asp", "<p>");
  LspClient above;
  above.Start(repository.Path());
  EXPECT_EQ(above.WaitFor("window/showMessage", [](const Json&) { return true; })["message"],
            "lintra: 2 of the 2 virtual include paths not found name files below web/: if web is "
            "the site's root, name it as the root in lintra.toml");
  LspClient at;
  at.Start(repository.Path() / "web");
  at.Result("shutdown", nullptr);
  EXPECT_EQ(at.Waiting("window/showMessage"), 0u);
}

}  // namespace
}  // namespace lintra
