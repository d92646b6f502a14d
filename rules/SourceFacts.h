#pragma once

#include <memory>
#include <unordered_map>

#include "rules/VbScanner.h"
#include "site/TextPosition.h"

namespace lintra {

class File;
class SourceText;

// What the rules learn from each file's text, learnt once per text and kept with it: every node
// that shows one shared text, in any page of the run, finds it here. Facts of a text are dropped
// some time after the text is gone, never handed out for another text at its address.
class SourceFacts {
 public:
  // The script-level declarations of `file`'s text.
  const ScriptScan& Script(const File& file);
  // Where the lines of `file`'s text begin.
  const LineIndex& Lines(const File& file);

 private:
  struct Entry {
    std::weak_ptr<const SourceText> text;
    std::unique_ptr<ScriptScan> script;
    std::unique_ptr<LineIndex> lines;
  };

  // The entry of `file`'s text, or null for a node that has none.
  Entry* Of(const File& file);
  void DropGoneTexts();

  std::unordered_map<const SourceText*, Entry> entries_;
  size_t dropAt_ = 1024;
};

}  // namespace lintra
