#include <string>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"
#include "platform/Utf8.h"

namespace lintra {

namespace {

// One finding's line: "file:line:column: severity: message [rule] (reach)", or the file alone
// in front for a place on a whole file.
void AppendFinding(std::string& out, const RuleFinding& finding) {
  text::AppendUtf8(out, finding.place.file);
  if (finding.place.line > 0) {
    out += ':';
    out += std::to_string(finding.place.line);
    out += ':';
    out += std::to_string(finding.place.column);
  }
  out += ": ";
  out += SeverityName(finding.severity);
  out += ": ";
  text::AppendUtf8(out, finding.message);
  out += " [";
  out += finding.ruleId;
  out += "] (";
  AppendReach(out, finding);
  out += ")\n";
}

}  // namespace

void WriteTextCheckReport(const CheckResult& result) {
  std::string out;
  for (const ReportedFinding& reported : result.findings) AppendFinding(out, reported.finding);
  out += Totals(result);
  out += '\n';
  WriteOutBytes(out);
}

}  // namespace lintra
