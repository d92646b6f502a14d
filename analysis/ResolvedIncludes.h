#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra {

// The paths that the directives of the texts a parse meets name, each remembered for the last
// folder it was resolved for: a text is nearly always included from the one folder its file lies
// in, so the directives of a text included a thousand times, in one page or in many that one
// analysis parses after each other, are resolved once. What it keeps of a text goes some time
// after the text is gone.
class ResolvedIncludes {
 public:
  // What text->IncludePath(index, folder) gives.
  const Text& Path(const std::shared_ptr<const SourceText>& text, size_t index, const Text& folder);

 private:
  struct Resolved {
    bool known = false;
    Text folder;
    Text path;
  };
  struct Entry {
    std::weak_ptr<const SourceText> text;
    std::vector<Resolved> resolved;
  };
  // The entry of `text`, made afresh when it is new or its address was another text's.
  Entry& Of(const std::shared_ptr<const SourceText>& text);

  std::unordered_map<const SourceText*, Entry> texts_;
  // The text asked for last and its entry: a parse asks for one directive of a text after the
  // other.
  const SourceText* last_ = nullptr;
  Entry* lastEntry_ = nullptr;
  // Entries of gone texts are dropped once there are this many more than were live at the last
  // drop.
  static constexpr size_t DeadEntriesKept = 256;
  size_t dropAt_ = DeadEntriesKept;
};

}  // namespace lintra
