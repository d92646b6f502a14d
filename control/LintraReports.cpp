#include "analysis/File.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

// The root of the tree that holds the selected node (node 1 when nothing is selected), or null
// when the tree view is empty.
std::shared_ptr<File> Lintra::SelectedPage() {
  const std::shared_ptr<Node> node = foSelectedNode(tvLintra_);
  if (!node) return nullptr;
  std::shared_ptr<File> file = control::FileOf(*node);
  if (control::Deref(file).RootFile()) return file;
  return file->BaseFile();
}

Text Lintra::GetCompleteFile() {
  ErrorTrap trap(u"Lintra", u"GetCompleteFile");
  Text result;
  std::shared_ptr<File> page;
  if (!trap.Step([&] { page = SelectedPage(); }) || !page) return result;
  trap.Step([&] { result = page->OutputComplete(); });
  return result;
}

Text Lintra::GetWarnings() {
  ErrorTrap trap(u"Lintra", u"GetWarnings");
  std::shared_ptr<File> page;
  if (!trap.Step([&] { page = SelectedPage(); }) || !page) return Text();
  return WarningsReport(trap, *page);
}

Text Lintra::PageWarnings(File& page) {
  ErrorTrap trap(u"Lintra", u"GetWarnings");
  return WarningsReport(trap, page);
}

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
Text Lintra::WarningsReport(ErrorTrap& trap, File& page) {
  Text report = u"File : " + page.FullPath() + u"\r\n\r\n";
  const bool written =
      AppendSection(trap, report, u"Critical Errors\r\n===============\r\n\r\n",
                    u"No critical errors\r\n",
                    [&](Text& out) { page.AppendCriticalErrors(out); }) &&
      AppendSection(trap, report, u"\r\nWarnings\r\n========\r\n\r\n", u"\r\nNo warnings\r\n",
                    [&](Text& out) { page.AppendWarnings(out); });
  return written ? report : Text();
}
