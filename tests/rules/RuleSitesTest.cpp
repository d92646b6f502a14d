#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/File.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "rules/ApplicationFile.h"
#include "rules/Checker.h"
#include "site/PageDiscovery.h"
#include "site/SiteAnalysis.h"

namespace lintra {

namespace {

std::string At(const Place& place) {
  return text::ToUtf8(place.file) + ":" + std::to_string(place.line) + ":" +
         std::to_string(place.column) + "-" + std::to_string(place.endLine) + ":" +
         std::to_string(place.endColumn);
}

// One line per finding: rule, severity and code, place, page count, first page, chain and
// message.
std::string Render(const std::vector<RuleFinding>& findings) {
  std::string out;
  for (const RuleFinding& finding : findings) {
    out += std::string(finding.ruleId) + " " + SeverityName(finding.severity) + " [" +
           std::string(finding.code) + "] " + At(finding.place) +
           " pages=" + std::to_string(finding.pages) + " from " + text::ToUtf8(finding.page);
    for (const Place& link : finding.chain) out += " > " + At(link);
    out += " | " + text::ToUtf8(finding.message) + "\n";
  }
  return out;
}

RuleSettings WholeProject() {
  RuleSettings settings;
  settings.wholeProject = true;
  return settings;
}

// The findings of the rule `ruleId` alone over every page of the fixture site `site` (below
// tests/rules/sites), read from disk as the command line reads a project.
std::string CheckSite(const std::string& ruleId, const std::string& site,
                      RuleSettings settings = WholeProject()) {
  const std::filesystem::path root = std::filesystem::path(LINTRA_RULE_SITES) / ruleId / site;
  const DiskFiles files(root);
  DiskHost host(files, 10000);
  SiteAnalysis analysis(host, text::FromUtf8(root.string()));
  std::vector<std::unique_ptr<Rule>> rules;
  for (std::unique_ptr<Rule>& rule : AllRules()) {
    if (rule->Info().id == ruleId) rules.push_back(std::move(rule));
  }
  if (const std::optional<ProjectFile> application = files.Read(ApplicationFilePath)) {
    TakeApplicationFile(application->text, settings);
  }
  Checker checker(std::move(settings), std::move(rules));
  const std::vector<Text> projectFiles = PageDiscovery({}).FindFiles(root);
  for (const Text& page : PageDiscovery::PagesAmong(projectFiles)) {
    host.StartPage();
    checker.Check(PageTree(analysis.Tree(page)));
  }
  checker.Finish(projectFiles);
  return Render(checker.Findings());
}

}  // namespace

TEST(RuleSites, EachRuleFiresOnItsSiteAndStaysQuietOnItsLookAlike) {
  const std::vector<std::pair<std::string, std::string>> sites = {
      // a directive in a shared file, once for all the pages that reach it; a directive inside
      // script code is none
      {"missing-include",
       "missing-include error [ASP 0126] inc/header.inc:2:1-2:33 pages=2 from one.asp > "
       "one.asp:1:1-1:38 | include file not found: menu2.inc (inc/menu2.inc)\n"},
      // each comment with "#include" but no file= or virtual= value, once for all the pages
      // that reach it; an empty value names a missing file, and "#include" in script code or
      // outside a comment is no directive
      {"malformed-include",
       "malformed-include error [ASP 0128] one.asp:3:1-3:18 pages=1 from one.asp | malformed "
       "include: no file= or virtual= attribute with a value\n"
       "malformed-include error [ASP 0128] one.asp:4:1-4:38 pages=1 from one.asp | malformed "
       "include: no file= or virtual= attribute with a value\n"
       "malformed-include error [ASP 0128] inc/header.inc:2:1-2:23 pages=2 from one.asp > "
       "one.asp:1:1-1:38 | malformed include: no file= or virtual= attribute with a value\n"
       "malformed-include error [ASP 0128] two.asp:2:1-2:22 pages=1 from two.asp | malformed "
       "include: no file= or virtual= attribute with a value\n"},
      // the directive that closes a loop, naming the loop; a diamond is no loop
      {"cyclic-include",
       "cyclic-include error [ASP 0135] b.inc:1:1-1:29 pages=1 from page.asp > "
       "page.asp:1:1-1:29 > a.inc:1:1-1:29 | cyclic include: a.inc -> b.inc -> a.inc\n"},
      // ".." segments of file= and virtual=; a name with two dots is no parent folder
      {"parent-path",
       "parent-path error [ASP 0131] shop/cart.asp:2:1-2:41 pages=1 from shop/cart.asp | parent "
       "path: the include path of inc/config.inc uses \"..\"\n"
       "parent-path error [ASP 0131] shop/cart.asp:3:1-3:48 pages=1 from shop/cart.asp | parent "
       "path: the include path of inc/menu.inc uses \"..\"\n"
       "parent-path error [ASP 0131] shop/checkout.asp:1:1-1:41 pages=1 from shop/checkout.asp | "
       "parent path: the include path of inc/config.inc uses \"..\"\n"},
      // the spelling on disk, once per directive; "./" and "\\" are no mismatch
      {"case-mismatch",
       "case-mismatch warning [] about.asp:1:1-1:38 pages=1 from about.asp | case mismatch: "
       "Inc/Header.inc is spelt inc/header.inc on disk\n"
       "case-mismatch warning [] default.asp:1:1-1:38 pages=1 from default.asp | case "
       "mismatch: Inc/Header.inc is spelt inc/header.inc on disk\n"
       "case-mismatch warning [] default.asp:3:1-3:42 pages=1 from default.asp | case "
       "mismatch: inc/footer.INC is spelt inc/footer.inc on disk\n"},
      // code before the directive apart from a second directive; a directive an include brings in
      // first is allowed
      {"directive-order",
       "directive-order error [ASP 0140] late.asp:2:1-2:27 pages=1 from late.asp | page "
       "directive out of order: script code of late.asp comes before it\n"
       "directive-order error [ASP 0141] top.inc:1:1-1:44 pages=2 from one.asp > "
       "one.asp:2:1-2:31 | page directive repeated: one.asp already has a page directive\n"},
      // in pages under Option Explicit, the first use in each file of a name that no file of the
      // page declares, in an include for the pages that declare it nowhere; built-in names,
      // class members, locals, arrays a ReDim in a procedure declares, hoisted procedures,
      // words of a Rem comment after a statement, server objects, global.asa's objects, pages
      // without Option Explicit or with it late, and pages that run text, hold JScript, bring a
      // type library or miss an include are none
      {"undefined-name",
       "undefined-name error [VBScript 800a01f4] inc/lib.inc:6:23-6:28 pages=1 from page.asp > "
       "page.asp:3:1-3:35 | undefined name: bonus is declared nowhere in the page\n"
       "undefined-name error [VBScript 800a01f4] page.asp:7:1-7:5 pages=1 from page.asp | "
       "undefined name: totl is declared nowhere in the page\n"
       "undefined-name error [VBScript 800a01f4] page.asp:8:16-8:27 pages=1 from page.asp | "
       "undefined name: FormatPrice is declared nowhere in the page\n"
       "undefined-name error [VBScript 800a01f4] page.asp:9:5-9:9 pages=1 from page.asp | "
       "undefined name: conn is declared nowhere in the page\n"},
      // the second copy of a file of declarations, once at its directive; a Sub included twice
      // and a Dim inside a Sub are allowed
      {"name-redefined",
       "name-redefined error [VBScript 800a0411] page.asp:3:1-3:34 pages=1 from page.asp | name "
       "redefined: config.inc was already included at page.asp:1 and declares again total, "
       "RATE\n"},
      // each directive that brings a file again, under any spelling, a note when the copy only
      // declares (its HTML inside a procedure too, and the byte-order mark it begins with) or the
      // copies lie in different procedures; the same file in two pages is no duplicate
      {"duplicate-include",
       "duplicate-include warning [] page.asp:3:1-3:34 pages=1 from page.asp | duplicate "
       "include: banner.inc was already included at page.asp:1\n"
       "duplicate-include warning [] page.asp:5:1-5:36 pages=1 from page.asp | duplicate "
       "include: banner.inc was already included at page.asp:1\n"
       "duplicate-include note [] page.asp:6:1-6:31 pages=1 from page.asp | duplicate "
       "include: lib.inc was already included at page.asp:4\n"
       "duplicate-include note [] page.asp:8:1-8:32 pages=1 from page.asp | duplicate "
       "include: view.inc was already included at page.asp:7\n"
       "duplicate-include note [] procs.asp:2:17-2:50 pages=1 from procs.asp | duplicate "
       "include: banner.inc was already included at procs.asp:1, in another procedure: each "
       "copy writes its output when its procedure is called\n"
       "duplicate-include note [] procs.asp:3:1-3:34 pages=1 from procs.asp | duplicate "
       "include: banner.inc was already included at procs.asp:1, and one copy lies in a "
       "procedure: it writes its output each time the procedure is called\n"
       "duplicate-include warning [] procs.asp:4:48-4:80 pages=1 from procs.asp | duplicate "
       "include: lines.inc was already included at procs.asp:4\n"},
      // mixed encodings in what the pages show, a file that is not UTF-8 under CODEPAGE=65001,
      // and a mark in an include as a note; ASCII files, accents only in comments and a mark in
      // the page are fine
      {"codepage-mismatch",
       "codepage-mismatch note [] bom.inc:1:1-1:2 pages=1 from cafe.asp > cafe.asp:3:1-3:31 | "
       "byte-order mark: bom.inc starts with a UTF-8 byte-order mark, which IIS 5 writes out "
       "where the file is included\n"
       "codepage-mismatch warning [] menu.inc:0:0-0:0 pages=1 from cafe.asp > "
       "cafe.asp:2:1-2:32 | encoding mismatch: menu.inc is not UTF-8, but cafe.asp is, in "
       "cafe.asp\n"
       "codepage-mismatch warning [] price.inc:0:0-0:0 pages=1 from cafe.asp > "
       "cafe.asp:4:1-4:33 | encoding mismatch: price.inc is not UTF-8, but cafe.asp is, in "
       "cafe.asp\n"
       "codepage-mismatch warning [] legacy.inc:0:0-0:0 pages=1 from unicode.asp > "
       "unicode.asp:2:1-2:34 | not UTF-8: legacy.inc is not saved as UTF-8, but "
       "unicode.asp declares CODEPAGE=65001\n"},
      // each included file of server code under an extension not run as script, once: a note
      // where a server as installed refuses the extension; files without server code, .asp
      // includes and missing files are none
      {"exposed-include",
       "exposed-include note [] inc/db.inc:0:0-0:0 pages=2 from about.asp > about.asp:1:1-1:34 "
       "| exposed include: inc/db.inc holds server code; IIS 6 and later refuse .inc files, but "
       "IIS 5 and a server that sends any extension show its source\n"
       "exposed-include warning [] inc/keys.txt:0:0-0:0 pages=1 from default.asp > "
       "default.asp:2:1-2:36 | exposed include: inc/keys.txt holds server code, and the server "
       "sends .txt files as they are, so its source can be downloaded\n"
       "exposed-include warning [] inc/mail.vbs:0:0-0:0 pages=1 from default.asp > "
       "default.asp:3:1-3:36 | exposed include: inc/mail.vbs holds server code, and the server "
       "sends .vbs files as they are, so its source can be downloaded\n"},
      // each directive from which no page reaching it uses a name, once with its pages (HTML in
      // a procedure's body is written only when it is called, and a leading byte-order mark not
      // at all); a file used through another include, one that runs a statement, writes output
      // or holds a server object or JScript, a directive in a procedure, a page that evaluates
      // text, a JScript page, uses in <%= %>, in a file included in a procedure or by a JScript
      // block's call (a JScript word that only begins with a declared name is none), and a file
      // included twice are none
      {"unused-include",
       "unused-include note [] inc/nav.inc:1:1-1:34 pages=2 from other.asp > other.asp:1:1-1:35 "
       "| unused include: nothing that inc/consts.inc declares is used, and it writes no output "
       "and runs no statement\n"
       "unused-include note [] other.asp:2:1-2:36 pages=1 from other.asp | unused include: "
       "nothing that inc/idle.inc declares is used, and it writes no output and runs no "
       "statement\n"
       "unused-include note [] page.asp:2:1-2:36 pages=1 from page.asp | unused include: nothing "
       "that inc/idle.inc declares is used, and it writes no output and runs no statement\n"
       "unused-include note [] page.asp:5:1-5:38 pages=1 from page.asp | unused include: nothing "
       "that inc/select.inc declares is used, and it writes no output and runs no statement\n"},
      // include-only files no page reaches; other extensions, files reached under other case and
      // _vti_ folders are not
      {"unused-file",
       "unused-file note [] inc/old/menu.inc:0:0-0:0 pages=0 from  | unused file: no page "
       "includes inc/old/menu.inc\n"
       "unused-file note [] inc/unused.inc:0:0-0:0 pages=0 from  | unused file: no page "
       "includes inc/unused.inc\n"},
  };
  for (const auto& [ruleId, fires] : sites) {
    EXPECT_EQ(CheckSite(ruleId, "fires"), fires) << ruleId;
    EXPECT_EQ(CheckSite(ruleId, "quiet"), "") << ruleId;
  }
}

TEST(RuleSites, ParentPathIsAWarningWhereTheServerEnablesParentPaths) {
  RuleSettings enabled = WholeProject();
  enabled.parentPathsEnabled = true;
  const std::string findings = CheckSite("parent-path", "fires", enabled);
  EXPECT_EQ(findings.find("error"), std::string::npos);
  EXPECT_EQ(findings.rfind("parent-path warning [ASP 0131] shop/cart.asp:2:1-2:41", 0), 0u);
  RuleSettings chosen = enabled;
  chosen.severities["parent-path"] = Severity::Note;
  EXPECT_EQ(CheckSite("parent-path", "fires", chosen).rfind("parent-path note", 0), 0u);
  RuleSettings off = WholeProject();
  off.severities["parent-path"] = std::nullopt;
  EXPECT_EQ(CheckSite("parent-path", "fires", off), "");
}

TEST(RuleSites, ExposedIncludeIsAWarningWhereTheServerSendsAnyExtension) {
  RuleSettings any = WholeProject();
  any.serveAnyExtension = true;
  const std::string findings = CheckSite("exposed-include", "fires", any);
  EXPECT_EQ(findings.substr(0, findings.find('\n') + 1),
            "exposed-include warning [] inc/db.inc:0:0-0:0 pages=2 from about.asp > "
            "about.asp:1:1-1:34 | exposed include: inc/db.inc holds server code, and the server "
            "sends .inc files as they are, so its source can be downloaded\n");
  EXPECT_EQ(findings.find("note"), std::string::npos);
  EXPECT_EQ(CheckSite("exposed-include", "quiet", any), "");
}

TEST(RuleSites, UnusedFileNeedsARunOverTheWholeProject) {
  EXPECT_EQ(CheckSite("unused-file", "fires", RuleSettings{}), "");
}

}  // namespace lintra
