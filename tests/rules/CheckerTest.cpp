#include "rules/Checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <thread>

#include "analysis/File.h"
#include "rules/FindingCauses.h"
#include "site/SiteAnalysis.h"
#include "support/MemorySupply.h"

namespace lintra {

namespace {

std::string At(const Place& place) {
  return text::ToUtf8(place.file) + ":" + std::to_string(place.line) + ":" +
         std::to_string(place.column);
}

// One line per finding: rule, severity and code, place with its end, page count, first page,
// chain, related places and message.
std::string Render(const std::vector<RuleFinding>& findings) {
  std::string out;
  for (const RuleFinding& finding : findings) {
    out += std::string(finding.ruleId) + " " + SeverityName(finding.severity) + " [" +
           std::string(finding.code) + "] " + At(finding.place) + "-" +
           std::to_string(finding.place.endLine) + ":" + std::to_string(finding.place.endColumn) +
           " pages=" + std::to_string(finding.pages) + " from " + text::ToUtf8(finding.page);
    for (const Place& link : finding.chain) out += " > " + At(link);
    for (const Place& related : finding.related) out += " related " + At(related);
    out += " | " + text::ToUtf8(finding.message) + "\n";
  }
  return out;
}

// The findings of every rule but exposed-include (which every .inc of code raises) over `pages` of
// the site that `files` make up.
std::string Check(const std::map<Text, Text>& files, std::initializer_list<const char16_t*> pages) {
  MemorySupply host;
  host.Files = files;
  SiteAnalysis site(host, u"/site");
  RuleSettings settings;
  settings.severities["exposed-include"] = std::nullopt;
  Checker checker(settings);
  for (const char16_t* page : pages) checker.Check(PageTree(site.Tree(page)));
  return Render(checker.Findings());
}

// For each finding that more than one page reaches, its place and the numbers of those pages in
// rising order.
std::string RenderPageNumbers(const std::vector<RuleFinding>& findings) {
  std::string out;
  for (const RuleFinding& finding : findings) {
    if (finding.pages < 2) continue;
    std::vector<int64_t> numbers = finding.laterPageNumbers;
    numbers.push_back(finding.pageNumber);
    std::sort(numbers.begin(), numbers.end());
    out += std::string(finding.ruleId) + " " + At(finding.place) + " reached by";
    for (const int64_t number : numbers) out += " " + std::to_string(number);
    out += "\n";
  }
  return out;
}

// The findings of a whole-project run over `pages` shared out in runs of `run` pages between two
// checkers, each with a host of its own, as two threads share them, the second made alike the
// first, and merged, the second checker's first; `files` are the project's files. The pages
// that reach each finding follow the findings.
std::string CheckInRuns(const std::map<Text, Text>& files,
                        const std::vector<const char16_t*>& pages, size_t run) {
  RuleSettings settings;
  settings.wholeProject = true;
  struct Share {
    explicit Share(const std::map<Text, Text>& files, const RuleSettings& settings)
        : site(host, u"/site"), checker(settings) {
      host.Files = files;
    }
    MemorySupply host;
    SiteAnalysis site;
    Checker checker;
  };
  Share shares[] = {Share(files, settings), Share(files, settings)};
  shares[1].checker = shares[0].checker.Alike();
  for (size_t i = 0; i < pages.size(); ++i) {
    Share& share = shares[i / run % 2];
    share.checker.Check(PageTree(share.site.Tree(pages[i])), static_cast<int64_t>(i) + 1);
  }
  Checker total(settings);
  for (Share* share : {&shares[1], &shares[0]}) {
    total.Merge(share->checker.TakeFindings());
    total.TakeNotes(share->checker);
  }
  std::vector<Text> projectFiles;
  for (const auto& file : files) projectFiles.push_back(file.first);
  total.Finish(projectFiles);
  return Render(total.Findings()) + RenderPageNumbers(total.Findings());
}

const Text kDeclarations = Lines({u"<%", u"Dim total", u"Const RATE = 2", u"%>"});
const Text kSubs = Lines({u"<%", u"Sub Log(message)", u"  Dim line", u"End Sub", u"%>"});

}  // namespace

TEST(MissingIncludeRule, NamesThePathAsTheDirectiveWritesIt) {
  const std::map<Text, Text> site = {
      {u"shop/cart.asp", IncludeLine(u"totals.inc") +
                             u"<!-- #include virtual=\"/inc/nav.inc\" -->\r\n" +
                             u"<!-- #include virtual=\"\\lib\\y.inc\" -->"}};
  EXPECT_EQ(Check(site, {u"shop/cart.asp"}),
            "missing-include error [ASP 0126] shop/cart.asp:1:1-1:36 pages=1 from shop/cart.asp | "
            "include file not found: totals.inc (shop/totals.inc)\n"
            "missing-include error [ASP 0126] shop/cart.asp:2:1-2:41 pages=1 from shop/cart.asp | "
            "include file not found: /inc/nav.inc\n"
            "missing-include error [ASP 0126] shop/cart.asp:3:1-3:39 pages=1 from shop/cart.asp | "
            "include file not found: \\lib\\y.inc (lib/y.inc)\n");
}

TEST(MissingIncludeRule, TellsToGiveTheCodePageWhenThePathIsNotUtf8) {
  // "\xC1\xF6.asp" as CP949 bytes, kept as their escapes; UTF-8 paths need no code page, one with
  // U+1F480 either, whose second surrogate (U+DC80) is no escape.
  const Text legacy = u"\xDCC1\xDCF6.asp";
  const std::map<Text, Text> site = {
      {u"page.asp",
       IncludeLine(legacy) + IncludeLine(u"caf\u00E9.asp") + IncludeLine(u"\U0001F480.asp")}};
  const std::string found = Check(site, {u"page.asp"});
  EXPECT_NE(
      found.find("include file not found: \xEF\xBF\xBD\xEF\xBF\xBD.asp; the path is not UTF-8: "
                 "if the file is there, give the site's code page (--encoding, or encoding "
                 "in lintra.toml)\n"),
      std::string::npos);
  EXPECT_NE(found.find("include file not found: caf\xC3\xA9.asp\n"), std::string::npos);
  EXPECT_NE(found.find("include file not found: \xF0\x9F\x92\x80.asp\n"), std::string::npos);
}

TEST(MissingIncludeRule, LeavesADirectiveTheServerRefusesForItsParentPathToParentPath) {
  const std::map<Text, Text> site = {
      {u"shop/cart.asp", IncludeLine(u"../inc/gone.inc") + IncludeLine(u"gone.inc")}};
  const auto check = [&](const RuleSettings& settings) {
    MemorySupply host;
    host.Files = site;
    SiteAnalysis analysis(host, u"/site");
    Checker checker(settings);
    checker.Check(PageTree(analysis.Tree(u"shop/cart.asp")));
    return Render(checker.Findings());
  };
  const std::string missing =
      "missing-include error [ASP 0126] shop/cart.asp:2:1-2:34 pages=1 from shop/cart.asp | "
      "include file not found: gone.inc (shop/gone.inc)\n";
  const std::string missingParent =
      "missing-include error [ASP 0126] shop/cart.asp:1:1-1:41 pages=1 from shop/cart.asp | "
      "include file not found: ../inc/gone.inc (inc/gone.inc)\n";
  const auto parentPath = [](const std::string& severity) {
    return "parent-path " + severity +
           " [ASP 0131] shop/cart.asp:1:1-1:41 pages=1 from shop/cart.asp | parent path: the "
           "include path of inc/gone.inc uses \"..\"\n";
  };
  EXPECT_EQ(check(RuleSettings{}), missing + parentPath("error"));
  RuleSettings enabled;
  enabled.parentPathsEnabled = true;
  EXPECT_EQ(check(enabled), missingParent + missing + parentPath("warning"));
  RuleSettings silenced;
  silenced.severities["parent-path"] = std::nullopt;
  EXPECT_EQ(check(silenced), missingParent + missing);
}

// A file that exists but cannot be read is neither missing nor unused; an unreadable page is
// reported as a whole.
TEST(UnreadableFileRule, ReportsWhatCannotBeReadAndNeitherMissingNorUnused) {
  MemorySupply host;
  host.Files = {{u"page.asp", IncludeLine(u"inc/locked.inc") + IncludeLine(u"inc/gone.inc")},
                {u"inc/locked.inc", u""},
                {u"locked.asp", u""}};
  host.UnreadableFiles = {{u"inc/locked.inc", u"Permission denied"},
                          {u"locked.asp", u"Input/output error"}};
  SiteAnalysis site(host, u"/site");
  RuleSettings settings;
  settings.wholeProject = true;
  settings.severities["exposed-include"] = std::nullopt;
  Checker checker(settings);
  for (const char16_t* page : {u"page.asp", u"locked.asp"})
    checker.Check(PageTree(site.Tree(page)));
  checker.Finish({u"inc/locked.inc", u"locked.asp", u"page.asp"});
  EXPECT_EQ(Render(checker.Findings()),
            "missing-include error [ASP 0126] page.asp:2:1-2:38 pages=1 from page.asp | include "
            "file not found: inc/gone.inc\n"
            "unreadable-file error [] page.asp:1:1-1:40 pages=1 from page.asp | unreadable file: "
            "inc/locked.inc cannot be read: Permission denied\n"
            "unreadable-file error [] locked.asp:0:0-0:0 pages=1 from locked.asp | unreadable "
            "file: locked.asp cannot be read: Input/output error\n");
}

TEST(Checker, DescribesTheRulesThatRunInPageOrderAtTheSeveritiesTheSettingsGive) {
  RuleSettings settings;
  settings.severities["unused-file"] = std::nullopt;
  settings.severities["case-mismatch"] = Severity::Error;
  std::string rules;
  for (const RuleInfo& rule : Checker(settings).RunningRules()) {
    rules += rule.id + " " + SeverityName(rule.severity) + "\n";
  }
  EXPECT_EQ(rules,
            "missing-include error\nunreadable-file error\nmalformed-include error\n"
            "cyclic-include error\nduplicate-include warning\nparent-path error\n"
            "case-mismatch error\ndirective-order error\nname-redefined error\n"
            "undefined-name error\ncodepage-mismatch warning\n"
            "exposed-include note\nunused-include note\n");
}

TEST(Checker, KeepsTheOutermostAndInnermostLinksOfADeepChainAndTheWholeOfAShortOne) {
  std::map<Text, Text> site = {{u"page.asp", IncludeLine(u"l1.inc") + IncludeLine(u"other.inc")},
                               {u"other.inc", IncludeLine(u"gone.inc")},
                               {u"l40.inc", IncludeLine(u"missing.inc")}};
  for (int level = 1; level < 40; ++level) {
    site[u"l" + text::FromNumber(level) + u".inc"] =
        IncludeLine(u"l" + text::FromNumber(level + 1) + u".inc");
  }
  MemorySupply host;
  host.Files = site;
  SiteAnalysis analysis(host, u"/site");
  Checker checker;
  checker.Check(PageTree(analysis.Tree(u"page.asp")));
  std::vector<std::string> chains;
  for (const RuleFinding& finding : checker.Findings()) {
    if (finding.ruleId != "missing-include") continue;
    std::string chain;
    for (const Place& link : finding.chain) chain += At(link) + " ";
    chains.push_back(chain);
  }
  ASSERT_EQ(chains.size(), 2u);
  std::string deep = "page.asp:1:1 ";
  for (int level = 1; level < 16; ++level) deep += "l" + std::to_string(level) + ".inc:1:1 ";
  for (int level = 24; level < 40; ++level) deep += "l" + std::to_string(level) + ".inc:1:1 ";
  EXPECT_EQ(chains[0], deep);
  EXPECT_EQ(chains[1], "page.asp:2:1 ");
}

TEST(NameRedefinedRule, ReportsAFileOfDeclarationsThatComesAgainOnceAtTheDirectiveThatBringsIt) {
  const std::map<Text, Text> site = {
      {u"page.asp", IncludeLine(u"decl.inc") + u"<% Dim x %>\r\n" + IncludeLine(u"decl.inc")},
      {u"twice.asp", IncludeLine(u"outer.inc") + IncludeLine(u"outer.inc")},
      {u"outer.inc", u"<p>\r\n" + IncludeLine(u"decl.inc")},
      {u"decl.inc", kDeclarations}};
  EXPECT_EQ(Check(site, {u"page.asp", u"twice.asp"}),
            "name-redefined error [VBScript 800a0411] page.asp:3:1-3:34 pages=1 from page.asp "
            "related decl.inc:2:5 related decl.inc:3:7 | name redefined: decl.inc was already "
            "included at page.asp:1 and declares again total, RATE\n"
            "name-redefined error [VBScript 800a0411] twice.asp:2:1-2:35 pages=1 from twice.asp "
            "related decl.inc:2:5 related decl.inc:3:7 | name redefined: outer.inc was already "
            "included at twice.asp:1 and declares again total, RATE\n");
}

TEST(NameRedefinedRule, ComparesNamesAcrossFilesWithoutRegardToCaseInPageOrder) {
  const std::map<Text, Text> site = {
      {u"page.asp", u"<% Const Total = 1 %>\r\n" + IncludeLine(u"lib.inc") +
                        u"<% ReDim list(2) : Dim LIST : Class Cart : End Class %>"},
      {u"lib.inc", u"<% Dim tOTAL %><% Class cart\r\nEnd Class %>"}};
  EXPECT_EQ(Check(site, {u"page.asp"}),
            "name-redefined error [VBScript 800a0411] lib.inc:1:8-1:13 pages=1 from page.asp > "
            "page.asp:2:1 related page.asp:1:10 | name redefined: tOTAL is already declared at "
            "page.asp:1:10\n"
            "name-redefined error [VBScript 800a0411] page.asp:3:24-3:28 pages=1 from page.asp "
            "related page.asp:3:10 | name redefined: LIST is already declared at page.asp:3:10\n"
            "name-redefined error [VBScript 800a0411] page.asp:3:37-3:41 pages=1 from page.asp "
            "related lib.inc:1:25 | name redefined: Cart is already declared at lib.inc:1:25\n");
}

TEST(NameRedefinedRule, LeavesAloneWhatVBScriptAccepts) {
  const std::map<Text, Text> site = {
      // Subs and Functions declared again: the duplicate include is only a note.
      {u"subs.asp", IncludeLine(u"subs.inc") + IncludeLine(u"subs.inc")},
      {u"subs.inc", kSubs},
      // A local of a procedure, a Dim after a ReDim's Dim, and declarations in a procedure.
      {u"locals.asp", u"<% Dim line : Dim arr : ReDim arr(3) %>\r\n" + IncludeLine(u"subs.inc") +
                          u"<% Sub Body %>" + IncludeLine(u"decl.inc") + u"<% End Sub %>\r\n" +
                          IncludeLine(u"decl.inc")},
      {u"decl.inc", kDeclarations},
      // Another language, and a server script block, which is a script of its own.
      {u"jscript.asp",
       u"<%@ Language=\"JScript\" %>" + IncludeLine(u"decl.inc") + IncludeLine(u"decl.inc")},
      {u"block.asp", u"<script runat=\"server\">Dim total</script>" + IncludeLine(u"decl.inc")}};
  EXPECT_EQ(Check(site, {u"subs.asp", u"locals.asp", u"jscript.asp", u"block.asp"}),
            "duplicate-include note [] subs.asp:2:1-2:34 pages=1 from subs.asp related "
            "subs.asp:1:1 | duplicate include: subs.inc was already included at subs.asp:1\n"
            "duplicate-include note [] locals.asp:5:1-5:34 pages=1 from locals.asp related "
            "locals.asp:3:15 | duplicate include: decl.inc was already included at locals.asp:3\n"
            "duplicate-include note [] jscript.asp:2:1-2:34 pages=1 from jscript.asp related "
            "jscript.asp:1:26 | duplicate include: decl.inc was already included at "
            "jscript.asp:1\n");
}

TEST(DuplicateIncludeRule, TellsCopiesInOtherBranchesOfOneIfOrSelectCaseFromCopiesThatBothRun) {
  const Text banner = IncludeLine(u"banner.inc");
  const std::map<Text, Text> site = {
      // One copy runs: the branches of a block If (an Else If opens another), of a Select Case,
      // and of an If around two files that each bring the file.
      {u"if.asp", u"<% If a Then %>\r\n" + banner + u"<% ElseIf b Then %>\r\n" + banner +
                      u"<% Else If c Then %>\r\n" + banner + u"<% End If\r\nEnd If %>"},
      {u"select.asp", u"<%\r\nSelect Case mode\r\n  Case 1 %>\r\n" + banner +
                          u"<% Case Else ' any other\r\n%>\r\n" + banner + u"<% End Select %>"},
      {u"through.asp", u"<% If a Then %>" + IncludeLine(u"top.inc") + u"<% Else %>" +
                           IncludeLine(u"side.inc") + u"<% End If %>"},
      {u"top.inc", banner},
      {u"side.inc", u"<p>\r\n" + banner},
      // Both run: a copy before the block, or two in one branch (a single-line If opens no
      // block, so its Else is none of the block If's).
      {u"before.asp", banner + u"<% If a Then %>\r\n" + banner + u"<% End If %>"},
      {u"single.asp", u"<% If b Then %>\r\n" + banner + u"<% If c Then x = 3 Else x = 4 %>\r\n" +
                          banner + u"<% Else %>\r\n" + banner + u"<% End If %>"},
      {u"banner.inc", u"<p>Banner</p>"}};
  EXPECT_EQ(
      Check(site, {u"if.asp", u"select.asp", u"through.asp", u"before.asp", u"single.asp"}),
      "duplicate-include note [] if.asp:4:1-4:36 pages=1 from if.asp related if.asp:2:1 | "
      "duplicate include: banner.inc was already included at if.asp:2, in another branch of one "
      "If or Select Case: only one of the copies runs\n"
      "duplicate-include note [] if.asp:6:1-6:36 pages=1 from if.asp related if.asp:2:1 | "
      "duplicate include: banner.inc was already included at if.asp:2, in another branch of one "
      "If or Select Case: only one of the copies runs\n"
      "duplicate-include note [] select.asp:7:1-7:36 pages=1 from select.asp related "
      "select.asp:4:1 | duplicate include: banner.inc was already included at select.asp:4, in "
      "another branch of one If or Select Case: only one of the copies runs\n"
      "duplicate-include note [] side.inc:2:1-2:36 pages=1 from through.asp > through.asp:2:11 "
      "related top.inc:1:1 | duplicate include: banner.inc was already included at top.inc:1, in "
      "another branch of one If or Select Case: only one of the copies runs\n"
      "duplicate-include warning [] before.asp:3:1-3:36 pages=1 from before.asp related "
      "before.asp:1:1 | duplicate include: banner.inc was already included at before.asp:1\n"
      "duplicate-include warning [] single.asp:4:1-4:36 pages=1 from single.asp related "
      "single.asp:2:1 | duplicate include: banner.inc was already included at single.asp:2\n"
      "duplicate-include note [] single.asp:6:1-6:36 pages=1 from single.asp related "
      "single.asp:2:1 | duplicate include: banner.inc was already included at single.asp:2, in "
      "another branch of one If or Select Case: only one of the copies runs\n");
}

TEST(DuplicateIncludeRule, TellsCopiesAfterABranchThatEndsTheResponseFromCopiesThatBothRun) {
  const Text footer = IncludeLine(u"footer.inc");
  const std::map<Text, Text> site = {
      // One copy runs: the first copy's branch ends the response, in the page or in the file
      // that brings the first copy.
      {u"end.asp", u"<% If id = \"\" Then %>\r\n<p>No such item</p>\r\n" + footer +
                       u"<% Response.End\r\n   End If %>\r\n<p>Item</p>\r\n" + footer},
      {u"redirect.asp", u"<% Select Case mode\r\nCase 0 %>\r\n" + footer +
                            u"<% Response.Redirect \"list.asp\"\r\nEnd Select %>\r\n" + footer},
      {u"through.asp", IncludeLine(u"guard.inc") + u"<p>Item</p>\r\n" + footer},
      {u"guard.inc", u"<% If id = \"\" Then %>\r\n" + footer + u"<% Response.End\r\nEnd If %>"},
      // Both run: the copy before the If, the later copy in the branch, an end before the
      // directive, and an end that a procedure makes when called.
      {u"reverse.asp",
       footer + u"<% If id = \"\" Then %>\r\n" + footer + u"<% Response.End\r\nEnd If %>"},
      {u"inside.asp",
       u"<% If id = \"\" Then %>\r\n" + footer + footer + u"<% Response.End\r\nEnd If %>"},
      {u"early.asp",
       u"<% If id = \"\" Then\r\nResponse.End %>\r\n" + footer + u"<% End If %>\r\n" + footer},
      {u"called.asp", u"<% If id = \"\" Then %>\r\n" + footer + u"<% Finish\r\nEnd If %>\r\n" +
                          footer + u"<% Sub Finish\r\nResponse.End\r\nEnd Sub %>"},
      {u"footer.inc", u"<p>Footer</p>"}};
  EXPECT_EQ(
      Check(site, {u"end.asp", u"redirect.asp", u"through.asp", u"reverse.asp", u"inside.asp",
                   u"early.asp", u"called.asp"}),
      "duplicate-include note [] end.asp:7:1-7:36 pages=1 from end.asp related end.asp:3:1 | "
      "duplicate include: footer.inc was already included at end.asp:3, in a branch that ends "
      "the response after it: only one of the copies runs\n"
      "duplicate-include note [] redirect.asp:6:1-6:36 pages=1 from redirect.asp related "
      "redirect.asp:3:1 | duplicate include: footer.inc was already included at redirect.asp:3, "
      "in a branch that ends the response after it: only one of the copies runs\n"
      "duplicate-include note [] through.asp:3:1-3:36 pages=1 from through.asp related "
      "guard.inc:2:1 | duplicate include: footer.inc was already included at guard.inc:2, in a "
      "branch that ends the response after it: only one of the copies runs\n"
      "duplicate-include warning [] reverse.asp:3:1-3:36 pages=1 from reverse.asp related "
      "reverse.asp:1:1 | duplicate include: footer.inc was already included at reverse.asp:1\n"
      "duplicate-include warning [] inside.asp:3:1-3:36 pages=1 from inside.asp related "
      "inside.asp:2:1 | duplicate include: footer.inc was already included at inside.asp:2\n"
      "duplicate-include warning [] early.asp:5:1-5:36 pages=1 from early.asp related "
      "early.asp:3:1 | duplicate include: footer.inc was already included at early.asp:3\n"
      "duplicate-include warning [] called.asp:5:1-5:36 pages=1 from called.asp related "
      "called.asp:2:1 | duplicate include: footer.inc was already included at called.asp:2\n");
}

TEST(Checker, GivesTheSameFindingsWhenPagesAreSharedBetweenCheckersAndMerged) {
  const std::map<Text, Text> site = {
      {u"a.asp", IncludeLine(u"gone.inc") + IncludeLine(u"header.inc")},
      {u"b.asp", u"<p>\r\n" + IncludeLine(u"header.inc")},
      {u"c.asp", IncludeLine(u"decl.inc") + IncludeLine(u"decl.inc")},
      {u"d.asp", IncludeLine(u"header.inc") + IncludeLine(u"decl.inc") + IncludeLine(u"decl.inc")},
      {u"e.asp", IncludeLine(u"gone.inc")},
      {u"header.inc", IncludeLine(u"menu.inc")},
      {u"decl.inc", kDeclarations},
      {u"spare.inc", u"<p>"}};
  const std::vector<const char16_t*> pages = {u"a.asp", u"b.asp", u"c.asp", u"d.asp", u"e.asp"};
  const std::string whole = CheckInRuns(site, pages, pages.size());
  EXPECT_EQ(whole,
            "missing-include error [ASP 0126] a.asp:1:1-1:34 pages=1 from a.asp | include file "
            "not found: gone.inc\n"
            "missing-include error [ASP 0126] header.inc:1:1-1:34 pages=3 from a.asp > a.asp:2:1 "
            "| include file not found: menu.inc\n"
            "name-redefined error [VBScript 800a0411] c.asp:2:1-2:34 pages=1 from c.asp related "
            "decl.inc:2:5 related decl.inc:3:7 | name redefined: decl.inc was already included at "
            "c.asp:1 and declares again total, RATE\n"
            "exposed-include note [] decl.inc:0:0-0:0 pages=2 from c.asp > c.asp:1:1 | exposed "
            "include: decl.inc holds server code; IIS 6 and later refuse .inc files, but IIS 5 "
            "and a server that sends any extension show its source\n"
            "name-redefined error [VBScript 800a0411] d.asp:3:1-3:34 pages=1 from d.asp related "
            "decl.inc:2:5 related decl.inc:3:7 | name redefined: decl.inc was already included at "
            "d.asp:2 and declares again total, RATE\n"
            "missing-include error [ASP 0126] e.asp:1:1-1:34 pages=1 from e.asp | include file "
            "not found: gone.inc\n"
            "unused-file note [] spare.inc:0:0-0:0 pages=0 from  | unused file: no page includes "
            "spare.inc\n"
            "missing-include header.inc:1:1 reached by 1 2 4\n"
            "exposed-include decl.inc:0:0 reached by 3 4\n");
  for (size_t run = 1; run < pages.size(); ++run) {
    EXPECT_EQ(CheckInRuns(site, pages, run), whole) << "runs of " << run;
  }
}

TEST(Checker, GivesTheSameFindingsWhenCheckersAlikeShareOutAPagesRulesOnTwoThreads) {
  MemorySupply host;
  host.Files = {
      {u"page.asp", IncludeLine(u"decl.inc") + IncludeLine(u"head.inc") + IncludeLine(u"gone.inc") +
                        IncludeLine(u"subs.inc") + IncludeLine(u"loop.inc") +
                        IncludeLine(u"head.inc") + Lines({u"<%", u"Log total", u"%>"})},
      {u"head.inc", u"<p>head</p>"},
      {u"decl.inc", kDeclarations},
      {u"subs.inc", kSubs + IncludeLine(u"decl.inc")},
      {u"loop.inc", IncludeLine(u"../loop.inc") + IncludeLine(u"loop.inc")}};
  SiteAnalysis site(host, u"/site");
  const PageTree tree(site.Tree(u"page.asp"));
  const auto sorted = [](std::vector<RuleFinding> findings) {
    std::sort(findings.begin(), findings.end(), ListedBefore);
    return Render(findings);
  };
  Checker alone;
  alone.Check(tree);
  const std::string expected = sorted(alone.Findings());
  for (const char* rule : {"duplicate-include", "name-redefined", "missing-include",
                           "cyclic-include", "parent-path", "exposed-include"}) {
    EXPECT_NE(expected.find(rule), std::string::npos) << rule;
  }
  for (int round = 0; round < 20; ++round) {
    Checker first;
    Checker second = first.Alike();
    RuleShare share;
    std::thread other([&] { second.Check(tree, 1, share); });
    first.Check(tree, 1, share);
    other.join();
    first.Merge(second.TakeFindings(), FindingSet::MergeOrder::Any);
    EXPECT_EQ(sorted(first.Findings()), expected) << "round " << round;
  }
}

TEST(SourceFacts, ScansATextOnceForEveryNodeThatShowsIt) {
  MemorySupply host;
  host.Files = {{u"one.asp", IncludeLine(u"decl.inc")},
                {u"two.asp", IncludeLine(u"decl.inc")},
                {u"decl.inc", kDeclarations}};
  SiteAnalysis site(host, u"");
  SourceFacts facts;
  const std::shared_ptr<File> one = site.Tree(u"one.asp");
  const std::shared_ptr<File> two = site.Tree(u"two.asp");
  const ScriptScan& first = facts.Script(*(*one->Includes())[0]);
  EXPECT_EQ(&facts.Script(*(*two->Includes())[0]), &first);
  EXPECT_EQ(first.declarations.size(), 2u);
  EXPECT_NE(&facts.Script(*one), &facts.Script(*two));
}

TEST(SourceFacts, CheckersThatShareFactsLearnTextsWithTheSameUnitsOnce) {
  const auto units = std::make_shared<const Text>(kDeclarations);
  const auto onFirstHost = std::make_shared<const SourceText>(units);
  const auto onSecondHost = std::make_shared<const SourceText>(units);
  const auto ownUnits =
      std::make_shared<const SourceText>(Lines({u"<%", u"Const RATE = 2", u"Dim total", u"%>"}));
  SourceFacts first;
  SourceFacts second(first.Shared());
  const ScriptScan& script = first.Script(onFirstHost);
  EXPECT_EQ(&second.Script(onSecondHost), &script);
  EXPECT_EQ(&second.Names(onSecondHost), &first.Names(onFirstHost));
  EXPECT_EQ(&second.Lines(onSecondHost), &first.Lines(onFirstHost));
  // A text of its own is learnt apart, each of its names numbered as the other checker's.
  const ScriptScan& apart = second.Script(ownUnits);
  EXPECT_NE(&apart, &script);
  ASSERT_EQ(apart.declarations.size(), 2u);
  EXPECT_EQ(apart.declarations[0].id, script.declarations[1].id);
  EXPECT_EQ(apart.declarations[1].id, script.declarations[0].id);
}

}  // namespace lintra
