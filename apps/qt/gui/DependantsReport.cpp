#include "apps/qt/gui/DependantsReport.h"

#include "apps/qt/gui/ViewCapacity.h"

namespace lintra {

namespace {

Text Number(size_t number) {
  return text::FromNumber(static_cast<int64_t>(number));
}

// "No page depends on ...", "1 page depends on ..." or "N pages depend on ...".
Text CountLine(const Dependants& found, const ChangeChoice& changed) {
  const size_t count = found.pages.size();
  const Text pages = count == 0   ? Text(u"No page depends")
                     : count == 1 ? Text(u"1 page depends")
                                  : Number(count) + u" pages depend";
  return pages + u" on " + changed.Names();
}

Text NotAnalysed(size_t failures) {
  return Number(failures) + (failures == 1 ? u" page" : u" pages") + u" could not be analysed";
}

}  // namespace

Text DependantsSummary(const Dependants& found, size_t shown, const ChangeChoice& changed) {
  Text line = CountLine(found, changed);
  if (shown < found.pages.size()) line += u"; " + Number(shown) + u" of their trees are shown";
  if (!found.failures.empty()) line += u"; " + NotAnalysed(found.failures.size());
  return line;
}

Text DependantsReport(const Dependants& found, size_t shown, const ChangeChoice& changed) {
  Text report = CountLine(found, changed) + u".\r\n";
  if (shown < found.pages.size()) {
    report += u"The tree view holds at most " + Number(ViewCapacity::MostNodes) +
              u" files, so it shows " + Number(shown) +
              u" of their trees. Every dependent page is in bold in the page list: clear the "
              u"trees and double-click one to see its tree.\r\n";
  }
  if (!found.failures.empty()) {
    report += u"\r\n" + NotAnalysed(found.failures.size()) + u":\r\n";
    for (const Text& failure : found.failures) report += failure + u"\r\n";
  }
  if (!found.pages.empty()) report += u"\r\nDependent pages:\r\n";
  for (const DependantPage& page : found.pages) report += page.page + u"\r\n";
  return report;
}

Text FailuresMessage(const std::vector<Text>& failures) {
  if (failures.size() == 1) return failures.front();
  return NotAnalysed(failures.size()) + u"; the report lists them all. The first:\r\n" +
         failures.front();
}

}  // namespace lintra
