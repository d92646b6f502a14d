#pragma once

#include <memory>
#include <unordered_map>

#include "analysis/SourceText.h"
#include "micro/MemorySite.h"

namespace lintra {

// A host that keeps one shared text per file and hands it out on every request, as a host that
// holds its files in memory does: each file is wrapped on its first request only.
class SharedMemorySite : public MemorySite {
 public:
  void GetSharedFile(Text& FilePath, int32_t& nError,
                     std::shared_ptr<const SourceText>& FileText) override;

 private:
  std::unordered_map<Text, std::shared_ptr<const SourceText>> shared_;
};

}  // namespace lintra
