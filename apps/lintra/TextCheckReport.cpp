#include <future>
#include <string>
#include <vector>

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

// The lines of the findings from `first` to `end` - 1.
std::string FindingLines(const std::vector<RuleFinding>& findings, size_t first, size_t end) {
  constexpr size_t typicalLineBytes = 160;
  std::string out;
  out.reserve((end - first) * typicalLineBytes);
  for (size_t i = first; i < end; ++i) AppendFinding(out, findings[i]);
  return out;
}

}  // namespace

void WriteTextCheckReport(const CheckResult& result) {
  // The lines of many findings are made in two halves, the second on a thread of its own.
  constexpr size_t manyFindings = 4096;
  const std::vector<RuleFinding>& findings = result.findings;
  const size_t half = findings.size() / 2;
  std::future<std::string> second =
      std::async(findings.size() >= manyFindings ? std::launch::async : std::launch::deferred,
                 [&] { return FindingLines(findings, half, findings.size()); });
  WriteOutBytes(FindingLines(findings, 0, half));
  std::string rest = second.get();
  rest += Totals(result);
  rest += '\n';
  WriteOutBytes(rest);
}

}  // namespace lintra
