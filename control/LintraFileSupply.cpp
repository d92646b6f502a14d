#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

std::shared_ptr<const SourceText> Lintra::fsGetFile(Text& FilePath) {
  ErrorTrap trap(u"Lintra", u"fsGetFile");
  int32_t nError = 0;
  std::shared_ptr<const SourceText> FileText;
  const bool raised = trap.Step([&] {
    nError = 0;
    FileText.reset();
    if (events_) events_->GetSharedFile(FilePath, nError, FileText);
  });
  if (!raised || (nError == 0 && !FileText)) return std::make_shared<const SourceText>(Text());
  if (nError == 0) return FileText;
  RaiseError(nError == Abort ? Abort : NotFound, u"Lintra.fsGetFile",
             u"Could not find the file : " + FilePath);
}

}  // namespace lintra
