#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "analysis/SourceText.h"
#include "rules/NameScan.h"
#include "rules/PageCommands.h"
#include "rules/VbScanner.h"
#include "site/TextPosition.h"

namespace lintra {

// What the rules learn from the texts of one run, kept by their units (SourceText::SharedValue),
// so that the checkers of a run, each on a thread of its own, learn a text that they all meet
// once. Each fact is made once and never changed after; a fact that two threads ask for at once
// may be made by both, and the first one made is kept. The facts of some units live as long as a
// checker holds them, and go with the last one that lets them go. Safe to use from any thread.
class SharedFacts {
 public:
  // The facts of one text's units, each null until it is made.
  struct Facts {
    std::weak_ptr<const Text> units;
    std::unique_ptr<const ScriptScan> script;
    std::unique_ptr<const NameScan> names;
    std::unique_ptr<const LineIndex> lines;
    std::unique_ptr<const PageCommands> commands;
  };

  // The facts of `text`'s units, made now unless a holder of them is left.
  std::shared_ptr<Facts> Of(const SourceText& text);

  // The facts of `text`, whose facts are `facts`, made on the first call. `withNames` makes the
  // script-level declarations with the uses of names, in one scan, when they are not made yet.
  const ScriptScan& Script(Facts& facts, const SourceText& text, bool withNames);
  const NameScan& Names(Facts& facts, const SourceText& text);
  const LineIndex& Lines(Facts& facts, const SourceText& text);
  const PageCommands& Commands(Facts& facts, const SourceText& text);

 private:
  // The fact that `slot` holds, or else `made`, which is kept in it.
  template <class Fact>
  const Fact& Keep(std::unique_ptr<const Fact>& slot, std::unique_ptr<Fact> made);
  // The fact that `slot` holds, or null.
  template <class Fact>
  const Fact* Known(const std::unique_ptr<const Fact>& slot);
  // Numbers the declarations of `script` and the uses of page-level names of `names`, either of
  // which may be null (see Declaration::id).
  void Number(ScriptScan* script, NameScan* names);
  int32_t NameId(TextView key);
  void DropGoneFacts();

  std::mutex mutex_;
  std::unordered_map<const Text*, std::weak_ptr<Facts>> facts_;
  // The number of each upper-cased declared name, in the order first seen.
  std::unordered_map<Text, int32_t, text::UnitsHash, text::SameUnitsEqual> names_;
  size_t dropAt_ = 1024;
};

}  // namespace lintra
