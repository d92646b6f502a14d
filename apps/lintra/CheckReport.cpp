#include "apps/lintra/CheckReport.h"

void CheckSummary::Add(const std::vector<Finding>& findings) {
  ++pages;
  for (const Finding& finding : findings) {
    switch (finding.kind) {
      case FindingKind::Missing:
        ++missing;
        break;
      case FindingKind::Circular:
        ++circular;
        break;
      case FindingKind::Duplicate:
        ++duplicate;
        break;
    }
  }
}

std::unique_ptr<CheckReport> MakeCheckReport(ReportFormat format,
                                             const std::filesystem::path& root) {
  switch (format) {
    case ReportFormat::Json:
      return MakeJsonCheckReport(root);
    case ReportFormat::Sarif:
      return MakeSarifCheckReport(root);
    case ReportFormat::PlainText:
      break;
  }
  return MakeTextCheckReport();
}
