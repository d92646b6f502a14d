#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

#include "analysis/SourceText.h"
#include "rules/NameScan.h"
#include "rules/NameTable.h"
#include "rules/PageCommands.h"
#include "rules/SharedFacts.h"
#include "rules/VbScanner.h"
#include "site/TextPosition.h"

namespace lintra {

class File;

// What the rules learn from each file's text, learnt once per text and kept with it: every node
// that shows one shared text, in any page of the run, finds it here. Facts of a text are dropped
// some time after the text is gone, never handed out for another text at its address. One
// checker's view: the facts themselves are kept in `shared`, which the checkers of a run on
// other threads may share (see SharedFacts).
class SourceFacts {
 public:
  explicit SourceFacts(std::shared_ptr<SharedFacts> shared = std::make_shared<SharedFacts>())
      : shared_(std::move(shared)) {}
  const std::shared_ptr<SharedFacts>& Shared() const { return shared_; }

  // The script-level declarations of `file`'s text.
  const ScriptScan& Script(const File& file);
  // The same of `text`, for a text scanned before any node shows it.
  const ScriptScan& Script(const std::shared_ptr<const SourceText>& text);
  // The uses of names and the local declarations of `file`'s text, the uses of page-level names
  // numbered as the declarations are (Declaration::id). A scan of its own, made on first need
  // only, so that runs that look at no use pay nothing for them.
  const NameScan& Names(const File& file);
  const NameScan& Names(const std::shared_ptr<const SourceText>& text);
  // Where the lines of `file`'s text begin.
  const LineIndex& Lines(const File& file);
  const LineIndex& Lines(const std::shared_ptr<const SourceText>& text);
  // The page directives and the first code of `file`'s text.
  const PageCommands& Commands(const File& file);
  // What the bytes of `file`'s text were, as its supplier recorded them, or else as the text
  // shows them (see Utf8TextBytes); Unknown for a node without a text.
  TextBytes Bytes(const File& file);

  // The tables in which the declarations of one page, and of one script block, meet; kept from
  // page to page so that no page makes them afresh.
  NameTable& PageNames() { return pageNames_; }
  NameTable& BlockNames() { return blockNames_; }

 private:
  struct Entry {
    std::weak_ptr<const SourceText> text;
    std::shared_ptr<SharedFacts::Facts> shared;
    const ScriptScan* script = nullptr;
    const NameScan* names = nullptr;
    const LineIndex* lines = nullptr;
    const PageCommands* commands = nullptr;
    std::optional<TextBytes> bytes;
  };

  // The entry of `file`'s text, or null for a node that has none.
  Entry* Of(const File& file);
  Entry* Of(const std::shared_ptr<const SourceText>& text);
  void DropGoneTexts();
  // The slot of recent_ in which `text`'s entry is kept.
  static size_t RecentSlot(const SourceText* text);

  std::shared_ptr<SharedFacts> shared_;
  std::unordered_map<const SourceText*, Entry> entries_;
  // The entries found last, in a slot picked by some bits of their text's address (see
  // RecentSlot): the texts of the included files come up page after page, and are mostly found
  // here without hashing.
  static constexpr size_t RecentSlots = 1024;
  std::array<std::pair<const SourceText*, Entry*>, RecentSlots> recent_{};
  NameTable pageNames_;
  NameTable blockNames_;
  // Entries of gone texts are dropped once there are this many more than were live at the last
  // drop: a page's own text, which no other page shows, goes with its page, and so do its facts
  // unless another checker holds them.
  static constexpr size_t DeadEntriesKept = 64;
  size_t dropAt_ = DeadEntriesKept;
  // Whether the names of a text were asked for: a run that asks for them once asks for those of
  // nearly every text, so from then on a text's declarations are scanned with its names, in one
  // pass instead of two.
  bool namesAsked_ = false;
};

}  // namespace lintra
