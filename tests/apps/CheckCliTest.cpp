#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

using Json = nlohmann::json;

namespace {

// A page that reaches a missing include through a header, and a second page that reaches it too;
// the header's being exposed is left out.
void WriteMissingSite(const TempFolder& site) {
  site.Write("one.asp", "<p>\r\n" + Include("inc/header.inc"));
  site.Write("two.asp", Include("inc/header.inc"));
  site.Write("inc/header.inc", "<h1>\r\n  " + Include("menu2.inc"));
  site.Write("lintra.toml", "[rules]\nexposed-include = \"off\"\n");
}

std::vector<std::string> Check(const TempFolder& site, std::vector<std::string> more = {}) {
  std::vector<std::string> arguments = {"check", "--root", site.Path().string()};
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

}  // namespace

TEST(CheckText, PrintsOneCompilerStyleLinePerCauseOrEveryPlaceAndTheTotals) {
  // A copy, whose paths do not depend on the repository that holds the sample site.
  TempFolder site;
  std::filesystem::copy(Site, site.Path(), std::filesystem::copy_options::recursive);
  const Outcome run = Lintra(Check(site));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lintra: 4 errors found\n");
  const auto exposed = [](const std::string& file, const std::string& reach) {
    return file + ": note: exposed include: " + file +
           " holds server code; IIS 6 and later refuse .inc files, but IIS 5 and a server that "
           "sends any extension show its source [exposed-include] (" +
           reach + ")\n";
  };
  const std::string parentPath =
      "error: parent path: the include path of inc/functions.inc uses \"..\" [parent-path] "
      "(ASP 0131; ";
  const std::string before =
      "default.asp:6:1: warning: duplicate include: inc/menu.inc was already included at "
      "inc/header.inc:4 [duplicate-include] (1 page: default.asp)\n" +
      exposed("inc/config.inc", "3 pages, e.g. account/login.asp") +
      exposed("inc/connection.inc", "1 page: account/login.asp") +
      exposed("inc/functions.inc", "2 pages, e.g. shop/cart.asp") +
      exposed("inc/security.inc", "1 page: account/login.asp") +
      exposed("inc/session.inc", "1 page: account/login.asp") +
      "inc/session.inc:1:1: error: cyclic include: inc/security.inc -> inc/session.inc -> "
      "inc/security.inc [cyclic-include] (ASP 0135; 1 page: account/login.asp)\n";
  const std::string missing =
      "shop/cart.asp:6:1: error: include file not found: cart_totals.inc (shop/cart_totals.inc) "
      "[missing-include] "
      "(ASP 0126; 1 page: shop/cart.asp)\n";
  const std::string totals =
      "by rule: 2 parent-path, 1 cyclic-include, 1 missing-include, 1 duplicate-include, 5 "
      "exposed-include\nchecked 5 pages: 4 errors, 1 warning, 5 notes\n";
  // Both pages climb to inc/functions.inc the same way: one cause at two places.
  EXPECT_EQ(run.out,
            before + "shop/cart.asp:3:1: " + parentPath + "2 places in 2 pages)\n" + missing +
                "one line per cause for 10 places; --all-places lists every place\n" + totals);
  EXPECT_EQ(FindingLines(Lintra(Check(site, {"--all-places"})).out),
            before + "shop/cart.asp:3:1: " + parentPath + "1 page: shop/cart.asp)\n" + missing +
                "shop/product.asp:2:1: " + parentPath + "1 page: shop/product.asp)\n" + totals);
}

TEST(CheckText, EveryPlaceShowsItsSourceLineACaretAndTheDirectivesItIsIncludedFrom) {
  TempFolder site;
  WriteMissingSite(site);
  const std::string finding =
      "inc/header.inc:2:3: error: include file not found: menu2.inc (inc/menu2.inc) "
      "[missing-include] "
      "(ASP 0126; 2 pages, e.g. one.asp)\n";
  const std::string totals =
      "by rule: 1 missing-include\nchecked 2 pages: 1 error, 0 warnings, 0 notes\n";
  EXPECT_EQ(Lintra(Check(site)).out, finding + totals);
  EXPECT_EQ(Lintra(Check(site, {"--all-places"})).out,
            finding + "   2 |   <!-- #include file=\"menu2.inc\" -->\n" + "     |   ^" +
                std::string(33, '~') + "\n" + "one.asp:2:1: note: included from here\n" + totals);
  // A tab before the place stays a tab under it, so that the caret lines up.
  site.Write("inc/header.inc", "\t" + Include("menu2.inc"));
  EXPECT_NE(Lintra(Check(site, {"--all-places"})).out.find("   1 | \t<!--"), std::string::npos);
  EXPECT_NE(Lintra(Check(site, {"--all-places"})).out.find("     | \t^~~"), std::string::npos);
  // A byte-order mark is no column, as in an editor: the place starts at 1:1, the source line is
  // shown without the mark, and the caret stands under the directive.
  site.Write("inc/header.inc", "\xEF\xBB\xBF" + Include("menu2.inc"));
  const std::string marked = Lintra(Check(site, {"--all-places"})).out;
  EXPECT_EQ(marked.substr(0, marked.find(' ')), "inc/header.inc:1:1:");
  EXPECT_NE(marked.find("   1 | <!-- #include file=\"menu2.inc\" -->\n     | ^~~"),
            std::string::npos);
}

TEST(CheckText, ColoursOnlyWhenAskedOrOnATerminal) {
  TempFolder site;
  WriteMissingSite(site);
  const std::string plain = Lintra(Check(site)).out;
  EXPECT_EQ(plain.find('\x1b'), std::string::npos);
  EXPECT_EQ(Lintra(Check(site, {"--color", "never"})).out, plain);
  EXPECT_EQ(Lintra(Check(site, {"--color", "always"})).out,
            "\x1b[1minc/header.inc:2:3:\x1b[0m \x1b[1;31merror:\x1b[0m include file not found: "
            "menu2.inc (inc/menu2.inc)\x1b[2m [missing-include]\x1b[0m (ASP 0126; 2 pages, e.g. "
            "one.asp)\n"
            "by rule: 1 missing-include\nchecked 2 pages: 1 error, 0 warnings, 0 notes\n");
  // Colour is for the text only.
  EXPECT_EQ(Lintra(Check(site, {"--color", "always", "--format", "github"})).out.find('\x1b'),
            std::string::npos);
}

TEST(CheckText, SeverityLeavesOutWhatIsBelowItEverywhereAndSaysHowMany) {
  const Outcome errors = Lintra({"check", "--root", Site, "--severity", "error"});
  EXPECT_EQ(errors.status, 1);
  EXPECT_EQ(errors.out.find("warning:"), std::string::npos);
  EXPECT_NE(errors.out.find("by rule: 2 parent-path, 1 cyclic-include, 1 missing-include\n"
                            "checked 5 pages: 4 errors, 0 warnings, 0 notes (6 findings below "
                            "--severity error left out)\n"),
            std::string::npos);
  const Json json =
      Json::parse(Lintra({"check", "--root", Site, "--severity", "error", "--format", "json"}).out);
  EXPECT_EQ(json["findings"].size(), 4u);
  EXPECT_EQ(json["summary"]["warnings"], 0);
}

TEST(CheckExit, EveryFailingExitSaysWhyInOneLine) {
  const Outcome errors = Lintra({"check", "--root", Site});
  EXPECT_EQ(errors.status, 1);
  EXPECT_EQ(errors.err, "lintra: 4 errors found\n");
  TempFolder site;
  site.Write("one.asp", Include("gone.inc"));
  site.Write("two.asp", Include("lost.inc"));
  site.Write("lintra.toml", "[rules]\nmissing-include = \"warning\"\n");
  const Outcome warnings = Lintra(Check(site, {"--max-warnings", "1", "--format", "json"}));
  EXPECT_EQ(warnings.status, 1);
  EXPECT_EQ(warnings.err, "lintra: 2 warnings, more than --max-warnings 1\n");
  const Outcome within = Lintra(Check(site, {"--max-warnings", "2"}));
  EXPECT_EQ(within.status, 0);
  EXPECT_EQ(within.err, "");
}

TEST(CheckExit, ARootAboveTheSitesOwnSaysWhichFolderTheVirtualIncludesLieBelow) {
  const auto virtualInclude = [](const std::string& path) {
    return "<!-- #include virtual=\"" + path + "\" -->\r\n";
  };
  TempFolder repository;
  repository.Write("web/default.asp", virtualInclude("/inc/head.asp") +
                                          virtualInclude("\\inc\\Foot.asp") +
                                          virtualInclude("/inc/gone.asp"));
  repository.Write("web/inc/head.asp", "<p>");
  repository.Write("web/inc/foot.asp", "<p>");
  repository.Write("web/lintra.toml", "");
  const Outcome above = Lintra(Check(repository, {"--format", "json"}));
  EXPECT_EQ(above.status, 1);
  EXPECT_EQ(above.err,
            "lintra: 2 of the 3 virtual include paths not found name files below web/: "
            "if web is the site's root, check with --root " +
                (repository.Path() / "web").string() +
                " (or root in lintra.toml)\nlintra: 3 errors found\n");
  // At the site's root; and above it where only one path, or no more than half, lie below.
  EXPECT_EQ(Lintra({"check", "--root", (repository.Path() / "web").string()}).err,
            "lintra: 1 error found\n");
  repository.Write("web/default.asp",
                   virtualInclude("/inc/head.asp") + virtualInclude("/inc/gone.asp"));
  EXPECT_EQ(Lintra(Check(repository)).err, "lintra: 2 errors found\n");
  repository.Write("web/default.asp",
                   virtualInclude("/inc/head.asp") + virtualInclude("/inc/foot.asp") +
                       virtualInclude("/inc/gone.asp") + virtualInclude("/inc/lost.asp") +
                       "<!-- #include file=\"inc/nowhere.asp\" -->");
  EXPECT_EQ(Lintra(Check(repository)).err, "lintra: 5 errors found\n");
}

TEST(CheckJson, ListsRulesFindingsWithTheirChainAndTotals) {
  TempFolder site;
  WriteMissingSite(site);
  const Outcome run = Lintra(Check(site, {"--format", "json"}));
  EXPECT_EQ(run.status, 1);
  Json document = Json::parse(run.out);
  EXPECT_EQ(document["version"], 2);
  EXPECT_EQ(document["root"], std::filesystem::canonical(site.Path()).string());
  EXPECT_EQ(document["base"], document["root"]);
  const std::string fingerprint = document["findings"][0]["fingerprint"];
  EXPECT_TRUE(std::regex_match(fingerprint, std::regex("[0-9a-f]{16}:0"))) << fingerprint;
  document["findings"][0].erase("fingerprint");
  EXPECT_EQ(document["findings"], Json::parse(R"json([{
    "rule": "missing-include", "severity": "error", "code": "ASP 0126",
    "message": "include file not found: menu2.inc (inc/menu2.inc)",
    "file": "inc/header.inc", "line": 2, "column": 3, "endLine": 2, "endColumn": 37,
    "pages": 2, "page": "one.asp",
    "chain": [{"file": "one.asp", "line": 2, "column": 1, "endLine": 2, "endColumn": 40}],
    "related": [], "cause": "9bb489e34e64ea79"}])json"));
  EXPECT_EQ(document["summary"]["pages"], 2);
  EXPECT_EQ(document["summary"]["errors"], 1);
  EXPECT_EQ(document["summary"]["rules"]["missing-include"], 1);
  EXPECT_EQ(document["summary"]["rules"]["cyclic-include"], 0);
  EXPECT_EQ(document["aborted"], Json::array());
  for (const Json& rule : document["rules"]) {
    EXPECT_EQ(rule["helpPath"], "docs/rules/" + rule["id"].get<std::string>() + ".md");
  }
}

TEST(CheckSarif, ResultsCarryRegionChainAndFingerprintsThatMovingLinesKeeps) {
  TempFolder site;
  WriteMissingSite(site);
  const Json log = Json::parse(Lintra(Check(site, {"--format", "sarif"})).out);
  const Json& run = log["runs"][0];
  EXPECT_EQ(run["originalUriBaseIds"]["SRCROOT"]["uri"],
            "file://" + std::filesystem::canonical(site.Path()).string() + "/");
  ASSERT_EQ(run["results"].size(), 1u);
  Json result = run["results"][0];
  EXPECT_EQ(run["tool"]["driver"]["rules"][result["ruleIndex"].get<size_t>()]["id"],
            "missing-include");
  const std::string fingerprint = result["partialFingerprints"]["primaryLocationLineHash"];
  result.erase("partialFingerprints");
  EXPECT_EQ(result, Json::parse(R"json({
    "ruleId": "missing-include", "ruleIndex": 0, "level": "error",
    "message": {"text": "include file not found: menu2.inc (inc/menu2.inc) (ASP 0126; 2 pages, e.g. one.asp)"},
    "locations": [{"physicalLocation": {
      "artifactLocation": {"uri": "inc/header.inc", "uriBaseId": "SRCROOT"},
      "region": {"startLine": 2, "startColumn": 3, "endLine": 2, "endColumn": 37}}}],
    "properties": {"pages": 2, "page": "one.asp", "cause": "9bb489e34e64ea79"},
    "relatedLocations": [{"id": 1, "physicalLocation": {
      "artifactLocation": {"uri": "one.asp", "uriBaseId": "SRCROOT"},
      "region": {"startLine": 2, "startColumn": 1, "endLine": 2, "endColumn": 40}},
      "message": {"text": "included from one.asp"}}]})json"));
  // Lines added above the finding move it, but its fingerprint stays; editing its line changes it.
  site.Write("inc/header.inc", "<title>\r\n<h1>\r\n  " + Include("menu2.inc"));
  const Json moved = Json::parse(Lintra(Check(site, {"--format", "sarif"})).out);
  EXPECT_EQ(moved["runs"][0]["results"][0]["partialFingerprints"]["primaryLocationLineHash"],
            fingerprint);
  site.Write("inc/header.inc", "<h1>\r\n  <b>" + Include("menu2.inc"));
  const Json edited = Json::parse(Lintra(Check(site, {"--format", "sarif"})).out);
  EXPECT_NE(edited["runs"][0]["results"][0]["partialFingerprints"]["primaryLocationLineHash"],
            fingerprint);
}

TEST(CheckGithub, PrintsOneWorkflowCommandPerFindingWithItsPropertiesEscaped) {
  TempFolder site;
  site.Write("a,b:c.asp", Include("100%.inc"));
  const Outcome run = Lintra(Check(site, {"--format", "github"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "::error file=a%2Cb%3Ac.asp,line=1,col=1,endLine=1,endColumn=34,"
            "title=missing-include (ASP 0126)::include file not found: 100%25.inc "
            "(ASP 0126; 1 page: a,b:c.asp)\n");
  EXPECT_EQ(run.err,
            "lintra: checked 1 page: 1 error, 0 warnings, 0 notes\nlintra: 1 error found\n");
}

TEST(CheckWholeFile, AFindingOnAFileHasNoLineButWhereSarifNeedsOneTheFileStart) {
  TempFolder site;
  site.Write("page.asp", Include("a.txt"));
  site.Write("a.txt", "<% x = 1 %>");
  site.Write("spare.inc", "<p>");
  EXPECT_EQ(Lintra(Check(site)).out,
            "a.txt: warning: exposed include: a.txt holds server code, and the server sends .txt "
            "files as they are, so its source can be downloaded [exposed-include] (1 page: "
            "page.asp)\n"
            "spare.inc: note: unused file: no page includes spare.inc [unused-file] (0 pages)\n"
            "by rule: 1 exposed-include, 1 unused-file\n"
            "checked 1 page: 0 errors, 1 warning, 1 note\n");
  Json unused = Json::parse(Lintra(Check(site, {"--format", "json"})).out)["findings"][1];
  unused.erase("fingerprint");
  EXPECT_EQ(unused, Json::parse(R"({
    "rule": "unused-file", "severity": "note", "code": "",
    "message": "unused file: no page includes spare.inc",
    "file": "spare.inc", "line": 0, "column": 0, "endLine": 0, "endColumn": 0,
    "pages": 0, "page": "", "chain": [], "related": [], "cause": "e334919fe27a6038"})"));
  const Json log = Json::parse(Lintra(Check(site, {"--format", "sarif"})).out);
  for (const Json& result : log["runs"][0]["results"]) {
    EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"],
              Json::parse(R"({"startLine": 1, "startColumn": 1, "endLine": 1, "endColumn": 1})"));
  }
  EXPECT_EQ(Lintra(Check(site, {"--format", "github"})).out,
            "::warning file=a.txt,title=exposed-include::exposed include: a.txt holds server "
            "code, and the server sends .txt files as they are, so its source can be downloaded "
            "(1 page: page.asp)\n"
            "::notice file=spare.inc,title=unused-file::unused file: no page includes spare.inc "
            "(0 pages)\n");
}

TEST(CheckExitStatus, WarningsPassUnlessMoreThanMaxWarnings) {
  TempFolder site;
  site.Write("page.asp", Include("a.txt") + Include("a.txt") + Include("b.txt"));
  site.Write("a.txt", "<% x = 1 %>");
  site.Write("b.txt", "<% y = 1 %>");
  // Three warnings: the second copy of a.txt, and a.txt and b.txt exposed.
  EXPECT_EQ(Lintra(Check(site)).status, 0);
  EXPECT_EQ(Lintra(Check(site, {"--max-warnings", "3"})).status, 0);
  EXPECT_EQ(Lintra(Check(site, {"--max-warnings", "2"})).status, 1);
  const Outcome negative = Lintra(Check(site, {"--max-warnings", "-1"}));
  EXPECT_EQ(negative.status, 2);
  EXPECT_EQ(negative.out, "");
}

TEST(CheckBaseline, ReportsOnlyFindingsTheBaselineDoesNotKnowHoweverLinesMove) {
  TempFolder site;
  WriteMissingSite(site);
  TempFolder files;
  const std::string baseline = (files.Path() / "baseline.json").string();
  const Outcome written = Lintra(Check(site, {"--write-baseline", baseline}));
  EXPECT_EQ(written.status, 1);
  EXPECT_EQ(written.err,
            "lintra: the baseline " + baseline + " records 1 finding\nlintra: 1 error found\n");
  site.Write("inc/header.inc", "<title>\r\n<h1>\r\n  " + Include("menu2.inc"));
  const Outcome known = Lintra(Check(site, {"--baseline", baseline}));
  EXPECT_EQ(known.status, 0);
  EXPECT_EQ(known.out,
            "checked 2 pages: 0 errors, 0 warnings, 0 notes (1 finding of the baseline left "
            "out)\n");
  site.Write("inc/header.inc", "<h1>\r\n  " + Include("menu2.inc") + "\r\n" + Include("menu3.inc"));
  const Outcome added = Lintra(Check(site, {"--baseline", baseline}));
  EXPECT_EQ(added.status, 1);
  EXPECT_EQ(added.out,
            "inc/header.inc:3:1: error: include file not found: menu3.inc (inc/menu3.inc) "
            "[missing-include] "
            "(ASP 0126; 2 pages, e.g. one.asp)\n"
            "by rule: 1 missing-include\n"
            "checked 2 pages: 1 error, 0 warnings, 0 notes (1 finding of the baseline left out)\n");
}

TEST(CheckBaseline, AnUnreadableOrForeignBaselineIsAUsageErrorBeforeAnyPageIsChecked) {
  TempFolder site;
  WriteMissingSite(site);
  site.Write("other.json", "{\"findings\": 3}");
  const std::string missing = (site.Path() / "none.json").string();
  const std::string foreign = (site.Path() / "other.json").string();
  for (const auto& [file, message] : std::vector<std::pair<std::string, std::string>>{
           {missing, "lintra: cannot read the baseline " + missing + "\n"},
           {foreign, "lintra: the baseline " + foreign +
                         " is no baseline of this version (write it again with "
                         "--write-baseline)\n"}}) {
    const Outcome run = Lintra(Check(site, {"--baseline", file}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, message);
  }
}

TEST(CheckText, GlobalAsaGivesEveryPageItsObjectsAndATypeLibraryLeavesUndefinedNamesAlone) {
  TempFolder site;
  site.Write("Global.asa",
             "<object runat=\"server\" scope=\"application\" id=\"Shop\" "
             "progid=\"Scripting.Dictionary\"></object>\r\n");
  site.Write("page.asp", "<% Option Explicit\r\nShop.Add \"k\", Basket\r\n%>\r\n");
  const Outcome run = Lintra(Check(site));
  EXPECT_EQ(run.out,
            "page.asp:2:15: error: undefined name: Basket is declared nowhere in the page "
            "[undefined-name] (VBScript 800a01f4; 1 page: page.asp)\n"
            "by rule: 1 undefined-name\n"
            "checked 1 page: 1 error, 0 warnings, 0 notes\n");
  site.Write("Global.asa",
             "<!--METADATA TYPE=\"TypeLib\" NAME=\"Microsoft ActiveX Data Objects 2.8 Library\" "
             "UUID=\"{00000200-0000-0010-8000-00AA006D2EA4}\" VERSION=\"2.0\"-->\r\n");
  EXPECT_EQ(Lintra(Check(site)).out, "checked 1 page: 0 errors, 0 warnings, 0 notes\n");
}

}  // namespace lintra
