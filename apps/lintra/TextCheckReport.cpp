#include <string>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"

namespace lintra {

namespace {

// "file:line:column" of `place`, or the file alone for a place on a whole file.
std::string Where(const Place& place) {
  std::string where = text::ToUtf8(place.file);
  if (place.line > 0) {
    where += ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
  }
  return where;
}

}  // namespace

void WriteTextCheckReport(const CheckResult& result) {
  std::string out;
  for (const ReportedFinding& reported : result.findings) {
    const RuleFinding& finding = reported.finding;
    out += Where(finding.place) + ": " + SeverityName(finding.severity) + ": " +
           text::ToUtf8(finding.message) + " [" + finding.ruleId + "] (" + Reach(finding) + ")\n";
  }
  WriteOutBytes(out + Totals(result) + "\n");
}

}  // namespace lintra
