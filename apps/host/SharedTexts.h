#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra {

// The texts of a project's included files, shared by the hosts that serve one run's analyses on
// several threads: a file that each of them meets is read, decoded and scanned once, and held
// once. Texts never change once made, so the threads may read one at once. Safe to use from any
// thread.
class SharedTexts {
 public:
  // The text kept for `webPath` (a real web path), or null when none is kept.
  std::shared_ptr<const SourceText> Find(const Text& webPath) const;
  // Keeps `text` for `webPath`, unless another host kept that file first; returns the text kept.
  std::shared_ptr<const SourceText> Keep(const Text& webPath,
                                         std::shared_ptr<const SourceText> text);

 private:
  mutable std::mutex mutex_;
  std::unordered_map<Text, std::shared_ptr<const SourceText>> texts_;
};

}  // namespace lintra
