#pragma once

#include "analysis/FileSupply.h"
#include "apps/host/DiskHost.h"
#include "apps/lsp/OpenDocuments.h"

namespace lintra::lsp {

// Serves the texts of a site as the editor sees it: a file open in the editor from its buffer,
// saved or not, and every other file from disk; either way under the one name the site gives the
// file (an open file's under the editor's, which is the disk's).
class BufferHost : public FileSupply {
 public:
  // `disk` and `documents` must outlive this.
  BufferHost(DiskHost& disk, const OpenDocuments& documents) : disk_(disk), documents_(documents) {}

  // Call before each page (see DiskHost::StartPage).
  void StartPage() { disk_.StartPage(); }

  std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) override;

 private:
  DiskHost& disk_;
  const OpenDocuments& documents_;
};

}  // namespace lintra::lsp
