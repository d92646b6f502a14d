#include "apps/lintra/CheckReport.h"

namespace lintra {

namespace {

std::string Counted(size_t count, const std::string& one) {
  return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

}  // namespace

std::string Reach(const RuleFinding& finding) {
  std::string reach = finding.code.empty() ? "" : finding.code + "; ";
  reach += Counted(static_cast<size_t>(finding.pages), "page");
  if (finding.pages == 0) return reach;
  return reach + (finding.pages == 1 ? ": " : ", e.g. ") + text::ToUtf8(finding.page);
}

std::string Totals(const CheckResult& result) {
  std::string totals = "checked " + Counted(result.pages, "page") + ": " +
                       Counted(result.Count(Severity::Error), "error") + ", " +
                       Counted(result.Count(Severity::Warning), "warning") + ", " +
                       Counted(result.Count(Severity::Note), "note");
  if (result.baselined > 0) {
    totals += " (" + Counted(result.baselined, "finding") + " of the baseline left out)";
  }
  return totals;
}

void WriteCheckReport(ReportFormat format, const CheckResult& result,
                      const std::filesystem::path& root) {
  switch (format) {
    case ReportFormat::Json:
      return WriteJsonCheckReport(result, root);
    case ReportFormat::Sarif:
      return WriteSarifCheckReport(result, root);
    case ReportFormat::Github:
      return WriteGithubCheckReport(result, root);
    case ReportFormat::PlainText:
      break;
  }
  WriteTextCheckReport(result);
}

}  // namespace lintra
