#include "apps/lintra/ReportPage.h"

#include <algorithm>
#include <cstdio>
#include <future>
#include <map>
#include <set>
#include <string_view>

#include "apps/lintra/Markup.h"
#include "apps/lintra/ReportAssets.h"
#include "apps/lintra/ReportData.h"
#include "apps/lintra/ReportFindings.h"
#include "apps/lintra/ReportLinks.h"
#include "apps/lintra/ReportRankings.h"
#include "rules/UnusedFileRule.h"

namespace lintra {

namespace {

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

// The findings of the run by rule and severity. A rule that found nothing shows its severity with
// none; a rule whose findings all take another severity than its own shows those alone.
std::map<std::pair<std::string, std::string>, size_t> CountsByRule(const SiteSurvey& survey) {
  std::map<std::pair<std::string, std::string>, size_t> byRule;
  std::set<std::string> found;
  for (const RuleFinding& finding : survey.Findings().Findings()) {
    ++byRule[{std::string(finding.ruleId), SeverityName(finding.severity)}];
    found.emplace(finding.ruleId);
  }
  for (const RuleInfo& rule : survey.Findings().RunningRules()) {
    if (!found.contains(rule.id)) byRule[{rule.id, SeverityName(rule.severity)}] = 0;
  }
  return byRule;
}

std::string SummaryHtml(const SiteSurvey& survey) {
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
  // Only the rows that count findings take their severity's colour, and lead to the findings.
  for (const auto& [rule, count] : CountsByRule(survey)) {
    const std::string id = HtmlEscaped(rule.first);
    html += count == 0 ? "<tr>" + Cell(id)
                       : "<tr class=\"" + rule.second + "\">" +
                             Cell("<a href=\"#findings\">" + id + "</a>");
    html += Cell(rule.second) + Cell(Number(count), " class=\"num\"") + "</tr>";
  }
  return html + "</tbody></table>";
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
  for (const Text& file : survey.Unused())
    html += "<li>" + HtmlEscaped(text::ToReadable(file)) + "</li>";
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
    html += "<li>" + HtmlEscaped(text::ToReadable(text::FromUtf8(failure.message))) + "</li>";
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
  const ReportLinks links(survey);
  values.emplace("FINDINGS", FindingsHtml(survey, links, launch));
  values.emplace("BYSIZE", Piece(BySizeRows(survey, links)));
  values.emplace("BYDEPTH", Piece(ByDepthRows(survey, links)));
  values.emplace("UNUSED", Piece(UnusedHtml(survey, failures)));
  values.emplace("DATA", Piece(data.get()));
  values.emplace("SCRIPT", Piece(std::string(ReportAsset("report.js"))));
  values.emplace("SCRIPTHASH", Piece(Base64(FromHex(ReportAsset("report.js.sha256")))));
  WriteFilled(ReportAsset("report.html"), values, write);
}

}  // namespace lintra
