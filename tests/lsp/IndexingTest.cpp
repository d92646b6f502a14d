#include <gtest/gtest.h>

#include <string>

#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

TEST(Indexing, ReferencesAskedWhileIndexingAreCompleteOrSaidToBePartial) {
  constexpr int kPages = 600;
  TempFolder site;
  site.Write("inc/shared.inc", "<p>shared</p>\r\n");
  for (int page = 0; page < kPages; ++page) {
    site.Write("pages/page" + std::to_string(page) + ".asp",
               "<!-- #include file=\"../inc/shared.inc\" -->\r\n");
  }
  LspClient client;
  client.Start(site.Path(), [&] {
    const Json references = client.Result("textDocument/references",
                                          {{"textDocument", client.Document("inc/shared.inc")},
                                           {"position", {{"line", 0}, {"character", 0}}},
                                           {"context", {{"includeDeclaration", true}}}});
    if (references.size() == kPages) return;
    const Json said = client.WaitFor("window/showMessage", [](const Json&) { return true; });
    EXPECT_EQ(said["message"].get<std::string>().rfind(
                  "lintra: the answer to textDocument/references is partial: ", 0),
              0u)
        << said.dump();
  });
}

}  // namespace
}  // namespace lintra
