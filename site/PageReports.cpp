#include "site/PageReports.h"

#include "analysis/File.h"
#include "analysis/PageReport.h"
#include "analysis/TextTree.h"
#include "errors/modPendryError.h"

namespace lintra {

Text PageWarnings(File& page) {
  ErrorTrap trap(u"Lintra", u"GetWarnings");
  return WarningsReport(trap, page);
}

Text CompleteFile(File& page) {
  ErrorTrap trap(u"Lintra", u"GetCompleteFile");
  Text result;
  trap.Step([&] { result = page.OutputComplete(); });
  return result;
}

Text PageTextTree(File& page) {
  ErrorTrap trap(u"Lintra", u"TextTree");
  Text drawing;
  if (!trap.Step([&] { AppendWholeTextTree(page, drawing); })) drawing.clear();
  return drawing;
}

}  // namespace lintra
