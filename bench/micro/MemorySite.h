#pragma once

#include <memory>
#include <unordered_map>

#include "control/Lintra.h"

namespace lintra {

// A host that serves file texts from memory, keyed by web path, through a control connected to
// it. Each request copies the text out, as a host that only answers the plain file event does.
class MemorySite : public LintraEvents {
 public:
  MemorySite();
  ~MemorySite() override;
  MemorySite(const MemorySite&) = delete;
  MemorySite& operator=(const MemorySite&) = delete;

  std::unordered_map<Text, Text> Files;

  const std::shared_ptr<Lintra>& Control() const { return control_; }

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override;

 private:
  std::shared_ptr<Lintra> control_;
};

}  // namespace lintra
