#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra {

// The decoded texts of a project's included files, shared by the hosts that serve one run's
// analyses on several threads: a file that each of them meets is read and decoded once, and its
// units held once. Each host still makes its own SourceText around the units, so nothing a host
// learns of a text is shared. Safe to use from any thread.
class SharedTexts {
 public:
  // A text with the units and bytes of the one kept for `webPath` (a real web path), or null
  // when none is kept.
  std::shared_ptr<const SourceText> Find(const Text& webPath) const;
  // Keeps the units of `text` for `webPath`, unless another host kept that file first; returns
  // the text to use, which shares the units kept.
  std::shared_ptr<const SourceText> Keep(const Text& webPath,
                                         std::shared_ptr<const SourceText> text);

 private:
  struct Kept {
    std::shared_ptr<const Text> units;
    TextBytes bytes;
    std::shared_ptr<const SourceText> Made() const;
  };
  mutable std::mutex mutex_;
  std::unordered_map<Text, Kept> texts_;
};

}  // namespace lintra
