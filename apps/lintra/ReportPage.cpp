#include "apps/lintra/ReportPage.h"

#include <algorithm>
#include <cstdio>
#include <future>
#include <map>
#include <string_view>

#include "apps/lintra/Markup.h"
#include "apps/lintra/ReportAssets.h"
#include "apps/lintra/ReportData.h"
#include "rules/UnusedFileRule.h"

namespace lintra {

namespace {

// The heaviest pages listed in each ranking.
constexpr size_t HeaviestListed = 20;
// The findings in one chunk of rows.
constexpr size_t FindingsPerChunk = 200;
constexpr std::string_view ChunkStart = "<div class=\"chunk\">\n";
constexpr std::string_view ChunkEnd = "</div>\n";
// Bytes set aside for a finding's row, more than most take, up to RowsRoom for all: room that is
// not written to costs no memory, and the rows need not move as they grow.
constexpr size_t RowRoom = 1024;
constexpr size_t RowsRoom = size_t{1} << 30;

size_t RoomForRows(size_t rows) {
  return std::min(rows, RowsRoom / RowRoom) * RowRoom;
}

std::string Base64(std::string_view bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string encoded;
  for (size_t at = 0; at < bytes.size(); at += 3) {
    const size_t count = std::min<size_t>(3, bytes.size() - at);
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i) {
      group = (group << 8) | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
    }
    for (size_t i = 0; i < 4; ++i) {
      encoded += i <= count ? digits[(group >> (18 - 6 * i)) & 63] : '=';
    }
  }
  return encoded;
}

// The bytes that `hex`, pairs of lowercase hex digits, stands for.
std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (size_t at = 0; at + 1 < hex.size(); at += 2) {
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(at, 2)), nullptr, 16));
  }
  return bytes;
}

std::string Picture(std::string_view name) {
  return "url(\"data:image/svg+xml;base64," + Base64(ReportAsset(std::string(name) + ".svg")) +
         "\")";
}

// One CSS class for each picture of the control's tree image list, named by its key, with its
// layers from top to bottom; then the toolbar's expand all and collapse all.
std::string PicturesCss() {
  static const std::pair<const char*, std::vector<const char*>> pictures[] = {
      {"ASPFile", {"gear", "web-page"}},
      {"IncludeFile", {"text-page"}},
      {"ASPFileWarning", {"warning", "web-page"}},
      {"IncludeFileWarning", {"warning", "text-page"}},
      {"ASPFileCritical", {"critical", "web-page"}},
      {"IncludeFileCritical", {"critical", "text-page"}},
      {"ExpandAll", {"expand-all"}},
      {"CollapseAll", {"collapse-all"}},
  };
  std::string css;
  for (const auto& [key, layers] : pictures) {
    css += ".pic-" + std::string(key) + "{background-image:";
    for (size_t i = 0; i < layers.size(); ++i) css += (i ? "," : "") + Picture(layers[i]);
    css += "}\n";
  }
  return css;
}

std::string Cell(const std::string& text, const char* attributes = "") {
  return std::string("<td") + attributes + ">" + text + "</td>";
}

std::string Number(uint64_t value) {
  return std::to_string(value);
}

std::string PlaceText(const Place& place) {
  std::string text = Readable(place.file);
  if (place.line > 0) text += ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
  return text;
}

// A time in seconds, or in milliseconds when under a second.
std::string Duration(std::chrono::steady_clock::duration elapsed) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  char text[32];
  if (seconds < 1) {
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
  } else {
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  }
  return text;
}

std::string SummaryHtml(const SiteSurvey& survey) {
  std::map<std::pair<std::string, std::string>, size_t> byRule;
  for (const RuleInfo& rule : survey.Findings().RunningRules()) {
    byRule[{rule.id, SeverityName(rule.severity)}] = 0;
  }
  for (const RuleFinding& finding : survey.Findings().Findings()) {
    ++byRule[{finding.ruleId, SeverityName(finding.severity)}];
  }
  const std::pair<const char*, std::string> counts[] = {
      {"pages", Number(survey.Pages().size())},
      {"files", Number(survey.Files().size())},
      {"directives", Number(survey.Index().DirectiveCount())},
      {"findings", Number(survey.Findings().Findings().size())},
      {"unused", Number(survey.Unused().size())},
      {"time", Duration(survey.Elapsed())},
  };
  static const std::map<std::string, const char*> labels = {
      {"pages", "Pages"},       {"files", "Files"},         {"directives", "Include directives"},
      {"findings", "Findings"}, {"unused", "Unused files"}, {"time", "Analysis time"}};
  std::string html = "<dl class=\"counts\">";
  for (const auto& [key, value] : counts) {
    html += "<div><dt>" + std::string(labels.at(key)) + "</dt><dd id=\"count-" + key + "\">" +
            value + "</dd></div>";
  }
  html +=
      "</dl>\n<table id=\"by-rule\"><thead><tr><th>Rule</th><th>Severity</th><th>Findings</th>"
      "</tr></thead><tbody>";
  for (const auto& [rule, count] : byRule) {
    html += "<tr class=\"" + rule.second + "\">" + Cell(HtmlEscaped(rule.first)) +
            Cell(rule.second) + Cell(Number(count), " class=\"num\"") + "</tr>";
  }
  return html + "</tbody></table>";
}

// Appends a cell of a grid row holding UTF-8 `text`, escaped, of the class `kind` when not empty.
void AppendGridCell(std::string& html, std::string_view text, std::string_view kind = "") {
  html += "<span role=\"cell\"";
  if (!kind.empty()) {
    html += " class=\"";
    html += kind;
    html += '"';
  }
  html += '>';
  AppendHtmlEscaped(html, text);
  html += "</span>";
}

// Appends the findings from `first` to `end` as rows of a grid rather than of a table, in chunks
// of FindingsPerChunk from the first: a browser lays out a table of tens of thousands of rows as a
// whole, and rows in chunks that it may skip while they are out of sight.
void AppendFindingRows(std::string& html, const std::vector<RuleFinding>& findings, size_t first,
                       size_t end) {
  for (size_t i = first; i < end; ++i) {
    const RuleFinding& finding = findings[i];
    if (i > first && i % FindingsPerChunk == 0) {
      html += ChunkEnd;
      html += ChunkStart;
    }
    const std::string_view severity = SeverityName(finding.severity);
    html += "<div role=\"row\" class=\"tr ";
    html += severity;
    html += "\">";
    AppendGridCell(html, finding.ruleId);
    AppendGridCell(html, severity);
    AppendGridCell(html, finding.code);
    AppendGridCell(html, PlaceText(finding.place), "path");
    AppendGridCell(html, Readable(finding.message));
    AppendGridCell(html, Number(static_cast<uint64_t>(finding.pages)), "num");
    AppendGridCell(html, Readable(finding.page), "path");
    html += "</div>\n";
  }
}

// Every finding's row, in two pieces, the second launched as `launch` says, each in room made at
// once.
std::vector<std::string> FindingsHtml(const SiteSurvey& survey, std::launch launch) {
  const std::vector<RuleFinding>& findings = survey.Findings().Findings();
  const size_t half = findings.size() / 2 / FindingsPerChunk * FindingsPerChunk;
  std::future<std::string> second = std::async(launch, [&] {
    std::string rows;
    rows.reserve(RoomForRows(findings.size() - half));
    AppendFindingRows(rows, findings, half, findings.size());
    return rows;
  });
  std::string html;
  html.reserve(RoomForRows(half));
  html += ChunkStart;
  AppendFindingRows(html, findings, 0, half);
  if (half > 0 && half < findings.size()) {
    html += ChunkEnd;
    html += ChunkStart;
  }
  std::vector<std::string> pieces;
  pieces.push_back(std::move(html));
  pieces.push_back(second.get());
  pieces.back() += ChunkEnd;
  return pieces;
}

std::string HeaviestRows(const SiteSurvey& survey, bool byDepth) {
  std::vector<const SurveyPage*> pages;
  for (const SurveyPage& page : survey.Pages()) pages.push_back(&page);
  const auto weight = [byDepth](const SurveyPage* page) {
    return byDepth ? std::pair(uint64_t{page->depth}, page->expandedSize)
                   : std::pair(page->expandedSize, uint64_t{page->depth});
  };
  const size_t listed = std::min(HeaviestListed, pages.size());
  std::partial_sort(
      pages.begin(), pages.begin() + static_cast<std::ptrdiff_t>(listed), pages.end(),
      [&](const SurveyPage* a, const SurveyPage* b) { return weight(a) > weight(b); });
  std::string html;
  for (size_t i = 0; i < listed; ++i) {
    const SurveyPage& page = *pages[i];
    html += "<tr>" + Cell(HtmlEscaped(Readable(survey.Files()[page.file])), " class=\"path\"") +
            Cell(Number(page.expandedSize), " class=\"num\"") +
            Cell(Number(page.depth), " class=\"num\"") +
            Cell(Number(page.tree.size()), " class=\"num\"") + "</tr>\n";
  }
  return html;
}

// The unused files; `failures` are the pages whose analysis failed, which hide what is used.
std::string UnusedHtml(const SiteSurvey& survey, const std::vector<PageFailure>& failures) {
  const RuleSettings& settings = survey.Findings().Settings();
  if (!settings.wholeProject || !failures.empty() || settings.Off(UnusedFileRule::Id)) {
    return "<p>Unused files are looked for only when the report covers every page, each page is "
           "analysed and the unused-file rule is on.</p>";
  }
  if (survey.Unused().empty()) return "<p>Every include-only file is included by a page.</p>";
  std::string html = "<ul id=\"unused-list\">";
  for (const Text& file : survey.Unused()) html += "<li>" + HtmlEscaped(Readable(file)) + "</li>";
  return html + "</ul>";
}

// `piece` as the one piece of a value of WriteFilled.
std::vector<std::string> Piece(std::string piece) {
  std::vector<std::string> pieces;
  pieces.push_back(std::move(piece));
  return pieces;
}

// Writes `page` with each "{{NAME}}" replaced by the pieces of NAME, one after the other; values
// are not looked into again.
void WriteFilled(std::string_view page,
                 const std::map<std::string, std::vector<std::string>>& values,
                 const std::function<void(std::string_view)>& write) {
  size_t at = 0;
  for (size_t open = page.find("{{"); open != std::string_view::npos; open = page.find("{{", at)) {
    const size_t close = page.find("}}", open);
    write(page.substr(at, open - at));
    for (const std::string& piece :
         values.at(std::string(page.substr(open + 2, close - open - 2)))) {
      write(piece);
    }
    at = close + 2;
  }
  write(page.substr(at));
}

}  // namespace

// The pages whose analysis failed, with why; nothing when there are none.
std::string FailuresHtml(const std::vector<PageFailure>& failures) {
  if (failures.empty()) return "";
  std::string html = "<h3>Pages not analysed</h3>\n<ul id=\"failed-list\">";
  for (const PageFailure& failure : failures) {
    html += "<li>" + HtmlEscaped(Readable(text::FromUtf8(failure.message))) + "</li>";
  }
  return html + "</ul>";
}

void WriteReportPage(const SiteSurvey& survey, const std::string& root,
                     const std::vector<PageFailure>& failures, std::launch launch,
                     const std::function<void(std::string_view)>& write) {
  // The data of the trees and files, the largest part but the findings, may be written beside
  // them.
  std::future<std::string> data = std::async(launch, [&] { return ReportData(survey); });
  // Values are moved in, not copied: the findings and the data are tens of megabytes.
  std::map<std::string, std::vector<std::string>> values;
  values.emplace("ROOT", Piece(HtmlEscaped(root)));
  values.emplace("STYLE", Piece(std::string(ReportAsset("report.css")) + PicturesCss()));
  values.emplace("SUMMARY", Piece(SummaryHtml(survey) + FailuresHtml(failures)));
  values.emplace("FINDINGS", FindingsHtml(survey, launch));
  values.emplace("BYSIZE", Piece(HeaviestRows(survey, false)));
  values.emplace("BYDEPTH", Piece(HeaviestRows(survey, true)));
  values.emplace("UNUSED", Piece(UnusedHtml(survey, failures)));
  values.emplace("DATA", Piece(data.get()));
  values.emplace("SCRIPT", Piece(std::string(ReportAsset("report.js"))));
  values.emplace("SCRIPTHASH", Piece(Base64(FromHex(ReportAsset("report.js.sha256")))));
  WriteFilled(ReportAsset("report.html"), values, write);
}

}  // namespace lintra
