#include "analysis/File.h"
#include "analysis/PageReport.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

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

}  // namespace lintra
