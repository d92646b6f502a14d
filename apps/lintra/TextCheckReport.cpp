#include <string>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"
#include "site/PageReports.h"

namespace {

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
    WriteError("checked " + std::to_string(summary.pages) + " pages: " +
               std::to_string(summary.missing) + " missing, " + std::to_string(summary.circular) +
               " circular, " + std::to_string(summary.duplicate) + " duplicate includes");
  }

 private:
  bool printed_ = false;
};

}  // namespace

std::unique_ptr<CheckReport> MakeTextCheckReport() {
  return std::make_unique<TextCheckReport>();
}
