#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/apps/CliRun.h"
#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

Json Range(int line, int character, int endLine, int endCharacter) {
  return {{"start", {{"line", line}, {"character", character}}},
          {"end", {{"line", endLine}, {"character", endCharacter}}}};
}

Json At(int line, int character) {
  return {{"line", line}, {"character", character}};
}

// Whether some diagnostic of `diagnostics` comes from the rule `rule`.
bool Has(const Json& diagnostics, const std::string& rule) {
  return std::any_of(diagnostics.begin(), diagnostics.end(),
                     [&](const Json& d) { return d["code"] == rule; });
}

// The diagnostics from the rule `rule` of those published for `relative` once `accept` takes
// them, by default once some come from that rule.
Json Findings(LspClient& client, const std::string& relative, const std::string& rule,
              const std::function<bool(const Json&)>& accept = {}) {
  Json chosen = Json::array();
  for (const Json& d : client.DiagnosticsOf(client.Uri(relative), [&](const Json& all) {
         return accept ? accept(all) : Has(all, rule);
       })) {
    if (d["code"] == rule) chosen.push_back(d);
  }
  return chosen;
}

const char* const kPage =
    "<% Dim total %>\r\n"
    "<!-- #include file=\"inc/lib.inc\" -->\r\n"
    "<!-- #include virtual=\"/inc/Nav.inc\" -->\r\n";
const char* const kLib = "<% Dim rate %>\r\n<!-- #include file=\"gone.inc\" -->\r\n";

// A small site: two pages share a library that names a missing file, and one names a file in
// another letter case than on disk.
class LanguageFeatures : public ::testing::Test {
 protected:
  void SetUp() override {
    site_.Write("default.asp", kPage);
    site_.Write("shop/cart.asp", "<!-- #include file=\"../inc/lib.inc\" -->\r\n");
    site_.Write("inc/lib.inc", kLib);
    site_.Write("inc/nav.inc", "<p>nav</p>\r\n");
    client_.Start(site_.Path());
  }

  TempFolder site_;
  LspClient client_;
};

TEST_F(LanguageFeatures, DiagnosticsOfAnIncludeCarryTheRuleTheServerCodeAndTheChain) {
  client_.Open("inc/lib.inc", kLib);
  const Json diagnostics = Findings(client_, "inc/lib.inc", "missing-include");
  ASSERT_EQ(diagnostics.size(), 1u) << diagnostics.dump();
  const Json& missing = diagnostics[0];
  EXPECT_EQ(missing["code"], "missing-include");
  EXPECT_EQ(missing["severity"], 1);
  EXPECT_EQ(missing["range"], Range(1, 0, 1, 33));
  EXPECT_EQ(missing["message"], "include file not found: gone.inc (inc/gone.inc) (ASP 0126)");
  EXPECT_EQ(missing["codeDescription"]["href"], "help/missing-include.md");
  ASSERT_EQ(missing["relatedInformation"].size(), 1u);
  EXPECT_EQ(missing["relatedInformation"][0]["location"]["uri"], client_.Uri("default.asp"));
  EXPECT_EQ(missing["relatedInformation"][0]["location"]["range"], Range(1, 0, 1, 36));
  EXPECT_EQ(missing["relatedInformation"][0]["message"], "include chain from default.asp (1 of 1)");
}

// The page's own finding: its directive spells inc/nav.inc in other letter case.
bool OnlyCaseMismatch(const Json& diagnostics) {
  return diagnostics.size() == 1 && Has(diagnostics, "case-mismatch");
}

TEST_F(LanguageFeatures, AnUnsavedEditShowsANameRedefinedAndUndoingItClearsIt) {
  client_.Open("default.asp", kPage);
  const Json mismatch = client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
  EXPECT_EQ(mismatch[0]["range"]["start"], At(2, 0));
  client_.Change("default.asp", 2, {{"range", Range(3, 0, 3, 0)}, {"text", "<% Dim rate %>"}});
  const Json redefined = Findings(client_, "default.asp", "name-redefined");
  ASSERT_EQ(redefined.size(), 1u) << redefined.dump();
  EXPECT_EQ(redefined[0]["range"]["start"], At(3, 7));
  EXPECT_EQ(redefined[0]["relatedInformation"][0]["location"]["uri"], client_.Uri("inc/lib.inc"));
  client_.Change("default.asp", 3, {{"text", kPage}});
  client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
}

TEST_F(LanguageFeatures, AnEditedIncludeIsSeenByThePagesThatReachIt) {
  client_.Open("default.asp", kPage);
  client_.Open("inc/nav.inc", "<p>nav</p>\r\n");
  client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
  client_.Change("inc/nav.inc", 2, {{"text", "<% Const total = 1 %>"}});
  const Json inNav = Findings(client_, "inc/nav.inc", "name-redefined");
  ASSERT_EQ(inNav.size(), 1u) << inNav.dump();
  EXPECT_EQ(inNav[0]["code"], "name-redefined");
  EXPECT_EQ(inNav[0]["range"]["start"], At(0, 9));
}

TEST_F(LanguageFeatures, AFileMadeOnDiskAnswersTheDirectivesThatMissedIt) {
  client_.Open("inc/lib.inc", kLib);
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"),
                        [](const Json& d) { return Has(d, "missing-include"); });
  site_.Write("inc/gone.inc", "");
  client_.Notify("workspace/didChangeWatchedFiles",
                 {{"changes", {{{"uri", client_.Uri("inc/gone.inc")}, {"type", 1}}}}});
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"),
                        [](const Json& d) { return !Has(d, "missing-include"); });
}

TEST_F(LanguageFeatures, AFileMadeOnDiskAnswersTheDirectivesThatNameItInAnotherLetterCase) {
  client_.Open("default.asp", kPage);
  client_.Open("inc/lib.inc", kLib);
  client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"),
                        [](const Json& d) { return Has(d, "missing-include"); });
  // inc/Gone.inc answers lib.inc's gone.inc; inc/Nav.inc is what default.asp names, where the
  // directive found inc/nav.inc before.
  site_.Write("inc/Gone.inc", "");
  site_.Write("inc/Nav.inc", "<p>nav</p>\r\n");
  if (std::filesystem::equivalent(site_.Path() / "inc/Nav.inc", site_.Path() / "inc/nav.inc")) {
    GTEST_SKIP() << "this disk does not hold names that differ only in letter case";
  }
  client_.Notify("workspace/didChangeWatchedFiles",
                 {{"changes",
                   {{{"uri", client_.Uri("inc/Gone.inc")}, {"type", 1}},
                    {{"uri", client_.Uri("inc/Nav.inc")}, {"type", 1}}}}});
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"), [](const Json& d) {
    return !Has(d, "missing-include") && Has(d, "case-mismatch");
  });
  client_.DiagnosticsOf(client_.Uri("default.asp"), [](const Json& d) { return d.empty(); });
}

TEST_F(LanguageFeatures, AFolderRenamedOnDiskIsToldAsOneChangeOfEachFolder) {
  client_.Open("default.asp", kPage);
  client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
  const auto rename = [&](const std::string& from, const std::string& to) {
    std::filesystem::rename(site_.Path() / from, site_.Path() / to);
    client_.Notify(
        "workspace/didChangeWatchedFiles",
        {{"changes",
          {{{"uri", client_.Uri(from)}, {"type", 3}}, {{"uri", client_.Uri(to)}, {"type", 1}}}}});
  };
  rename("inc", "old");
  const Json missing = Findings(client_, "default.asp", "missing-include");
  ASSERT_EQ(missing.size(), 2u) << missing.dump();
  EXPECT_EQ(missing[0]["range"]["start"], At(1, 0));
  EXPECT_EQ(missing[1]["range"]["start"], At(2, 0));
  rename("old", "inc");
  client_.DiagnosticsOf(client_.Uri("default.asp"), OnlyCaseMismatch);
}

// A folder made is walked for the files it holds, but a link to one outside the site lies outside
// it, as the documents there do.
TEST_F(LanguageFeatures, ALinkToAFolderMadeOnDiskBringsNoPages) {
  TempFolder outside;
  outside.Write("secret.asp", "<!-- #include file=\"gone.inc\" -->\r\n");
  std::filesystem::create_directory_symlink(outside.Path(), site_.Path() / "linked");
  client_.Notify("workspace/didChangeWatchedFiles",
                 {{"changes", {{{"uri", client_.Uri("linked")}, {"type", 1}}}}});
  const Json tree =
      client_.Call("lintra/includeTree", {{"textDocument", client_.Document("linked/secret.asp")}});
  EXPECT_EQ(tree["error"]["code"], -32602) << tree.dump();
}

TEST_F(LanguageFeatures, AClosedIncludeChangedOnDiskIsSeenOnSaveWhenTheEditorDoesNotWatchFiles) {
  client_.Open("default.asp", kPage);
  client_.DiagnosticsOf(client_.Uri("default.asp"),
                        [](const Json& d) { return Has(d, "case-mismatch"); });
  std::filesystem::remove(site_.Path() / "inc/nav.inc");
  client_.Notify("textDocument/didSave", {{"textDocument", client_.Document("default.asp")}});
  const Json shown = client_.DiagnosticsOf(client_.Uri("default.asp"), [](const Json& d) {
    return !Has(d, "case-mismatch") && Has(d, "missing-include");
  });
  EXPECT_EQ(shown.size(), 1u) << shown.dump();
}

TEST_F(LanguageFeatures, AFileMadeOnDiskIsSeenOnSaveWhenTheEditorDoesNotWatchFiles) {
  client_.Open("inc/lib.inc", kLib);
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"),
                        [](const Json& d) { return Has(d, "missing-include"); });
  site_.Write("inc/gone.inc", "");
  client_.Notify("textDocument/didSave", {{"textDocument", client_.Document("inc/lib.inc")}});
  client_.DiagnosticsOf(client_.Uri("inc/lib.inc"),
                        [](const Json& d) { return !Has(d, "missing-include"); });
}

TEST_F(LanguageFeatures, AFindingOnAWholeFileUnderlinesItsFirstLine) {
  client_.Open("inc/lib.inc", kLib);
  const Json exposed = Findings(client_, "inc/lib.inc", "exposed-include");
  ASSERT_EQ(exposed.size(), 1u) << exposed.dump();
  EXPECT_EQ(exposed[0]["range"], Range(0, 0, 0, 14));
  client_.Change("inc/lib.inc", 2, {{"text", "\r\n<% Dim rate %>"}});
  const Json blankFirstLine = Findings(
      client_, "inc/lib.inc", "exposed-include",
      [](const Json& d) { return Has(d, "exposed-include") && !Has(d, "missing-include"); });
  ASSERT_EQ(blankFirstLine.size(), 1u) << blankFirstLine.dump();
  EXPECT_EQ(blankFirstLine[0]["range"], Range(0, 0, 0, 0));
}

TEST_F(LanguageFeatures, DirectivesLeadToTheirFilesAndFilesToTheirIncluders) {
  const Json page = {{"textDocument", client_.Document("default.asp")}};
  const Json links = client_.Result("textDocument/documentLink", page);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]["range"], Range(1, 0, 1, 36));
  EXPECT_EQ(links[0]["target"], client_.Uri("inc/lib.inc"));
  EXPECT_EQ(links[1]["target"], client_.Uri("inc/nav.inc"));

  Json at = page;
  at["position"] = At(2, 10);
  EXPECT_EQ(client_.Result("textDocument/definition", at),
            (Json{{"uri", client_.Uri("inc/nav.inc")}, {"range", Range(0, 0, 0, 0)}}));
  EXPECT_EQ(client_.Result("textDocument/hover", at)["contents"]["value"],
            "`inc/Nav.inc`\n\nFound by ignoring letter case: the file is `inc/nav.inc`. "
            "Reached by 1 page.");
  at["position"] = At(0, 3);
  EXPECT_EQ(client_.Result("textDocument/definition", at), nullptr);

  const Json references =
      client_.Result("textDocument/references", {{"textDocument", client_.Document("inc/lib.inc")},
                                                 {"position", At(0, 0)},
                                                 {"context", {{"includeDeclaration", true}}}});
  ASSERT_EQ(references.size(), 2u);
  EXPECT_EQ(references[0]["uri"], client_.Uri("default.asp"));
  EXPECT_EQ(references[1]["uri"], client_.Uri("shop/cart.asp"));
  EXPECT_EQ(references[1]["range"], Range(0, 0, 0, 39));

  const Json symbols = client_.Result("textDocument/documentSymbol",
                                      {{"textDocument", client_.Document("inc/lib.inc")}});
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_EQ(symbols[0]["name"], "gone.inc");
  EXPECT_EQ(symbols[0]["detail"], "include (missing)");
  EXPECT_EQ(symbols[1]["name"], "rate");
  EXPECT_EQ(symbols[1]["kind"], 13);
}

TEST_F(LanguageFeatures, QuickFixesSpellPathsAsOnDiskAndClimbFromTheRootInstead) {
  const auto fixes = [&](const std::string& page, int line) {
    return client_.Result("textDocument/codeAction",
                          {{"textDocument", client_.Document(page)},
                           {"range", Range(line, 3, line, 3)},
                           {"context", {{"diagnostics", Json::array()}}}});
  };
  const auto edit = [&](const std::string& page, const Json& range, const std::string& text) {
    return Json{{"changes", {{client_.Uri(page), {{{"range", range}, {"newText", text}}}}}}};
  };
  const Json spelling = fixes("default.asp", 2);
  ASSERT_EQ(spelling.size(), 1u) << spelling.dump();
  EXPECT_EQ(spelling[0]["title"], "Spell the path as on disk: inc/nav.inc");
  EXPECT_EQ(spelling[0]["edit"], edit("default.asp", Range(2, 24, 2, 35), "inc/nav.inc"));
  const Json climbing = fixes("shop/cart.asp", 0);
  ASSERT_EQ(climbing.size(), 1u) << climbing.dump();
  EXPECT_EQ(climbing[0]["title"], "Include /inc/lib.inc with virtual=");
  EXPECT_EQ(climbing[0]["edit"],
            edit("shop/cart.asp", Range(0, 14, 0, 34), "virtual=\"/inc/lib.inc"));
  EXPECT_EQ(fixes("default.asp", 1), Json::array());
}

TEST_F(LanguageFeatures, TheControlsViewsOfAnIncludeAreThoseOfThePagesReachingIt) {
  const Json lib = {{"textDocument", client_.Document("inc/lib.inc")}};
  const Json roots = client_.Result("lintra/includeTree", lib)["roots"];
  ASSERT_EQ(roots.size(), 2u);
  EXPECT_EQ(roots[1]["path"], "shop/cart.asp");
  EXPECT_EQ(roots[1]["kind"], "page");
  EXPECT_EQ(roots[1]["range"], nullptr);
  const Json& libNode = roots[1]["children"][0];
  EXPECT_EQ(libNode["name"], "lib.inc");
  EXPECT_EQ(libNode["path"], "inc/lib.inc");
  EXPECT_EQ(libNode["uri"], client_.Uri("inc/lib.inc"));
  EXPECT_EQ(libNode["range"], Range(0, 0, 0, 39));
  EXPECT_EQ(libNode["children"][0]["kind"], "missing");
  EXPECT_EQ(libNode["children"][0]["uri"], nullptr);

  const std::string complete = client_.Result("lintra/completeFile", lib)["text"];
  EXPECT_TRUE(complete.starts_with(
      "<% Dim total %>\r\n\r\n<%' === INCLUDE FILE START ( <!-- #include file=\"inc/lib.inc\" "
      "--> ) === %>\r\n<% Dim rate %>\r\n"))
      << complete;
  EXPECT_EQ(client_.Result("lintra/warnings",
                           {{"textDocument", client_.Document("inc/nav.inc")}})["text"],
            "File : default.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
            "gone.inc (gone.inc)\r\n   Error opening file. \r\n\r\n\r\nNo warnings\r\n");
  EXPECT_EQ(client_.Result("lintra/textTree",
                           {{"textDocument", client_.Document("nowhere.inc")}})["text"],
            "");
}

const char* const kCommon =
    "<!-- #include file=\"tools.inc\" -->\r\n"
    "<!-- #include file=\"nav.inc\" -->\r\n";
const char* const kHome = "<!-- #include file=\"inc/common.inc\" -->\r\n<p>home</p>\r\n";

// Two pages include a header that includes a file of Functions neither page calls, and a file
// that writes output.
TEST(UnusedIncludeInTheEditor, ShownOnceEveryPageReachingTheDirectiveDoesWithoutIt) {
  TempFolder site;
  site.Write("default.asp", kHome);
  site.Write("about.asp", "<!-- #include file=\"inc/common.inc\" -->\r\n<p>about</p>\r\n");
  site.Write("inc/common.inc", kCommon);
  site.Write("inc/tools.inc",
             "<%\r\nFunction Twice(n)\r\n  Twice = n * 2\r\nEnd Function\r\n%>\r\n");
  site.Write("inc/nav.inc", "<p>nav</p>\r\n");
  LspClient client;
  client.Start(site.Path());
  client.Open("inc/common.inc", kCommon);
  const Json unused = Findings(client, "inc/common.inc", "unused-include");
  ASSERT_EQ(unused.size(), 1u) << unused.dump();
  EXPECT_EQ(unused[0]["range"], Range(0, 0, 0, 34));
  EXPECT_EQ(unused[0]["severity"], 3);
  EXPECT_EQ(unused[0]["message"],
            "unused include: nothing that inc/tools.inc declares is used, and it writes no "
            "output and runs no statement (in 2 pages)");

  client.Open("default.asp", kHome);
  client.Change(
      "default.asp", 2,
      {{"text", "<!-- #include file=\"inc/common.inc\" -->\r\n<p><%= Twice(2) %></p>\r\n"}});
  Findings(client, "inc/common.inc", "unused-include",
           [](const Json& all) { return !Has(all, "unused-include"); });
  client.Change("default.asp", 3, {{"text", kHome}});
  EXPECT_EQ(Findings(client, "inc/common.inc", "unused-include"), unused);
}

}  // namespace
// A page that includes inc/a.inc, beside inc/A.inc (on a case-sensitive disk) and inc/c.inc,
// which no page includes. Each is opened with unsaved edits.
TEST(UnusedFileInTheEditor, ShownOnOpeningWithEditsAsCheckTakesItInAnyLetterCase) {
  TempFolder site;
  site.Write("p.asp", "<!-- #include file=\"inc/a.inc\" -->\r\n");
  site.Write("inc/a.inc", "<p>a</p>\r\n");
  site.Write("inc/A.inc", "<p>A</p>\r\n");
  site.Write("inc/c.inc", "<p>c</p>\r\n");
  const Outcome check = Lintra({"check", "--root", site.Path().string()});
  EXPECT_EQ(check.out.substr(0, check.out.find('\n')),
            "inc/c.inc: note: unused file: no page includes inc/c.inc [unused-file] (0 pages)");
  EXPECT_EQ(check.out.find("inc/A.inc"), std::string::npos) << check.out;

  LspClient client;
  client.Start(site.Path());
  client.Open("inc/c.inc", "<p>c, edited</p>\r\n");
  EXPECT_EQ(Findings(client, "inc/c.inc", "unused-file").size(), 1u);
  if (std::filesystem::equivalent(site.Path() / "inc/a.inc", site.Path() / "inc/A.inc")) {
    GTEST_SKIP() << "this disk does not hold names that differ only in letter case";
  }
  client.Open("inc/A.inc", "<p>A, edited</p>\r\n");
  EXPECT_EQ(client.DiagnosticsOf(client.Uri("inc/A.inc"), [](const Json&) { return true; }),
            Json::array());
}

TEST(ProjectConfiguration, SetsTheSeverityTheWebRootAndTheEncodingOfTheServersFindings) {
  TempFolder repository;
  repository.Write("core/default.asp", kPage);
  repository.Write("core/inc/lib.inc", kLib);
  repository.Write("core/inc/nav.inc", "<p>nav</p>\r\n");
  // Two pages share an include saved in windows-1252: one page in that code page too, the other
  // in UTF-8. The editor's buffer of the include is UTF-8, as every buffer is.
  repository.Write("core/latin.asp",
                   "<p>caf\xe9</p>\r\n<!-- #include virtual=\"/inc/latin.inc\" -->\r\n");
  repository.Write("core/unicode.asp",
                   "<p>caf\xc3\xa9</p>\r\n<!-- #include file=\"inc/latin.inc\" -->\r\n");
  repository.Write("core/inc/latin.inc", "<p>\xe0 la carte</p>\r\n");
  LspClient client([&](const std::filesystem::path&) {
    ProjectSettings project;
    project.root = std::filesystem::canonical(repository.Path() / "core");
    project.encoding = "windows-1252";
    project.rules.severities["exposed-include"] = Severity::Note;
    return project;
  });
  client.Start(repository.Path());
  client.Open("core/inc/lib.inc", kLib);
  const Json lib = client.DiagnosticsOf(client.Uri("core/inc/lib.inc"), [](const Json& all) {
    return Has(all, "exposed-include") && Has(all, "missing-include");
  });
  ASSERT_EQ(lib.size(), 2u) << lib.dump();
  for (const Json& diagnostic : lib) {
    EXPECT_EQ(diagnostic["severity"], diagnostic["code"] == "exposed-include" ? 3 : 1);
  }

  client.Open("core/inc/latin.inc", "<p>\xc3\xa0 la carte</p>\r\n");
  const Json mismatch = Findings(client, "core/inc/latin.inc", "codepage-mismatch");
  ASSERT_EQ(mismatch.size(), 1u) << mismatch.dump();
  EXPECT_EQ(mismatch[0]["message"],
            "encoding mismatch: inc/latin.inc is not UTF-8, but unicode.asp is, in unicode.asp");
}

// The editor serves the virtual directories of lintra.toml as check does: one below the root
// ("/lib" from "shared") and one outside it ("/ext" from "../ext").
TEST(ProjectConfiguration, VirtualDirectoriesAreServedFromTheirFolders) {
  TempFolder temp;
  const std::string page =
      "<!-- #include virtual=\"/lib/menu.inc\" -->\r\n"
      "<!-- #include virtual=\"/ext/part.inc\" -->\r\n"
      "<!-- #include file=\"gone.inc\" -->\r\n";
  temp.Write("site/page.asp", page);
  temp.Write("site/shared/menu.inc", "<% Sub Menu() : End Sub %>");
  temp.Write("ext/part.inc", "<p>part</p>");
  const std::filesystem::path root = std::filesystem::canonical(temp.Path() / "site");
  LspClient client([&](const std::filesystem::path&) {
    ProjectSettings project;
    project.root = root;
    project.virtualDirectories = {{"lib", root / "shared"}, {"ext", root / "../ext"}};
    return project;
  });
  client.Start(root);
  client.Open("page.asp", page);
  const Json missing = Findings(client, "page.asp", "missing-include");
  ASSERT_EQ(missing.size(), 1u) << missing.dump();
  EXPECT_EQ(missing[0]["message"], "include file not found: gone.inc (ASP 0126)");
  client.Open("shared/menu.inc", "<% Sub Menu() : End Sub %>");
  const Json menu = client.DiagnosticsOf(client.Uri("shared/menu.inc"),
                                         [](const Json& all) { return !all.empty(); });
  EXPECT_FALSE(Has(menu, "unused-file")) << menu.dump();
}

TEST(ProjectConfiguration, AnUnusableOneIsShownOnItsFileAndTheSiteIsCheckedWithTheDefaults) {
  TempFolder site;
  site.Write("default.asp", kPage);
  site.Write("inc/lib.inc", kLib);
  LspClient client(
      [&](const std::filesystem::path&) -> ProjectSettings {
        throw ConfigError(site.Path() / "lintra.toml", 2, 5, "unknown setting colour");
      },
      "");
  Json problem;
  client.Start(site.Path(), [&] {
    problem = client.DiagnosticsOf(client.Uri("lintra.toml"), [](const Json&) { return true; });
  });
  EXPECT_EQ(problem, Json::parse(R"([{"range": {"start": {"line": 1, "character": 4},
                                                "end": {"line": 1, "character": 5}},
                                     "severity": 1, "source": "lintra",
                                     "message": "unknown setting colour"}])"));
  client.Open("inc/lib.inc", kLib);
  const Json missing = Findings(client, "inc/lib.inc", "missing-include");
  ASSERT_EQ(missing.size(), 1u) << missing.dump();
  // Without a published copy of the rules' help, a diagnostic links to none.
  EXPECT_FALSE(missing[0].contains("codeDescription")) << missing.dump();
}

// A file name that is not UTF-8 reads in the editor as everywhere else: its bytes as "\xBD".
TEST(FileNames, ADirectiveToANameThatIsNotUtf8ShowsItTheReadableWay) {
  TempFolder site;
  site.Write("default.asp", "<!-- #include file=\"m\xBD.inc\" -->\r\n");
  site.Write("m\xBD.inc", "<p>m</p>\r\n");
  LspClient client;
  client.Start(site.Path());
  const Json page = {{"textDocument", client.Document("default.asp")}};
  Json at = page;
  at["position"] = At(0, 22);
  EXPECT_EQ(client.Result("textDocument/hover", at)["contents"]["value"],
            "`m\\xBD.inc`\n\nFound exactly. Reached by 1 page.");
  EXPECT_EQ(client.Result("textDocument/documentLink", page)[0]["tooltip"], "m\\xBD.inc");
  EXPECT_EQ(client.Result("textDocument/documentSymbol", page)[0]["name"], "m\\xBD.inc");
}

}  // namespace lintra
