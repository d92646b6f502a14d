#include "apps/lintra/CheckReport.h"

namespace lintra {

namespace {

void AppendCount(std::string& out, size_t count, const char* one) {
  out += std::to_string(count);
  out += ' ';
  out += one;
  if (count != 1) out += 's';
}

std::string Counted(size_t count, const char* one) {
  std::string counted;
  AppendCount(counted, count, one);
  return counted;
}

}  // namespace

void AppendReach(std::string& out, const RuleFinding& finding, const ReportPaths& paths) {
  if (!finding.code.empty()) {
    out += finding.code;
    out += "; ";
  }
  AppendCount(out, static_cast<size_t>(finding.pages), "page");
  if (finding.pages == 0) return;
  out += finding.pages == 1 ? ": " : ", e.g. ";
  paths.Append(out, finding.page);
}

std::string Reach(const RuleFinding& finding, const ReportPaths& paths) {
  std::string reach;
  AppendReach(reach, finding, paths);
  return reach;
}

std::string Totals(const CheckResult& result) {
  std::string totals = "checked " + Counted(result.pages, "page") + ": " +
                       Counted(result.Count(Severity::Error), "error") + ", " +
                       Counted(result.Count(Severity::Warning), "warning") + ", " +
                       Counted(result.Count(Severity::Note), "note");
  if (result.baselined > 0) {
    totals += " (" + Counted(result.baselined, "finding") + " of the baseline left out)";
  }
  if (result.belowSeverity > 0) {
    totals += " (" + Counted(result.belowSeverity, "finding") + " below --severity " +
              SeverityName(result.leastSeverity) + " left out)";
  }
  return totals;
}

void WriteCheckReport(ReportFormat format, const CheckResult& result, const ReportPaths& paths,
                      const TextLook& look) {
  switch (format) {
    case ReportFormat::Json:
      return WriteJsonCheckReport(result, paths);
    case ReportFormat::Sarif:
      return WriteSarifCheckReport(result, paths);
    case ReportFormat::Github:
      return WriteGithubCheckReport(result, paths);
    case ReportFormat::PlainText:
      break;
  }
  WriteTextCheckReport(result, paths, look);
}

}  // namespace lintra
