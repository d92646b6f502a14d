#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace {

using Json = nlohmann::json;

// What Graphviz draws of the graph of the site at `root`, after the pipe's status if it failed.
std::string Svg(const std::string& root) {
  const auto [out, status] = Piped(LintraCommand({"graph", "--root", root}) + " | dot -Tsvg");
  return status == 0 ? out : "exit status " + std::to_string(status) + "\n" + out;
}

// A site of two pages: page.asp includes inc/a.inc twice, which includes inc/b.inc; other.asp
// includes inc/b.inc and a file that is not there. inc/old.inc is included by nothing.
void WriteTwoPageSite(const TempFolder& site) {
  site.Write("page.asp", "A" + Include("inc/a.inc") + "Z" + Include("inc/a.inc"));
  site.Write("inc/a.inc", "aa" + Include("b.inc"));
  site.Write("inc/b.inc", "bbb");
  site.Write("other.asp", Include("inc/b.inc") + "\n" + Include("gone.inc"));
  site.Write("inc/old.inc", "old");
  site.Write("notes.txt", "not a kind of file that pages include");
}

// The report's section on unused files, from its heading on.
std::string UnusedSection(const std::string& page) {
  const size_t start = page.find("<h2>Unused files</h2>");
  return page.substr(start, page.find("</section>", start) - start);
}

// The lines of the text report of `check`, the arguments of a check run, that tell of unused
// files.
std::string UnusedFindings(const std::vector<std::string>& check) {
  std::string found;
  std::istringstream lines(Lintra(check).out);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("[unused-file]") != std::string::npos) found += line + "\n";
  }
  return found;
}

// A page that includes a browser script and a file of declarations; another script, and another
// file of declarations, that no page includes.
void WriteScriptsSite(const TempFolder& site) {
  site.Write("page.asp", Include("scripts/menu.js") + Include("inc/used.inc"));
  site.Write("scripts/menu.js", "var menu;");
  site.Write("scripts/other.js", "var other;");
  site.Write("inc/used.inc", "<% Dim a %>");
  site.Write("inc/spare.inc", "<% Dim b %>");
}

}  // namespace

TEST(ReportCli, TheSampleSitesSummaryAndFindingsAreInThePageItselfWithNothingToFetch) {
  const Outcome report = Lintra({"report", "--output", "-", "--root", Site});
  ASSERT_EQ(report.status, 0) << report.err;
  for (const char* count :
       {"<dd id=\"count-pages\">5</dd>", "<dd id=\"count-files\">14</dd>",
        "<dd id=\"count-directives\">21</dd>", "<dd id=\"count-findings\">10</dd>",
        "<dd id=\"count-unused\">0</dd>"}) {
    EXPECT_NE(report.out.find(count), std::string::npos) << count;
  }
  EXPECT_NE(
      report.out.find("<div role=\"row\" class=\"tr error\"><span role=\"cell\">"
                      "missing-include</span><span role=\"cell\">error</span>"
                      "<span role=\"cell\">ASP 0126</span><span role=\"cell\" class=\"place\">"
                      "<a class=\"path\" href=\"#file-10\"><span class=\"dir\">shop/</span>"
                      "<span class=\"at\">cart.asp:6:1</span></a></span>"
                      "<span role=\"cell\">include file not found: cart_totals.inc "
                      "(shop/cart_totals.inc)</span>"
                      "<span role=\"cell\" class=\"num\">1</span>"
                      "<span role=\"cell\" class=\"num\">1</span><span role=\"cell\">"
                      "<a href=\"#page-3\" class=\"path\">shop/cart.asp</a></span></div>"),
      std::string::npos);
  EXPECT_EQ(Occurrences(report.out, "class=\"tr warning\"><span role=\"cell\">duplicate-include<"),
            1u);
  EXPECT_EQ(Occurrences(report.out, "class=\"tr error\"><span role=\"cell\">cyclic-include<"), 1u);
  EXPECT_EQ(Occurrences(report.out, "class=\"tr error\"><span role=\"cell\">parent-path<"), 1u)
      << "one row for the two places of one cause";
  EXPECT_EQ(Occurrences(report.out, "class=\"tr note\"><span role=\"cell\">exposed-include<"), 5u);
  EXPECT_NE(report.out.find("<span role=\"cell\"></span><span role=\"cell\" class=\"place\">"
                            "<a class=\"path\" href=\"#file-"),
            std::string::npos)
      << "a finding about a whole file has no line";
  EXPECT_EQ(Occurrences(report.out, ":0:0"), 0u);
  EXPECT_EQ(Occurrences(report.out, " src="), 0u);
  EXPECT_EQ(Occurrences(report.out, "<link"), 0u);
  EXPECT_EQ(Occurrences(report.out, "http"), 1u) << "only the security policy's http-equiv";
}

TEST(ReportCli, CountsThePagesThatUseEachIncludeAndListsThoseThatDoNot) {
  TempFolder site;
  site.Write("lib.inc", "<% Function Price()\n  Price = 2\nEnd Function %>");
  site.Write("head.inc", "<title>shop</title>");
  site.Write("a.asp", Include("lib.inc") + Include("head.inc") + "<% Response.Write Price() %>");
  site.Write("b.asp", Include("lib.inc") + Include("head.inc"));
  site.Write("c.asp", Include("lib.inc") + "<p><%= Price %></p>");
  site.Write("d.asp", Include("lib.inc"));
  const auto usedBy = [&](const std::string& jobs) {
    const Outcome report =
        Lintra({"report", "--output", "-", "--jobs", jobs, "--root", site.Path().string()});
    EXPECT_EQ(report.status, 0) << report.err;
    const Json data = ReportData(report.out);
    EXPECT_EQ(data["files"].dump(), R"(["a.asp","lib.inc","head.inc","b.asp","c.asp","d.asp"])");
    return data["usedBy"].dump();
  };
  // lib.inc: a.asp calls Price, c.asp writes it; b.asp and d.asp (pages 1 and 3) do neither.
  // head.inc writes output wherever it is included; a page uses no include of itself.
  const std::string expected = "[[0,0,[]],[2,4,[1,3]],[2,2,[]],[0,0,[]],[0,0,[]],[0,0,[]]]";
  EXPECT_EQ(usedBy("1"), expected);
  EXPECT_EQ(usedBy("3"), expected);
  // The counts are the report's own, whether or not check reports unused includes.
  site.Write("lintra.toml", "[rules]\nunused-include = \"off\"\n");
  EXPECT_EQ(usedBy("3"), expected);
}

TEST(ReportCli, TreesWeightsIncludersAndUnusedFilesComeFromTheAnalysis) {
  TempFolder site;
  WriteTwoPageSite(site);
  const Outcome report = Lintra({"report", "--output", "-", "--root", site.Path().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(ReportData(report.out).dump(),
            R"({"files":["other.asp","inc/b.inc","gone.inc","page.asp","inc/a.inc"],)"
            R"("includedBy":[[],[["inc/a.inc",1],["other.asp",1]],[["other.asp",2]],[],)"
            R"([["page.asp",1]]],"includes":[[[1,0],[2,1]],[],[],[[4,4]],[[1,4]]],)"
            R"("pages":[[0,4,1],[3,12,2]],)"
            R"("reachedBy":[[0,[]],[2,[0,1]],[1,[0]],[0,[]],[1,[1]]],)"
            R"("trees":[[0,0,3,1,0,1,2,1,1],[3,0,5,4,4,2,1,4,1,4,4,2,1,4,1]],)"
            R"("usedBy":[[0,0,[]],[2,2,[]],[1,1,[]],[0,0,[]],[1,1,[]]]})");
  EXPECT_NE(report.out.find("<tbody>\n<tr><td><a href=\"#page-1\" class=\"path\">page.asp</a></td>"
                            "<td class=\"num\">12</td><td class=\"num\">2</td>"
                            "<td class=\"num\">4</td></tr>\n"
                            "<tr><td><a href=\"#page-0\" class=\"path\">other.asp</a></td>"
                            "<td class=\"num\">4</td><td class=\"num\">1</td>"
                            "<td class=\"num\">2</td></tr>\n</tbody>"),
            std::string::npos);
  EXPECT_NE(report.out.find("<ul id=\"unused-list\"><li>inc/old.inc</li></ul>"), std::string::npos);
}

// The cells of each findings row of `report`, as text joined by " | ", a line per row.
std::string FindingRows(const std::string& report) {
  std::string rows;
  const std::string rowStart = "<div role=\"row\" class=\"tr ";
  for (size_t at = report.find(rowStart); at != std::string::npos;
       at = report.find(rowStart, at + 1)) {
    const std::string row = report.substr(at, report.find("</div>", at) - at);
    std::string text;
    bool inTag = false;
    for (size_t i = row.find('>') + 1; i < row.size(); ++i) {
      if (row.compare(i, 17, "<span role=\"cell\"") == 0 && i > row.find('>') + 1) text += " | ";
      if (row[i] == '<') inTag = true;
      if (!inTag) text += row[i];
      if (row[i] == '>') inTag = false;
    }
    rows += text + "\n";
  }
  return rows;
}

TEST(ReportCli, FindingsAreOneRowPerCauseAsCheckGroupsThemErrorsFirstThenByPagesReached) {
  TempFolder site;
  // a.asp, b.asp and c.asp come first by name but hold only warnings; z.asp holds the errors.
  for (const char* page : {"a.asp", "b.asp", "c.asp"}) {
    site.Write(page, Include("inc/head.inc") + Include("inc/head.inc"));
  }
  site.Write("inc/head.inc", "h");
  site.Write("z.asp",
             Include("../up.inc") + "\n" + Include("gone.inc") + "\n" + Include("gone.inc"));
  const std::string root = site.Path().string();
  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(
      FindingRows(report.out),
      "missing-include | error | ASP 0126 | z.asp:2:1 | include file not found: gone.inc"
      " | 2 | 1 | z.asp\n"
      "parent-path | error | ASP 0131 | z.asp:1:1 | parent path: the include path of ../up.inc"
      " uses &quot;..&quot; | 1 | 1 | z.asp\n"
      "duplicate-include | warning |  | a.asp:1:38 | duplicate include: inc/head.inc was "
      "already included at a.asp:1 | 1 | 1 | a.asp\n"
      "duplicate-include | warning |  | b.asp:1:38 | duplicate include: inc/head.inc was "
      "already included at b.asp:1 | 1 | 1 | b.asp\n"
      "duplicate-include | warning |  | c.asp:1:38 | duplicate include: inc/head.inc was "
      "already included at c.asp:1 | 1 | 1 | c.asp\n");
  const std::string check = Lintra({"check", "--root", root, "--format", "text"}).out;
  EXPECT_NE(check.find("z.asp:2:1: error: include file not found: gone.inc [missing-include] (ASP "
                       "0126; 2 places in 1 page)"),
            std::string::npos)
      << check;
}

TEST(ReportCli, EveryFindingFileAndPageLinksToTheViewThatShowsIt) {
  TempFolder site;
  WriteTwoPageSite(site);
  const Outcome report = Lintra({"report", "--output", "-", "--root", site.Path().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  const Json data = ReportData(report.out);
  size_t links = 0;
  for (size_t at = report.out.find("href=\"#"); at != std::string::npos;
       at = report.out.find("href=\"#", at + 1)) {
    const size_t dash = report.out.find('-', at);
    const std::string kind = report.out.substr(at + 7, dash - at - 7);
    if (kind != "file" && kind != "page") continue;
    const size_t index = std::stoul(report.out.substr(dash + 1));
    const std::string link =
        report.out.substr(report.out.find('>', at) + 1, report.out.find("</a>", at));
    std::string shown;
    bool inTag = false;
    for (const char c : link.substr(0, link.find("</a>"))) {
      if (c == '<') inTag = true;
      if (!inTag) shown += c;
      if (c == '>') inTag = false;
    }
    const size_t file = kind == "file" ? index : data["pages"][index][0].get<size_t>();
    EXPECT_EQ(shown.substr(0, shown.find(':')), data["files"][file].get<std::string>())
        << report.out.substr(at, 200);
    ++links;
  }
  // The places and first pages of two causes, and two pages in each ranking; the unused file is
  // in no tree, so it has no view.
  EXPECT_EQ(links, 8u);
}

TEST(ReportCli, EachRankingMeasuresWhatItsTitleSays) {
  TempFolder site;
  site.Write("big.asp", std::string(500, 'x') + Include("inc/one.inc"));
  site.Write("deep.asp", Include("inc/one.inc") + Include("inc/two.inc"));
  site.Write("inc/one.inc", Include("two.inc"));
  site.Write("inc/two.inc", Include("three.inc"));
  site.Write("inc/three.inc", "3");
  const Outcome report = Lintra({"report", "--output", "-", "--root", site.Path().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  const auto table = [&](const std::string& id) {
    const size_t start = report.out.find("<tbody>", report.out.find("<table id=\"" + id + "\""));
    return report.out.substr(start, report.out.find("</tbody>", start) - start);
  };
  EXPECT_EQ(table("by-size"),
            "<tbody>\n<tr><td><a href=\"#page-0\" class=\"path\">big.asp</a></td>"
            "<td class=\"num\">501</td><td class=\"num\">3</td><td class=\"num\">3</td></tr>\n"
            "<tr><td><a href=\"#page-1\" class=\"path\">deep.asp</a></td>"
            "<td class=\"num\">2</td><td class=\"num\">3</td><td class=\"num\">5</td></tr>\n");
  EXPECT_EQ(table("by-depth"),
            "<tbody>\n<tr><td><a href=\"#page-1\" class=\"path\">deep.asp</a></td>"
            "<td class=\"num\">3</td><td class=\"num\">5</td><td class=\"chain\">deep.asp "
            "\u2192 one.inc \u2192 two.inc \u2192 three.inc</td></tr>\n"
            "<tr><td><a href=\"#page-0\" class=\"path\">big.asp</a></td>"
            "<td class=\"num\">3</td><td class=\"num\">3</td><td class=\"chain\">big.asp "
            "\u2192 one.inc \u2192 two.inc \u2192 three.inc</td></tr>\n");
}

TEST(ReportCli, UnusedFilesAreTheUnusedFileFindingsOfCheckNotEveryFileOfAKindAPageIncludes) {
  TempFolder site;
  WriteScriptsSite(site);
  const std::string root = site.Path().string();
  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(UnusedSection(report.out),
            "<h2>Unused files</h2>\n<ul id=\"unused-list\"><li>inc/spare.inc</li></ul>\n");
  EXPECT_NE(report.out.find("<dd id=\"count-unused\">1</dd>"), std::string::npos);
  EXPECT_NE(report.out.find(
                "<tr class=\"note\"><td><a href=\"#findings\">unused-file</a></td><td>note</td>"
                "<td class=\"num\">1</td></tr>"),
            std::string::npos);
  EXPECT_EQ(UnusedFindings({"check", "--root", root}),
            "inc/spare.inc: note: unused file: no page includes inc/spare.inc [unused-file] "
            "(0 pages)\n");
}

TEST(ReportCli, SummaryCountsEachRuleUnderTheSeverityItsFindingsTake) {
  TempFolder site;
  site.Write("page.asp",
             "<!-- #include file=\"lib.inc\" -->\r\n<!-- #include file=\"lib.inc\" -->\r\n");
  site.Write("lib.inc", "<% Sub Show : End Sub %>");
  const Outcome report = Lintra({"report", "--output", "-", "--root", site.Path().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_NE(
      report.out.find(
          "<tr class=\"note\"><td><a href=\"#findings\">duplicate-include</a></td><td>note</td>"
          "<td class=\"num\">1</td></tr>"),
      std::string::npos);
  EXPECT_EQ(report.out.find("<td>duplicate-include</td><td>warning</td>"), std::string::npos);
  EXPECT_NE(report.out.find("<tr><td>cyclic-include</td><td>error</td><td class=\"num\">0</td>"),
            std::string::npos);
}

// The pages find zz/y.inc's directive first, but check lists zz/x.inc's first.
TEST(ReportCli, ACauseShowsTheExamplePlaceThatCheckShows) {
  TempFolder site;
  site.Write("p1.asp", Include("zz/y.inc"));
  site.Write("p2.asp", Include("zz/x.inc"));
  site.Write("zz/x.inc", Include("gone.inc"));
  site.Write("zz/y.inc", Include("gone.inc"));
  const std::string root = site.Path().string();
  EXPECT_EQ(FindingLines(Lintra({"check", "--root", root}).out),
            "zz/x.inc:1:1: error: include file not found: gone.inc (zz/gone.inc) "
            "[missing-include] (ASP 0126; 2 places in 2 pages)\n"
            "one line per cause for 2 places; --all-places lists every place\n"
            "by rule: 2 missing-include\nchecked 2 pages: 2 errors, 0 warnings, 0 notes\n");
  const std::string report = Lintra({"report", "--output", "-", "--root", root}).out;
  EXPECT_NE(report.find("<span class=\"at\">x.inc:1:1</span>"), std::string::npos);
  EXPECT_EQ(report.find("<span class=\"at\">y.inc:1:1</span>"), std::string::npos);
}

// p1, p2 and p3 reach both places of the missing include, so its cause has 3 pages, not 6; the
// unused include of lib/x.inc has a place that q1 and q2 reach and one that q3 and q4 reach.
TEST(CheckCli, ACauseCountsOnceEachPageThatReachesItsPlaces) {
  TempFolder site;
  for (const char* page : {"p1.asp", "p2.asp", "p3.asp"}) {
    site.Write(page, Include("lib/a.inc") + "\n" + Include("lib/b.inc"));
  }
  site.Write("lib/a.inc", Include("gone.inc"));
  site.Write("lib/b.inc", Include("gone.inc"));
  site.Write("q1.asp", Include("lib/c.inc"));
  site.Write("q2.asp", Include("lib/c.inc"));
  site.Write("q3.asp", Include("lib/d.inc"));
  site.Write("q4.asp", Include("lib/d.inc"));
  site.Write("lib/c.inc", Include("x.inc"));
  site.Write("lib/d.inc", Include("x.inc"));
  site.Write("lib/x.inc", "<% Sub Spare : End Sub %>");
  const std::string root = site.Path().string();
  const std::string one = Lintra({"check", "--root", root, "--jobs", "1"}).out;
  const auto unusedOf = [](const std::string& at, const std::string& file) {
    return at + ": note: unused include: nothing that lib/" + file +
           " declares is used, and it writes no output and runs no statement [unused-include] ";
  };
  EXPECT_EQ(FindingLines(one),
            "lib/a.inc:1:1: error: include file not found: gone.inc (lib/gone.inc) "
            "[missing-include] (ASP 0126; 2 places in 3 pages)\n" +
                unusedOf("lib/c.inc:1:1", "x.inc") +
                "(2 places in 4 pages)\n"
                "lib/x.inc: note: exposed include: lib/x.inc holds server code; IIS 6 and later "
                "refuse .inc files, but IIS 5 and a server that sends any extension show its "
                "source [exposed-include] (4 pages, e.g. q1.asp)\n" +
                unusedOf("q1.asp:1:1", "c.inc") + "(2 places in 2 pages)\n" +
                unusedOf("q3.asp:1:1", "d.inc") +
                "(2 places in 2 pages)\n"
                "one line per cause for 9 places; --all-places lists every place\n"
                "by rule: 2 missing-include, 6 unused-include, 1 exposed-include\n"
                "checked 7 pages: 2 errors, 0 warnings, 7 notes\n");
  EXPECT_EQ(Lintra({"check", "--root", root, "--jobs", "2"}).out, one);
}

TEST(ReportCli, UnusedFilesFollowTheProjectsSettingsAsCheckDoes) {
  TempFolder site;
  WriteScriptsSite(site);
  site.Write("lintra.toml",
             "include-extensions = [\".inc\", \".js\"]\n[rules]\nunused-file = \"warning\"\n");
  const std::string root = site.Path().string();
  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(UnusedSection(report.out),
            "<h2>Unused files</h2>\n<ul id=\"unused-list\"><li>inc/spare.inc</li>"
            "<li>scripts/other.js</li></ul>\n");
  EXPECT_NE(
      report.out.find(
          "<tr class=\"warning\"><td><a href=\"#findings\">unused-file</a></td><td>warning</td>"
          "<td class=\"num\">2</td></tr>"),
      std::string::npos);
  EXPECT_EQ(UnusedFindings({"check", "--root", root}),
            "inc/spare.inc: warning: unused file: no page includes inc/spare.inc [unused-file] "
            "(0 pages)\n"
            "scripts/other.js: warning: unused file: no page includes scripts/other.js "
            "[unused-file] (0 pages)\n");

  const Outcome named = Lintra({"report", "--output", "-", "--root", root, "page.asp"});
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(UnusedSection(named.out),
            "<h2>Unused files</h2>\n<p>Unused files are looked for only when the report covers "
            "every page, each page is analysed and the unused-file rule is on.</p>\n");
  EXPECT_EQ(UnusedFindings({"check", "--root", root, "page.asp"}), "");
}

TEST(ReportCli, NamesFromTheSiteAreEscapedAndReadableAndNeverMarkup) {
  TempFolder site;
  site.Write("<script>alert(1).asp", Include("caf\xE9.inc") + Include("gone<&>.inc"));
  site.Write("caf\xE9.inc", "</script><script>alert(2)</script>");
  site.Write("x<b>&\"y'.inc", "unused");
  site.Write("old\xFF.inc", "unused");
  const Outcome report = Lintra({"report", "--output", "-", "--root", site.Path().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_NE(
      report.out.find("<td><a href=\"#page-0\" class=\"path\">&lt;script&gt;alert(1).asp</a></td>"),
      std::string::npos);
  EXPECT_NE(
      report.out.find("<span role=\"cell\">include file not found: gone&lt;&amp;&gt;.inc</span>"),
      std::string::npos);
  EXPECT_NE(report.out.find("<li>old\\xFF.inc</li><li>x&lt;b&gt;&amp;&quot;y&#39;.inc</li>"),
            std::string::npos);
  EXPECT_EQ(ReportData(report.out)["files"],
            Json::parse(R"(["<script>alert(1).asp","caf\\xE9.inc","gone<&>.inc"])"));
  EXPECT_EQ(Occurrences(report.out, "<script>alert"), 0u);
  EXPECT_EQ(Occurrences(report.out, "alert(2)"), 0u);
  EXPECT_EQ(report.out.find_first_of("\xE9\xFF"), std::string::npos);
}

TEST(ReportCli, OutputGoesToTheFileNamedListsPagesThatFailedAndAnUnwritableOneIsAUsageError) {
  TempFolder out;
  const std::string file = (out.Path() / "site.html").string();
  const Outcome written = Lintra({"report", "--root", Site, "--output", file});
  EXPECT_EQ(written.status, 0);
  EXPECT_EQ(written.out, "wrote " + file + "\n");
  EXPECT_EQ(Slurp(file).rfind("<!DOCTYPE html>\n", 0), 0u);

  // Without --output the page lands in the working folder, never on the terminal.
  const Outcome unnamed = LintraIn(out.Path(), {"report", "--root", Site});
  EXPECT_EQ(unnamed.status, 0);
  EXPECT_EQ(unnamed.out, "wrote lintra-report.html\n");
  EXPECT_EQ(Slurp(out.Path() / "lintra-report.html").rfind("<!DOCTYPE html>\n", 0), 0u);

  const Outcome stopped =
      Lintra({"report", "--output", "-", "--root", Site, "--max-files", "3", "about.asp"});
  EXPECT_EQ(stopped.status, 3);
  EXPECT_NE(stopped.out.find("<h3>Pages not analysed</h3>\n<ul id=\"failed-list\"><li>analysis of "
                             "about.asp aborted after 3 file requests (an include explosion?); "
                             "raise --max-files to go on</li></ul>"),
            std::string::npos);

  const std::string folder = (out.Path() / "missing" / "site.html").string();
  const Outcome refused = Lintra({"report", "--root", Site, "--output", folder});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "lintra: cannot write " + folder + ": No such file or directory\n");
}

TEST(GraphCli, MermaidOfTheSampleSiteHasEveryIncludeEdgeStyledByItsFinding) {
  const Outcome graph = Lintra({"graph", "--root", Site, "--format", "mermaid"});
  EXPECT_EQ(graph.status, 0);
  EXPECT_EQ(graph.out,
            "flowchart LR\n"
            "  n0[\"about.asp\"]\n  n1[\"account/login.asp\"]\n  n2[\"default.asp\"]\n"
            "  n3[\"shop/cart.asp\"]\n  n4[\"shop/product.asp\"]\n  n5[\"inc/header.inc\"]\n"
            "  n6[\"inc/menu.inc\"]\n  n7[\"inc/footer.inc\"]\n  n8[\"inc/connection.inc\"]\n"
            "  n9[\"inc/config.inc\"]\n  n10[\"inc/security.inc\"]\n  n11[\"inc/session.inc\"]\n"
            "  n12[\"inc/functions.inc\"]\n  n13[\"shop/cart_totals.inc\"]\n"
            "  n0 --> n5\n  n5 -- duplicate --> n6\n  n0 --> n7\n  n1 --> n8\n  n8 --> n9\n"
            "  n1 --> n10\n  n10 --> n11\n  n11 == circular ==> n10\n  n1 --> n5\n  n1 --> n7\n"
            "  n2 --> n5\n  n2 -- duplicate --> n6\n  n2 --> n7\n  n3 --> n12\n  n12 --> n9\n"
            "  n3 --> n5\n  n3 -. missing .-> n13\n  n3 --> n7\n  n4 --> n12\n  n4 --> n5\n"
            "  n4 --> n7\n"
            "  classDef page fill:#dde4ec\n"
            "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
            "  class n0 page\n  class n1 page\n  class n2 page\n  class n3 page\n"
            "  class n4 page\n  class n13 missing\n"
            "  linkStyle 1 stroke:#b07d00,color:#b07d00\n"
            "  linkStyle 7 stroke:#d7261e,color:#d7261e\n"
            "  linkStyle 11 stroke:#b07d00,color:#b07d00\n"
            "  linkStyle 16 stroke:#d7261e,color:#d7261e\n");
}

TEST(GraphCli, DotOfTheSampleSiteRendersThroughGraphvizWithAClusterPerFolder) {
  const std::string svg = Svg(Site);
  ASSERT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 200);
  EXPECT_EQ(Occurrences(svg, "class=\"cluster\""), 3u);
  EXPECT_EQ(Occurrences(svg, "class=\"node\""), 14u);
  EXPECT_EQ(Occurrences(svg, "class=\"edge\""), 21u);
  EXPECT_EQ(Occurrences(svg, ">account/</text>"), 1u);
  EXPECT_EQ(Occurrences(svg, ">missing</text>"), 1u);
  EXPECT_EQ(Occurrences(svg, ">circular</text>"), 1u);
  EXPECT_EQ(Occurrences(svg, ">duplicate</text>"), 2u);
}

TEST(GraphCli, DepthStopsTheGraphAtAnIncludeLevel) {
  TempFolder site;
  WriteTwoPageSite(site);
  const std::string root = site.Path().string();
  EXPECT_EQ(
      Lintra({"graph", "--root", root, "--format", "mermaid", "--depth", "1", "page.asp"}).out,
      "flowchart LR\n  n0[\"page.asp\"]\n  n1[\"inc/a.inc\"]\n  n0 -- duplicate --> n1\n"
      "  classDef page fill:#dde4ec\n"
      "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
      "  class n0 page\n  linkStyle 0 stroke:#b07d00,color:#b07d00\n");
  EXPECT_EQ(Lintra({"graph", "--root", root, "--depth", "0", "page.asp"}).out,
            "digraph includes {\n  rankdir=LR;\n  fontname=\"sans-serif\";\n"
            "  node [shape=box, style=\"rounded,filled\", fillcolor=\"#ffffff\", "
            "fontname=\"sans-serif\", fontsize=10];\n"
            "  edge [fontname=\"sans-serif\", fontsize=9];\n"
            "  n0 [label=\"page.asp\", tooltip=\"page.asp\", fillcolor=\"#dde4ec\"];\n}\n");
}

TEST(GraphCli, AFileReachedUnderThreeNamesIsOneNodeOneRowAndADuplicateInCheck) {
  TempFolder site;
  site.Write("p.asp", Include("inc/h.inc") + "\r\n" + Include("alias/h.inc") + "\r\n" +
                          Include("INC/H.INC"));
  site.Write("inc/h.inc", "\r\n" + Include("u.inc"));
  site.Write("inc/u.inc", "u");
  std::filesystem::create_directory_symlink("inc", site.Path() / "alias");
  const std::string root = site.Path().string();
  EXPECT_EQ(Lintra({"graph", "--root", root, "--format", "mermaid"}).out,
            "flowchart LR\n  n0[\"p.asp\"]\n  n1[\"inc/h.inc\"]\n  n2[\"inc/u.inc\"]\n"
            "  n0 -- duplicate --> n1\n  n1 -- duplicate --> n2\n"
            "  classDef page fill:#dde4ec\n"
            "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
            "  class n0 page\n  linkStyle 0 stroke:#b07d00,color:#b07d00\n"
            "  linkStyle 1 stroke:#b07d00,color:#b07d00\n");
  EXPECT_EQ(
      ReportData(Lintra({"report", "--output", "-", "--root", root}).out)["includedBy"].dump(),
      R"([[],[["p.asp",1],["p.asp",2],["p.asp",3]],[["inc/h.inc",2]]])");
  // check, without any option: the second and third names are duplicates of the first, and the
  // third spells the file in other letter case than the disk.
  const std::string found =
      FindingLines(Lintra({"check", "--root", root, "--all-places", "--format", "text"}).out);
  const std::string again =
      " warning: duplicate include: inc/h.inc was already included at "
      "p.asp:1 [duplicate-include] (1 page: p.asp)\n";
  EXPECT_NE(found.find("p.asp:2:1:" + again +
                       "p.asp:3:1: warning: case mismatch: INC/H.INC is "
                       "spelt inc/h.inc on disk [case-mismatch] (1 page: p.asp)\np.asp:3:1:" +
                       again),
            std::string::npos)
      << found;
}

TEST(GraphCli, MissingFilesOfOneNameInTwoFoldersAreTwoNodesNamedByTheirPaths) {
  TempFolder site;
  site.Write("a/p.asp", Include("config.inc"));
  site.Write("b/q.asp", Include("config.inc"));
  site.Write("r.asp", "<!-- #include virtual=\"/a/config.inc\" -->" + Include("./sub//config.inc"));
  const std::string root = site.Path().string();
  EXPECT_EQ(
      Lintra({"graph", "--root", root, "--format", "mermaid"}).out,
      "flowchart LR\n  n0[\"a/p.asp\"]\n  n1[\"b/q.asp\"]\n  n2[\"r.asp\"]\n"
      "  n3[\"a/config.inc\"]\n  n4[\"b/config.inc\"]\n  n5[\"sub/config.inc\"]\n"
      "  n0 -. missing .-> n3\n  n1 -. missing .-> n4\n  n2 -. missing .-> n3\n"
      "  n2 -. missing .-> n5\n"
      "  classDef page fill:#dde4ec\n"
      "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
      "  class n0 page\n  class n1 page\n  class n2 page\n  class n3 missing\n"
      "  class n4 missing\n  class n5 missing\n"
      "  linkStyle 0 stroke:#d7261e,color:#d7261e\n  linkStyle 1 stroke:#d7261e,color:#d7261e\n"
      "  linkStyle 2 stroke:#d7261e,color:#d7261e\n  linkStyle 3 stroke:#d7261e,color:#d7261e\n");
  EXPECT_EQ(
      ReportData(Lintra({"report", "--output", "-", "--root", root}).out)["includedBy"].dump(),
      R"([[],[["a/p.asp",1],["r.asp",1]],[],[["b/q.asp",1]],[],[["r.asp",1]]])");
}

TEST(GraphCli, AMissingFileSpeltInTwoLetterCasesIsOneNodeNamedAsFirstSpelt) {
  TempFolder site;
  site.Write("p.asp", "<!-- #include virtual=\"/inc/Gone.inc\" -->");
  site.Write("q.asp", Include("INC/gone.inc"));
  const std::string root = site.Path().string();
  EXPECT_EQ(Lintra({"graph", "--root", root, "--format", "mermaid"}).out,
            "flowchart LR\n  n0[\"p.asp\"]\n  n1[\"q.asp\"]\n  n2[\"inc/Gone.inc\"]\n"
            "  n0 -. missing .-> n2\n  n1 -. missing .-> n2\n"
            "  classDef page fill:#dde4ec\n"
            "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
            "  class n0 page\n  class n1 page\n  class n2 missing\n"
            "  linkStyle 0 stroke:#d7261e,color:#d7261e\n"
            "  linkStyle 1 stroke:#d7261e,color:#d7261e\n");
  EXPECT_EQ(
      ReportData(Lintra({"report", "--output", "-", "--root", root}).out)["includedBy"].dump(),
      R"([[],[["p.asp",1],["q.asp",1]],[]])");
}

TEST(GraphCli, APageOrAnIncludeReachedThroughALinkOrAnotherSpellingIsOneFile) {
  TempFolder site;
  site.Write("p.asp", Include("inc/a.inc"));
  site.Write("inc/a.inc", "<p>a</p>");
  std::filesystem::create_symlink("p.asp", site.Path() / "q.asp");
  std::filesystem::create_symlink("a.inc", site.Path() / "inc" / "b.inc");
  const std::string root = site.Path().string();
  for (const std::vector<std::string>& pages :
       std::vector<std::vector<std::string>>{{}, {"p.asp", "P.ASP", "./q.asp"}}) {
    std::vector<std::string> check = {"check", "--root", root};
    check.insert(check.end(), pages.begin(), pages.end());
    EXPECT_EQ(Lintra(check).out, "checked 1 page: 0 errors, 0 warnings, 0 notes\n") << pages.size();
    std::vector<std::string> includers = {"includers", "--root", root, "inc/b.inc"};
    if (!pages.empty()) includers.push_back("--");
    includers.insert(includers.end(), pages.begin(), pages.end());
    EXPECT_EQ(Lintra(includers).out, "p.asp:1\n\np.asp\n") << pages.size();
    std::vector<std::string> graph = {"graph", "--root", root, "--format", "mermaid"};
    graph.insert(graph.end(), pages.begin(), pages.end());
    EXPECT_EQ(Lintra(graph).out,
              "flowchart LR\n  n0[\"p.asp\"]\n  n1[\"inc/a.inc\"]\n  n0 --> n1\n"
              "  classDef page fill:#dde4ec\n"
              "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
              "  class n0 page\n")
        << pages.size();
  }
}

TEST(GraphCli, ALinkThatLeadsOutsideTheRootIsLeftOutWithAWarning) {
  TempFolder folder;
  folder.Write("outside/p.asp", "<% Response.Write 1 %>");
  folder.Write("site/a.asp", "a");
  std::filesystem::create_symlink("../outside/p.asp", folder.Path() / "site" / "out.asp");
  const std::string root = (folder.Path() / "site").string();
  for (const char* command : {"check", "graph"}) {
    const Outcome run = Lintra({command, "--root", root});
    EXPECT_EQ(run.err,
              "lintra: warning: out.asp cannot be read within the root (a link that leads outside "
              "it?); it is left out\n")
        << command;
  }
  EXPECT_EQ(Lintra({"check", "--root", root}).out,
            "checked 1 page: 0 errors, 0 warnings, 0 notes\n");
}

TEST(GraphCli, ASiteOfManyPagesDrawsEachFoldersPagesAsOneNode) {
  TempFolder site;
  for (int i = 0; i < 40; ++i) {
    site.Write("p" + std::to_string(i) + ".asp", Include("inc/head.inc"));
    site.Write("admin/a" + std::to_string(i) + ".asp",
               Include("../inc/head.inc") + (i == 7 ? Include("gone.inc") : ""));
  }
  site.Write("inc/head.inc", "h");
  site.Write("shared.asp", "s");
  site.Write("admin/x.asp", Include("../shared.asp"));
  const std::string root = site.Path().string();
  EXPECT_EQ(Lintra({"graph", "--root", root, "--format", "mermaid"}).out,
            "flowchart LR\n"
            "  n0[\"41 pages in admin/\"]\n  n1[\"40 pages\"]\n  n2[\"shared.asp\"]\n"
            "  n3[\"inc/head.inc\"]\n  n4[\"admin/gone.inc\"]\n"
            "  n0 -- 40 pages --> n3\n  n0 -. missing, 1 page .-> n4\n  n0 -- 1 page --> n2\n"
            "  n1 -- 40 pages --> n3\n"
            "  classDef page fill:#dde4ec\n"
            "  classDef missing fill:#fde2e1,stroke:#d7261e,stroke-dasharray:4 2\n"
            "  class n0 page\n  class n1 page\n  class n2 page\n  class n4 missing\n"
            "  linkStyle 1 stroke:#d7261e,color:#d7261e\n");
  const std::string svg = Svg(root);
  ASSERT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 200);
  EXPECT_EQ(Occurrences(svg, "class=\"node\""), 5u);
  EXPECT_EQ(Occurrences(svg, ">40 pages</text>"), 3u);
}

TEST(GraphCli, NamesWithQuotesAndStrayBytesStayInsideTheirLabels) {
  TempFolder site;
  site.Write("say \"hi\".asp", Include("caf\xE9.inc"));
  site.Write("caf\xE9.inc", "");
  const std::string root = site.Path().string();
  EXPECT_NE(Lintra({"graph", "--root", root, "--format", "mermaid"})
                .out.find("  n0[\"say #34;hi#34;.asp\"]\n  n1[\"caf\\xE9.inc\"]\n"),
            std::string::npos);
  EXPECT_NE(Lintra({"graph", "--root", root})
                .out.find("  n0 [label=\"say \\\"hi\\\".asp\", tooltip=\"say \\\"hi\\\".asp\", "),
            std::string::npos);
  const std::string svg = Svg(root);
  EXPECT_NE(svg.find(">say &quot;hi&quot;.asp</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">caf\\xE9.inc</text>"), std::string::npos);
}

}  // namespace lintra
