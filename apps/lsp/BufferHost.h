#pragma once

#include "apps/host/DiskHost.h"
#include "apps/lsp/OpenDocuments.h"
#include "control/LintraEvents.h"

namespace lintra::lsp {

// Serves the control the texts of a site as the editor sees it: a file open in the editor from
// its buffer, saved or not, and every other file from disk.
class BufferHost : public LintraEvents {
 public:
  // `disk` and `documents` must outlive this.
  BufferHost(DiskHost& disk, const OpenDocuments& documents) : disk_(disk), documents_(documents) {}

  // Call before each page (see DiskHost::StartPage).
  void StartPage() { disk_.StartPage(); }

  void GetSharedFile(Text& FilePath, int32_t& nError,
                     std::shared_ptr<const SourceText>& FileText) override;

 private:
  DiskHost& disk_;
  const OpenDocuments& documents_;
};

}  // namespace lintra::lsp
