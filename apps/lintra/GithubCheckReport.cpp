#include <string>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"

namespace lintra {

namespace {

// `value` with the characters that end a workflow command's message escaped; with `property`,
// also those that end a property.
std::string Escaped(const std::string& value, bool property) {
  std::string escaped;
  for (const char c : value) {
    if (c == '%') {
      escaped += "%25";
    } else if (c == '\r') {
      escaped += "%0D";
    } else if (c == '\n') {
      escaped += "%0A";
    } else if (property && c == ':') {
      escaped += "%3A";
    } else if (property && c == ',') {
      escaped += "%2C";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The workflow command that annotates a finding of `severity`; a note is GitHub's notice.
const char* Command(Severity severity) {
  return severity == Severity::Note ? "notice" : SeverityName(severity);
}

std::string Annotation(const RuleFinding& finding, const ReportPaths& paths) {
  const Place& place = finding.place;
  std::string line = std::string("::") + Command(finding.severity) +
                     " file=" + Escaped(paths.Of(place.file), true);
  if (place.line > 0) {
    line += ",line=" + std::to_string(place.line) + ",col=" + std::to_string(place.column) +
            ",endLine=" + std::to_string(place.endLine) +
            ",endColumn=" + std::to_string(place.endColumn);
  }
  const std::string code = finding.code.empty() ? "" : " (" + std::string(finding.code) + ")";
  return line + ",title=" + Escaped(std::string(finding.ruleId) + code, true) + "::" +
         Escaped(text::ToReadable(finding.message) + " (" + Reach(finding, paths) + ")", false) +
         "\n";
}

}  // namespace

void WriteGithubCheckReport(const CheckResult& result, const ReportPaths& paths) {
  std::string out;
  for (const RuleFinding& finding : result.findings) out += Annotation(finding, paths);
  WriteOutBytes(out);
  WriteError(Totals(result));
}

}  // namespace lintra
