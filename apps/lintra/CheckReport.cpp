#include "apps/lintra/CheckReport.h"

#include "analysis/File.h"

namespace lintra {

bool DistinctFindings::Add(const Finding& finding) {
  const File& file = *finding.file;
  Text key;
  key += static_cast<char16_t>(finding.kind);
  if (!OnWholeFile(finding)) {
    const auto start = static_cast<uint32_t>(file.BaseFileStart());
    key += static_cast<char16_t>(start >> 16);
    key += static_cast<char16_t>(start);
    key += finding.parent->FullPath();
  }
  key += u'\0';
  key += file.FullPath();
  if (finding.kind != FindingKind::Duplicate) return seen_.insert(std::move(key)).second;
  return seenInPage_.insert(std::move(key)).second;
}

void CheckSummary::Add(const std::vector<Finding>& findings) {
  ++pages_;
  distinct_.NextPage();
  for (const Finding& finding : findings) {
    if (distinct_.Add(finding)) ++counts_[static_cast<size_t>(finding.kind)];
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

}  // namespace lintra
