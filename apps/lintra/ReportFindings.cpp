#include "apps/lintra/ReportFindings.h"

#include <algorithm>
#include <string_view>

#include "apps/lintra/Markup.h"
#include "rules/FindingCauses.h"

namespace lintra {

namespace {

// The causes in one chunk of rows.
constexpr size_t RowsPerChunk = 200;
constexpr std::string_view ChunkStart = "<div class=\"chunk\">\n";
constexpr std::string_view ChunkEnd = "</div>\n";
// Bytes set aside for a row, more than most take, up to RowsRoom for all: room that is not
// written to costs no memory, and the rows need not move as they grow.
constexpr size_t RowRoom = 1024;
constexpr size_t RowsRoom = size_t{1} << 30;

size_t RoomForRows(size_t rows) {
  return std::min(rows, RowsRoom / RowRoom) * RowRoom;
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

// Appends the cell of `place`, linked to its file's view: the folder of its file, which may
// break anywhere, then "name:line:column", which never breaks.
void AppendPlaceCell(std::string& html, const Place& place, const ReportLinks& links) {
  std::string path = text::ToReadable(place.file);
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string at = path.substr(nameStart);
  if (place.line > 0) at += ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
  const std::string href = links.File(place.file);
  html += "<span role=\"cell\" class=\"place\">";
  html += href.empty() ? "<span class=\"path\">" : "<a class=\"path\" href=\"" + href + "\">";
  if (nameStart > 0) {
    html += "<span class=\"dir\">";
    AppendHtmlEscaped(html, std::string_view(path).substr(0, nameStart));
    html += "</span>";
  }
  html += "<span class=\"at\">";
  AppendHtmlEscaped(html, at);
  html += href.empty() ? "</span></span></span>" : "</span></a></span>";
}

// Appends the rows of `causes` from `first` to `end`, in chunks of RowsPerChunk from the first:
// a browser lays out a table of tens of thousands of rows as a whole, and rows in chunks that it
// may skip while they are out of sight. The rows are those of a grid rather than of a table.
void AppendCauseRows(std::string& html, const std::vector<Cause>& causes, size_t first, size_t end,
                     const ReportLinks& links) {
  for (size_t i = first; i < end; ++i) {
    const Cause& cause = causes[i];
    const RuleFinding& finding = *cause.first;
    if (i > first && i % RowsPerChunk == 0) {
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
    AppendPlaceCell(html, finding.place, links);
    AppendGridCell(html, text::ToReadable(finding.message));
    AppendGridCell(html, std::to_string(cause.places), "num");
    AppendGridCell(html, std::to_string(cause.pages), "num");
    html += "<span role=\"cell\">";
    AppendLink(html, links.Page(finding.page), text::ToReadable(finding.page), "path");
    html += "</span></div>\n";
  }
}

// The causes of the survey's findings, most severe first, then those that reach most pages.
std::vector<Cause> RankedCauses(const SiteSurvey& survey) {
  std::vector<Cause> causes = Causes(survey.Findings().Findings());
  RankCauses(causes);
  return causes;
}

}  // namespace

std::vector<std::string> FindingsHtml(const SiteSurvey& survey, const ReportLinks& links,
                                      std::launch launch) {
  const std::vector<Cause> causes = RankedCauses(survey);
  const size_t half = causes.size() / 2 / RowsPerChunk * RowsPerChunk;
  std::future<std::string> second = std::async(launch, [&] {
    std::string rows;
    rows.reserve(RoomForRows(causes.size() - half));
    AppendCauseRows(rows, causes, half, causes.size(), links);
    return rows;
  });
  std::string html;
  html.reserve(RoomForRows(half));
  html += ChunkStart;
  AppendCauseRows(html, causes, 0, half, links);
  if (half > 0 && half < causes.size()) {
    html += ChunkEnd;
    html += ChunkStart;
  }
  std::vector<std::string> pieces;
  pieces.push_back(std::move(html));
  pieces.push_back(second.get());
  pieces.back() += ChunkEnd;
  return pieces;
}

}  // namespace lintra
