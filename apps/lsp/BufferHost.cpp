#include "apps/lsp/BufferHost.h"

namespace lintra::lsp {

std::shared_ptr<const SourceText> BufferHost::fsGetFile(Text& FilePath) {
  if (const OpenDocument* document = documents_.Match(FilePath)) {
    FilePath = document->webPath;
    return document->text;
  }
  std::shared_ptr<const SourceText> text = disk_.fsGetFile(FilePath);
  const OpenDocument* document = documents_.Match(FilePath);
  return document ? document->text : text;
}

}  // namespace lintra::lsp
