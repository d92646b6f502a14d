#include "apps/lsp/BufferHost.h"

#include "apps/lsp/FileKey.h"

namespace lintra::lsp {

void BufferHost::GetSharedFile(Text& FilePath, int32_t& nError,
                               std::shared_ptr<const SourceText>& FileText) {
  if (!documents_.Empty()) {
    if (const OpenDocument* document = documents_.Find(FileKey(FilePath))) {
      FileText = document->text;
      return;
    }
  }
  disk_.GetSharedFile(FilePath, nError, FileText);
}

}  // namespace lintra::lsp
