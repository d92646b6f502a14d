#include "control/SupplyEvents.h"

#include "platform/ErrorRecord.h"

namespace lintra {

void SupplyEvents::GetSharedFile(Text& FilePath, int32_t& nError,
                                 std::shared_ptr<const SourceText>& FileText) {
  try {
    FileText = supply_.fsGetFile(FilePath);
  } catch (const RuntimeError& error) {
    const int32_t number = error.Record().Number;
    if (number != FileSupply::NotFound && number != FileSupply::Unreadable &&
        number != FileSupply::Abort) {
      throw;
    }
    nError = number;
  }
}

}  // namespace lintra
