#include "apps/lsp/BufferHost.h"

namespace lintra::lsp {

std::shared_ptr<const SourceText> BufferHost::fsGetFile(Text& FilePath) {
  if (const OpenDocument* document = documents_.Match(FilePath)) return document->text;
  return disk_.fsGetFile(FilePath);
}

}  // namespace lintra::lsp
