#include "apps/lsp/BufferHost.h"

namespace lintra::lsp {

void BufferHost::GetSharedFile(Text& FilePath, int32_t& nError,
                               std::shared_ptr<const SourceText>& FileText) {
  if (const OpenDocument* document = documents_.Match(FilePath)) {
    FileText = document->text;
    return;
  }
  disk_.GetSharedFile(FilePath, nError, FileText);
}

}  // namespace lintra::lsp
