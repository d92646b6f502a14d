#include "micro/MemorySite.h"

namespace lintra {

MemorySite::MemorySite() : control_(std::make_shared<Lintra>()) {
  control_->Events(this);
}

MemorySite::~MemorySite() {
  control_->Events(nullptr);
}

void MemorySite::GetFile(Text& FilePath, int32_t& nError, Text& FileText) {
  const auto found = Files.find(FilePath);
  if (found == Files.end()) {
    nError = 1;
    return;
  }
  FileText = found->second;
}

}  // namespace lintra
