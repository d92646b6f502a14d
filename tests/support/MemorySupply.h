#pragma once

#include <map>
#include <memory>
#include <vector>

#include "analysis/FileSupply.h"
#include "platform/Text.h"
#include "support/SiteTexts.h"

namespace lintra {

// Serves file texts from memory to the analysis, keyed by web path exactly as it asks for them,
// and records every request; one shared text per file while its entry stays the same, as hosts
// serve them. A path without an entry raises NotFound; a path listed in Errors raises that number
// instead, and one listed in UnreadableFiles raises Unreadable with the reason it gives. A path
// listed in Redirects is recorded, then replaced by its target, as a host may do, and served by the
// target's entry. Once Limit requests (when not 0) were recorded, every further one raises Abort,
// as a host guarding against include explosions does.
class MemorySupply : public FileSupply {
 public:
  std::map<Text, Text> Files;
  std::map<Text, int32_t> Errors;
  std::map<Text, Text> UnreadableFiles;
  std::map<Text, Text> Redirects;
  size_t Limit = 0;
  std::vector<Text> Requests;

  std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) override;

 private:
  std::map<Text, std::shared_ptr<const SourceText>> served_;
};

}  // namespace lintra
