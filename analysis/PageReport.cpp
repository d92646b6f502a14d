#include "analysis/PageReport.h"

namespace lintra {

namespace {

// Appends a report section in steps of `trap`: `heading` and what `append` adds, or `none` when
// it adds nothing. False when the step fails.
template <class Append>
bool AppendSection(ErrorTrap& trap, Text& report, TextView heading, TextView none, Append append) {
  const size_t start = report.size();
  report += heading;
  if (!trap.Step([&] { append(report); })) return false;
  if (report.size() == start + heading.size()) report.replace(start, heading.size(), none);
  return true;
}

}  // namespace

// Each section is appended straight to the report: on a page with thousands of duplicates the
// sections run to megabytes, and a copy of each would double the memory the report takes.
Text WarningsReport(ErrorTrap& trap, File& page) {
  Text report = u"File : " + page.FullPath() + u"\r\n\r\n";
  const bool written =
      AppendSection(trap, report, u"Critical Errors\r\n===============\r\n\r\n",
                    u"No critical errors\r\n",
                    [&](Text& out) { page.AppendCriticalErrors(out); }) &&
      AppendSection(trap, report, u"\r\nWarnings\r\n========\r\n\r\n", u"\r\nNo warnings\r\n",
                    [&](Text& out) { page.AppendWarnings(out); });
  return written ? report : Text();
}

}  // namespace lintra
