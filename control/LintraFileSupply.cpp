#include "control/Lintra.h"
#include "errors/modPendryError.h"

Text Lintra::fsGetFile(Text& FilePath) {
  ErrorTrap trap(u"Lintra", u"fsGetFile");
  int32_t nError = 0;
  Text FileText;
  if (!trap.Step([&] {
        if (events_) events_->GetFile(FilePath, nError, FileText);
      })) {
    return Text();
  }
  if (nError == 0) return FileText;
  RaiseError(nError == Abort ? Abort : NotFound, u"Lintra.fsGetFile",
             u"Could not find the file : " + FilePath);
}
