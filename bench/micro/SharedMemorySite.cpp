#include "micro/SharedMemorySite.h"

namespace lintra {

void SharedMemorySite::GetSharedFile(Text& FilePath, int32_t& nError,
                                     std::shared_ptr<const SourceText>& FileText) {
  std::shared_ptr<const SourceText>& shared = shared_[FilePath];
  if (!shared) {
    const auto found = Files.find(FilePath);
    if (found == Files.end()) {
      nError = 1;
      return;
    }
    shared = std::make_shared<const SourceText>(found->second);
  }
  FileText = shared;
}

}  // namespace lintra
