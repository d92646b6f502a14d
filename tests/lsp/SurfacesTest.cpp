#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "apps/lsp/Workspace.h"
#include "tests/apps/CliRun.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

// A finding as every surface can tell it: rule, file, line and column from 1, or 0 and 0 for a
// finding about a whole file. A surface that tells one twice shows in the count.
using Spot = std::tuple<std::string, std::string, int64_t, int64_t>;
// A spot with the count of pages that reach it.
using CountedSpot = std::tuple<std::string, std::string, int64_t, int64_t, int64_t>;
using CountedSpots = std::multiset<CountedSpot>;
using Spots = std::multiset<Spot>;
using Names = std::set<std::string>;

// A site whose pages reach one header under four spellings, two of them in one page; that
// includes a file of declarations twice in a page and declares one of its names again in another
// file; names a file that is not there; and includes a browser script. inc/unused.inc is included
// by nothing.
const std::vector<std::pair<std::string, std::string>> kSite = {
    {"default.asp", "<html>\r\n" + Include("inc/Header.inc") + "\r\n" +
                        Include("./inc/header.inc") + "\r\n" + Include("inc/decls.inc") + "\r\n" +
                        Include("inc/decls.inc") + "\r\n<script>" + Include("scripts/menu.js") +
                        "</script>\r\n"},
    {"about.asp", "<!-- #include virtual=\"/inc/header.inc\" -->\r\n" + Include("inc/decls.inc") +
                      "\r\n" + Include("inc/other.inc") + "\r\n"},
    {"shop/cart.asp",
     "<!-- #include virtual=\"/inc/header.inc\" -->\r\n" + Include("totals.inc") + "\r\n"},
    {"inc/header.inc", "<div><%= title %></div>\r\n"},
    {"inc/decls.inc", "<%\r\nDim total\r\nConst RATE = 2\r\n%>\r\n"},
    {"inc/other.inc", "<% Dim total %>\r\n"},
    {"inc/unused.inc", "<% Dim spare %>\r\n"},
    {"scripts/menu.js", "var menu = \"<%= menu %>\";\r\n"},
};

void WriteSite(const TempFolder& site) {
  for (const auto& [file, text] : kSite) site.Write(file, text);
}

Names SiteFiles() {
  Names files;
  for (const auto& [file, text] : kSite) files.insert(file);
  return files;
}

// The names of `some` that are not in `all`.
Names NotIn(const Names& some, const Names& all) {
  Names missing;
  std::set_difference(some.begin(), some.end(), all.begin(), all.end(),
                      std::inserter(missing, missing.end()));
  return missing;
}

// The rule and place of each finding of check's JSON document.
Spots CheckSpots(const Json& check) {
  Spots spots;
  for (const Json& finding : check["findings"]) {
    spots.insert({finding["rule"].get<std::string>(), finding["file"].get<std::string>(),
                  finding["line"].get<int64_t>(), finding["column"].get<int64_t>()});
  }
  return spots;
}

// The rule, place and pages of each finding of check's JSON document, as the editor shows them:
// a finding about a whole file underlines the file's first line, and one that no page reaches
// counts as one page.
CountedSpots CheckSpotsAsTheEditorShows(const Json& check) {
  CountedSpots spots;
  for (const Json& finding : check["findings"]) {
    spots.insert({finding["rule"].get<std::string>(), finding["file"].get<std::string>(),
                  std::max<int64_t>(finding["line"].get<int64_t>(), 1),
                  std::max<int64_t>(finding["column"].get<int64_t>(), 1),
                  std::max<int64_t>(finding["pages"].get<int64_t>(), 1)});
  }
  return spots;
}

// Every file check's findings name: where they stand, their pages, chains and related places.
Names CheckNames(const Json& check) {
  Names names;
  for (const Json& finding : check["findings"]) {
    names.insert(finding["file"].get<std::string>());
    if (finding["page"] != "") names.insert(finding["page"].get<std::string>());
    for (const char* places : {"chain", "related"}) {
      for (const Json& place : finding[places]) names.insert(place["file"].get<std::string>());
    }
  }
  return names;
}

// The text of each cell of each finding row of the report's page (one row per cause), in their
// order.
std::vector<std::vector<std::string>> FindingRows(const std::string& page) {
  const std::string rowStart = "<div role=\"row\" class=\"tr ";
  const std::string cellStart = "<span role=\"cell\"";
  std::vector<std::vector<std::string>> rows;
  for (size_t at = page.find(rowStart); at != std::string::npos; at = page.find(rowStart, at + 1)) {
    const size_t end = page.find("</div>", at);
    std::vector<std::string> cells;
    for (size_t cell = page.find(cellStart, at); cell < end;) {
      const size_t next = std::min(page.find(cellStart, cell + 1), end);
      std::string text;
      bool inTag = true;
      for (size_t i = cell; i < next; ++i) {
        if (page[i] == '<') inTag = true;
        if (!inTag) text += page[i];
        if (page[i] == '>') inTag = false;
      }
      cells.push_back(text);
      cell = next;
    }
    rows.push_back(std::move(cells));
  }
  return rows;
}

// The file of a report's place, "file:line:column" or a file alone.
std::string FileOfPlace(const std::string& place) {
  return place.substr(0, place.find(':'));
}

// The rule and place of each finding row of the report's page.
Spots ReportSpots(const std::string& page) {
  Spots spots;
  for (const std::vector<std::string>& cells : FindingRows(page)) {
    const std::string& place = cells.at(3);
    int64_t line = 0;
    int64_t column = 0;
    if (place.find(':') != std::string::npos) {
      std::istringstream numbers(place.substr(place.find(':') + 1));
      char colon;
      numbers >> line >> colon >> column;
    }
    spots.insert({cells.at(0), FileOfPlace(place), line, column});
  }
  return spots;
}

// Every file the report names: in its data, its findings' places and pages, and its unused files.
Names ReportNames(const std::string& page) {
  const Json data = ReportData(page);
  Names names(data["files"].begin(), data["files"].end());
  for (const Json& directives : data["includedBy"]) {
    for (const Json& directive : directives) names.insert(directive[0].get<std::string>());
  }
  for (const std::vector<std::string>& cells : FindingRows(page)) {
    names.insert(FileOfPlace(cells.at(3)));
    if (!cells.at(7).empty()) names.insert(cells.at(7));
  }
  const std::string item = "<li>";
  const size_t list = page.find("<ul id=\"unused-list\">");
  for (size_t at = page.find(item, list); at < page.find("</ul>", list);
       at = page.find(item, at + 1)) {
    names.insert(page.substr(at + item.size(), page.find("</li>", at) - at - item.size()));
  }
  return names;
}

// The label of each node of a Mermaid graph, in the order of the nodes.
std::vector<std::string> GraphLabels(const std::string& graph) {
  std::vector<std::string> labels;
  std::istringstream lines(graph);
  for (std::string line; std::getline(lines, line);) {
    const size_t open = line.find("[\"");
    if (open != std::string::npos) {
      labels.push_back(line.substr(open + 2, line.rfind("\"]") - open - 2));
    }
  }
  return labels;
}

// The count of pages that a diagnostic's message gives, "(in N pages)", 1 without one.
int64_t PagesOf(const std::string& message) {
  const size_t at = message.rfind("(in ");
  return at == std::string::npos ? 1 : std::stoll(message.substr(at + 4));
}

// What the language server has published, from the positions of its ranges' starts, 0-based,
// moved to 1-based.
CountedSpots EditorSpots(const std::map<std::string, std::string>& fileOfUri,
                         const std::map<std::string, Json>& published) {
  CountedSpots spots;
  for (const auto& [uri, diagnostics] : published) {
    for (const Json& diagnostic : diagnostics) {
      const Json& start = diagnostic["range"]["start"];
      spots.insert({diagnostic["code"].get<std::string>(), fileOfUri.at(uri),
                    start["line"].get<int64_t>() + 1, start["character"].get<int64_t>() + 1,
                    PagesOf(diagnostic["message"].get<std::string>())});
    }
  }
  return spots;
}

// The language server's findings with every file of `files`, the site's, open. It publishes as it
// checks the pages, leaving out those of pages yet to be checked, so this waits until they are
// `expected`; when they never come to that, it returns the last the server published.
CountedSpots EditorSpotsOfSite(const TempFolder& site, const CountedSpots& expected,
                               const std::vector<std::pair<std::string, std::string>>& files) {
  LspClient client;
  client.Start(site.Path());
  std::map<std::string, std::string> fileOfUri;
  for (const auto& [file, text] : files) {
    fileOfUri[client.Uri(file)] = file;
    client.Open(file, text);
  }
  std::map<std::string, Json> published;
  try {
    client.WaitFor("textDocument/publishDiagnostics", [&](const Json& params) {
      published[params["uri"].get<std::string>()] = params["diagnostics"];
      return EditorSpots(fileOfUri, published) == expected;
    });
  } catch (const std::runtime_error&) {
  }
  return EditorSpots(fileOfUri, published);
}

}  // namespace

TEST(Surfaces, CheckTheReportAndTheEditorHoldTheSameFindings) {
  TempFolder site;
  WriteSite(site);
  const std::string root = site.Path().string();
  const Outcome check = Lintra({"check", "--root", root, "--format", "json"});
  const Spots found = CheckSpots(Json::parse(check.out));
  EXPECT_EQ(found, (Spots{{"case-mismatch", "default.asp", 2, 1},
                          {"duplicate-include", "default.asp", 3, 1},
                          {"name-redefined", "default.asp", 5, 1},
                          {"exposed-include", "inc/decls.inc", 0, 0},
                          {"exposed-include", "inc/header.inc", 0, 0},
                          {"exposed-include", "inc/other.inc", 0, 0},
                          {"name-redefined", "inc/other.inc", 1, 8},
                          {"unused-file", "inc/unused.inc", 0, 0},
                          {"exposed-include", "scripts/menu.js", 0, 0},
                          {"missing-include", "shop/cart.asp", 2, 1},
                          {"unused-include", "about.asp", 2, 1},
                          {"unused-include", "about.asp", 3, 1}}))
      << check.err;

  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(ReportSpots(report.out), found);
  const CountedSpots shown = CheckSpotsAsTheEditorShows(Json::parse(check.out));
  EXPECT_EQ(EditorSpotsOfSite(site, shown, kSite), shown);
}

TEST(Surfaces, TheReportGraphAndIncludersNameEveryFileAsCheckDoes) {
  TempFolder site;
  WriteSite(site);
  const std::string root = site.Path().string();
  const Names named =
      CheckNames(Json::parse(Lintra({"check", "--root", root, "--format", "json"}).out));
  EXPECT_EQ(named, SiteFiles());
  // Besides the files on disk, the views know the file that is not there, by the path its
  // directive asks for.
  Names known = SiteFiles();
  known.insert("shop/totals.inc");

  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  const Names reportNames = ReportNames(report.out);
  EXPECT_EQ(NotIn(named, reportNames), Names{});
  EXPECT_EQ(NotIn(reportNames, known), Names{});
  const Json files = ReportData(report.out)["files"];
  EXPECT_EQ(std::count(files.begin(), files.end(), "inc/header.inc"), 1);

  const std::vector<std::string> labels =
      GraphLabels(Lintra({"graph", "--root", root, "--format", "mermaid"}).out);
  const Names graphNames(labels.begin(), labels.end());
  Names reached = named;
  reached.erase("inc/unused.inc");
  EXPECT_EQ(NotIn(reached, graphNames), Names{});
  EXPECT_EQ(NotIn(graphNames, known), Names{});
  EXPECT_EQ(std::count(labels.begin(), labels.end(), "inc/header.inc"), 1);

  for (const char* spelling : {"inc/header.inc", "inc/Header.inc", "./inc/header.inc"}) {
    EXPECT_EQ(Lintra({"includers", "--root", root, spelling}).out,
              "about.asp:1\ndefault.asp:2\ndefault.asp:3\nshop/cart.asp:1\n\n"
              "about.asp\ndefault.asp\nshop/cart.asp\n")
        << spelling;
  }
  EXPECT_EQ(Lintra({"includers", "--root", root, "inc/decls.inc"}).out,
            "about.asp:2\ndefault.asp:4\ndefault.asp:5\n\nabout.asp\ndefault.asp\n");
}

TEST(Surfaces, TheEditorTakesALinkedPageOnceByItsRealNameAsCheckDoes) {
  TempFolder folder;
  folder.Write("site/p.asp", Include("inc/a.inc"));
  folder.Write("site/inc/a.inc", "<p>a</p>");
  folder.Write("outside/x.asp", "x");
  if (!folder.Link("p.asp", "site/A.asp") || !folder.Link("../outside/x.asp", "site/out.asp")) {
    GTEST_SKIP() << "no symbolic links on this system";
  }
  const std::filesystem::path root = std::filesystem::canonical(folder.Path() / "site");
  const std::string leftOut =
      "out.asp cannot be read within the root (a link that leads outside it?); it is left out";
  const Outcome check = Lintra({"check", "--root", root.string()});
  EXPECT_EQ(check.out, "checked 1 page: 0 errors, 0 warnings, 0 notes\n");
  EXPECT_EQ(check.err, "lintra: warning: " + leftOut + "\n");

  LspClient client;
  client.Result("initialize", {{"rootUri", lsp::UriOfPath(root)},
                               {"capabilities", {{"window", {{"workDoneProgress", true}}}}}});
  client.Notify("initialized", Json::object());
  EXPECT_EQ(client.WaitFor("window/logMessage", [](const Json&) { return true; }),
            Json({{"type", 2}, {"message", "lintra: " + leftOut}}));
  EXPECT_EQ(client.WaitFor("$/progress",
                           [](const Json& params) {
                             return params["value"]["kind"] == "end";
                           })["value"]["message"],
            "1 of 1 pages");

  lsp::Workspace workspace(root);
  EXPECT_EQ(workspace.DiscoverPages(), std::vector<std::string>{leftOut});
  workspace.AddPage(u"A.asp");
  EXPECT_EQ(workspace.Pages(), std::vector<uint32_t>{workspace.Id(u"p.asp")});
}

// Two pages whose names differ only in letter case, as a case-sensitive disk holds them: each
// has a finding of its own, and an include that names another file under a third spelling. No
// page includes inc/A.inc, which check takes as used, as a page reaches it in another case.
TEST(Surfaces, TheEditorChecksPagesThatDifferInCaseAsTwoAsCheckDoes) {
  const std::vector<std::pair<std::string, std::string>> files = {
      {"Default.asp", Include("inc/Gone.inc") + "\r\n"},
      {"default.asp", Include("INC/a.inc") + "\r\n"},
      {"inc/a.inc", "<% Dim a %>\r\n"},
      {"inc/A.inc", "<p>a</p>\r\n"}};
  TempFolder site;
  for (const auto& [file, text] : files) site.Write(file, text);
  if (std::filesystem::equivalent(site.Path() / "Default.asp", site.Path() / "default.asp")) {
    GTEST_SKIP() << "this disk does not hold names that differ only in letter case";
  }
  const Outcome check = Lintra({"check", "--root", site.Path().string(), "--format", "json"});
  const Json checked = Json::parse(check.out);
  EXPECT_EQ(CheckSpots(checked), (Spots{{"missing-include", "Default.asp", 1, 1},
                                        {"case-mismatch", "default.asp", 1, 1},
                                        {"unused-include", "default.asp", 1, 1},
                                        {"exposed-include", "inc/a.inc", 0, 0}}))
      << check.err;
  const CountedSpots shown = CheckSpotsAsTheEditorShows(checked);
  EXPECT_EQ(EditorSpotsOfSite(site, shown, files), shown);

  lsp::Workspace workspace(site.Path());
  workspace.DiscoverPages();
  EXPECT_EQ(workspace.Pages().size(), 2u);
  EXPECT_NE(workspace.Id(u"Default.asp"), workspace.Id(u"default.asp"));
  EXPECT_EQ(workspace.Index().Name(workspace.Id(u"default.asp")), u"default.asp");
}

}  // namespace lintra
