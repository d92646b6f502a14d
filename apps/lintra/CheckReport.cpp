#include "apps/lintra/CheckReport.h"

#include "analysis/File.h"

namespace lintra {

bool DistinctFindings::Add(FindingKind kind, const FindingDetails& details) {
  const LineColumn at = details.at.value_or(LineColumn{0, 0});
  Text key;
  key.reserve(details.file.size() + details.message.size() + 6);
  key += static_cast<char16_t>(kind);
  key += static_cast<char16_t>(at.line >> 16);
  key += static_cast<char16_t>(at.line);
  key += static_cast<char16_t>(at.column >> 16);
  key += static_cast<char16_t>(at.column);
  key += details.file;
  key += u'\0';
  key += details.message;
  return seen_.insert(std::move(key)).second;
}

void CheckSummary::Add(File& page, const std::vector<Finding>& findings) {
  ++pages_;
  for (const Finding& finding : findings) {
    if (distinct_.Add(finding.kind, Describe(finding, page, lines_))) {
      ++counts_[static_cast<size_t>(finding.kind)];
    }
  }
  lines_.Forget(page.Content());
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

}  // namespace lintra
