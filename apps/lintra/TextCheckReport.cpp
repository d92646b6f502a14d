#include <string>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"
#include "site/PageReports.h"

namespace lintra {

namespace {

std::string Count(const CheckSummary& summary, FindingKind kind) {
  return std::to_string(summary.Count(kind));
}

// Prints the control's warnings report for every page that has a finding, a blank line
// between pages, and the totals on standard error at the end; the pages that failed are left to
// the run's own messages.
class TextCheckReport : public CheckReport {
 public:
  void AddPage(File& page, const std::vector<Finding>& findings) override {
    if (findings.empty()) return;
    if (printed_) WriteOut(u"\r\n");
    WriteOut(PageWarnings(page));
    printed_ = true;
  }

  void Finish(const CheckSummary& summary, const std::vector<PageFailure>&) override {
    WriteError("checked " + std::to_string(summary.Pages()) +
               " pages: " + Count(summary, FindingKind::Missing) + " missing, " +
               Count(summary, FindingKind::Circular) + " circular, " +
               Count(summary, FindingKind::Duplicate) + " duplicate includes");
  }

 private:
  bool printed_ = false;
};

}  // namespace

std::unique_ptr<CheckReport> MakeTextCheckReport() {
  return std::make_unique<TextCheckReport>();
}

}  // namespace lintra
