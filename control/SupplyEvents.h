#pragma once

#include <cstdint>
#include <memory>

#include "analysis/FileSupply.h"
#include "control/LintraEvents.h"

namespace lintra {

// Serves the control's GetFile event from a FileSupply, the seam the hosts implement for the
// library: a host that serves the headless analysis serves the control through this too. The
// supply's not-found, unreadable and abort become the event's nError (the control shows an
// unreadable file as a missing one); any other failure of the supply is the handler's failure,
// which the control reports.
class SupplyEvents : public LintraEvents {
 public:
  // `supply` must outlive this; it may be a member of a derived class, as it is only kept.
  explicit SupplyEvents(FileSupply& supply) : supply_(supply) {}

  void GetSharedFile(Text& FilePath, int32_t& nError,
                     std::shared_ptr<const SourceText>& FileText) override;

 private:
  FileSupply& supply_;
};

}  // namespace lintra
