#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "apps/config/ProjectSettings.h"
#include "tests/apps/CliRun.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

std::string Framed(const Json& message) {
  const std::string body = message.dump();
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The bodies of the messages framed in `output`.
std::vector<Json> Messages(const std::string& output) {
  std::istringstream in(output);
  lsp::MessageReader reader(in);
  std::vector<Json> messages;
  while (const std::optional<lsp::Frame> frame = reader.Next()) {
    messages.push_back(Json::parse(frame->body));
  }
  return messages;
}

// A finding's rule and place (line and column from 1), with the place of the directive that its
// include chain starts from; a finding about a whole file stands on its first line.
using Placed = std::tuple<std::string, int64_t, int64_t, int64_t, int64_t>;

// The findings of check's JSON document in `file`.
std::multiset<Placed> CheckPlaces(const Json& check, const std::string& file) {
  std::multiset<Placed> places;
  for (const Json& finding : check["findings"]) {
    if (finding["file"] != file) continue;
    const Json first =
        finding["chain"].empty() ? Json{{"line", 0}, {"column", 0}} : finding["chain"][0];
    places.insert({finding["rule"].get<std::string>(),
                   std::max<int64_t>(finding["line"].get<int64_t>(), 1),
                   std::max<int64_t>(finding["column"].get<int64_t>(), 1),
                   first["line"].get<int64_t>(), first["column"].get<int64_t>()});
  }
  return places;
}

// The same of the diagnostics the language server published.
std::multiset<Placed> EditorPlaces(const Json& diagnostics) {
  std::multiset<Placed> places;
  for (const Json& diagnostic : diagnostics) {
    const Json& start = diagnostic["range"]["start"];
    const Json related = diagnostic.value("relatedInformation", Json::array());
    const Json first = related.empty() ? Json{{"line", -1}, {"character", -1}}
                                       : related[0]["location"]["range"]["start"];
    places.insert({diagnostic["code"].get<std::string>(), start["line"].get<int64_t>() + 1,
                   start["character"].get<int64_t>() + 1, first["line"].get<int64_t>() + 1,
                   first["character"].get<int64_t>() + 1});
  }
  return places;
}

TEST(LintraToml, AMistakeInTheFileAboveTheWorkspaceIsShownAtTheLineAndColumnCheckReports) {
  TempFolder repository;
  repository.Write("lintra.toml", "root = \"core\"\ncolour = 1\n");
  repository.Write("core/default.asp", "<p>home</p>\r\n");
  const std::filesystem::path input = repository.Write(
      "messages", Framed({{"jsonrpc", "2.0"},
                          {"id", 1},
                          {"method", "initialize"},
                          {"params", {{"rootUri", lsp::UriOfPath(repository.Path() / "core")}}}}) +
                      Framed({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}}) +
                      Framed({{"jsonrpc", "2.0"}, {"method", "exit"}}));
  const Outcome check = LintraIn(repository.Path() / "core", {"check"});
  EXPECT_EQ(check.err.substr(check.err.find("lintra.toml:")),
            "lintra.toml:2:10: unknown setting colour (the settings are root, pages, exclude, "
            "encoding, parent-paths, include-extensions, non-script-extensions, served-extensions, "
            "serve-any-extension, "
            "virtual-directories, rules)\n");

  const Outcome served =
      Collected(ShellQuoted(LINTRA_BINARY) + " lsp <" + ShellQuoted(input.string()));
  EXPECT_EQ(served.status, 0) << served.err;
  Json published;
  for (const Json& message : Messages(served.out)) {
    if (message.value("method", "") == "textDocument/publishDiagnostics") published = message;
  }
  EXPECT_EQ(published["params"]["uri"],
            lsp::UriOfPath(std::filesystem::canonical(repository.Path()) / "lintra.toml"));
  EXPECT_EQ(published["params"]["diagnostics"][0]["range"]["start"],
            Json::parse(R"({"line": 1, "character": 9})"));
  EXPECT_EQ(published["params"]["diagnostics"][0]["message"],
            "unknown setting colour (the settings are root, pages, exclude, encoding, "
            "parent-paths, include-extensions, non-script-extensions, served-extensions, "
            "serve-any-extension, virtual-directories, "
            "rules)");
}

// A page saved in Shift-JIS, which the editor never opens, names in that code page the include
// that the editor opens, after text in that code page on the same line. The server's index reads
// the page as check does, so it reaches the include and shows check's findings in it, their
// include chain starting at the directive's column, where check puts it; read otherwise, the page
// would name a file that is not there, and the include would be unused.
TEST(LintraToml, TheEncodingReadsTheFilesClosedInTheEditorAsCheckReadsThem) {
  TempFolder site;
  site.Write("lintra.toml", "encoding = \"SHIFT_JIS\"\n");
  site.Write("a.asp",
             "<p>\x93\xfa\x96\x7b\x8c\xea</p><!-- #include file=\"\x95\x94\x95\x69.inc\" -->\r\n");
  const std::string part = "<p>part</p>\r\n<!-- #include file=\"gone.inc\" -->\r\n";
  site.Write("\xe9\x83\xa8\xe5\x93\x81.inc", part);
  // Pages enough that the index's helper thread, which starts from the first, analyses a.asp.
  for (int page = 0; page < 100; ++page) {
    site.Write("p" + std::to_string(page) + ".asp", "<p>" + std::to_string(page) + "</p>\r\n");
  }
  const Outcome check = LintraIn(site.Path(), {"check", "--format", "json"});
  const std::multiset<Placed> expected =
      CheckPlaces(Json::parse(check.out), "\xe9\x83\xa8\xe5\x93\x81.inc");
  ASSERT_EQ(expected.count({"missing-include", 2, 1, 1, 11}), 1u) << check.out;

  LspClient client(LoadProjectSettings);
  client.Start(site.Path());
  client.Open("\xe9\x83\xa8\xe5\x93\x81.inc", part);
  Json shown;
  try {
    client.DiagnosticsOf(client.Uri("\xe9\x83\xa8\xe5\x93\x81.inc"), [&](const Json& all) {
      shown = all;
      return EditorPlaces(all) == expected;
    });
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(EditorPlaces(shown), expected) << shown.dump();
}

// The settings name the one page that check takes, and one that is not there, which check refuses
// and the editor leaves out, saying so; another page, with an include that is not there, and a
// file that no page includes are then nothing check looks at, and the editor shows nothing in
// them either.
TEST(LintraToml, ThePagesSettingNamesThePagesTheEditorChecksAsCheckDoes) {
  TempFolder site;
  site.Write("lintra.toml", "pages = [\"./A.asp\", \"gone.asp\"]\n");
  site.Write("a.asp", "<!-- #include file=\"part.inc\" -->\r\n");
  const std::string part = "<p>part</p>\r\n<!-- #include file=\"gone.inc\" -->\r\n";
  site.Write("part.inc", part);
  const std::string other = "<!-- #include file=\"other.inc\" -->\r\n";
  site.Write("b.asp", other);
  site.Write("lone.inc", "<p>lone</p>\r\n");
  EXPECT_EQ(LintraIn(site.Path(), {"check"}).err,
            "lintra: page gone.asp does not exist in . (the pages setting of lintra.toml names "
            "it)\n");
  const Outcome check = LintraIn(site.Path(), {"check", "--format", "json", "a.asp"});
  const Json checked = Json::parse(check.out);
  const std::multiset<Placed> expected = CheckPlaces(checked, "part.inc");
  ASSERT_EQ(expected.count({"missing-include", 2, 1, 1, 1}), 1u) << check.out;

  LspClient client(LoadProjectSettings);
  client.Start(site.Path(), [&] {
    EXPECT_EQ(client.WaitFor("window/logMessage", [](const Json&) { return true; })["message"],
              "lintra: the page gone.asp that lintra.toml names does not exist; it is left out");
  });
  client.Open("b.asp", other);
  EXPECT_EQ(client.DiagnosticsOf(client.Uri("b.asp"), [](const Json&) { return true; }),
            Json::array());
  client.Open("lone.inc", "<p>lone</p>\r\n");
  EXPECT_EQ(client.DiagnosticsOf(client.Uri("lone.inc"), [](const Json&) { return true; }),
            Json::array());
  client.Open("part.inc", part);
  const Json shown = client.DiagnosticsOf(client.Uri("part.inc"), [](const Json&) { return true; });
  EXPECT_EQ(EditorPlaces(shown), expected) << shown.dump();
}

// The web root and a virtual directory's folder lie side by side, as a repository often keeps
// them. The file of the virtual directory opened in the editor shows what check finds in it, and
// the page's directive leads to it, with its hover saying it was found.
TEST(LintraToml, AFileOfAVirtualDirectoryOutsideTheRootIsOneTheEditorKnows) {
  TempFolder repository;
  repository.Write("lintra.toml",
                   "root = \"site\"\n[virtual-directories]\n\"/shared\" = \"lib\"\n");
  const std::string page = "<!-- #include virtual=\"/shared/tools.inc\" -->\r\n";
  repository.Write("site/default.asp", page);
  const std::string tools = "<p>tools</p>\r\n<!-- #include file=\"gone.inc\" -->\r\n";
  repository.Write("lib/tools.inc", tools);
  const Outcome check = LintraIn(repository.Path(), {"check", "--format", "json"});
  const std::multiset<Placed> expected = CheckPlaces(Json::parse(check.out), "lib/tools.inc");
  ASSERT_EQ(expected.count({"missing-include", 2, 1, 1, 1}), 1u) << check.out;

  LspClient client(LoadProjectSettings);
  client.Start(std::filesystem::canonical(repository.Path()) / "site");
  const std::string toolsUri =
      lsp::UriOfPath(std::filesystem::canonical(repository.Path()) / "lib/tools.inc");
  client.Notify("textDocument/didOpen",
                {{"textDocument",
                  {{"uri", toolsUri}, {"languageId", "asp"}, {"version", 1}, {"text", tools}}}});
  const Json shown = client.DiagnosticsOf(toolsUri, [](const Json&) { return true; });
  EXPECT_EQ(EditorPlaces(shown), expected) << shown.dump();

  client.Open("default.asp", page);
  const Json at = {{"textDocument", client.Document("default.asp")},
                   {"position", {{"line", 0}, {"character", 25}}}};
  EXPECT_EQ(client.Result("textDocument/definition", at)["uri"], toolsUri);
  EXPECT_EQ(client.Result("textDocument/hover", at)["contents"]["value"],
            "`shared/tools.inc`\n\nFound exactly. Reached by 1 page.");
}

}  // namespace
}  // namespace lintra
