#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/Text.h"

class File;

// The pages a run shows, in the order shown, for a host that prints what the control's tree view
// would hold (the text tree of the pages shown, or their names) without one. The view's bounds
// come along, so that such output stays as the view made it: a page is refused once the view
// holds more than 32,767 nodes (one per file of each tree shown), and each page shown opens the
// whole view again, which meets an overflow at every file with more than 32,767 includes of its
// own. Both are reported as the control reports them, to a host that answers Abort.
class ShownTrees {
 public:
  // Shows `page`, the root of an analysed tree, after the pages shown so far unless the view is
  // full (reported as "DisplayTree"); then opens every page shown, reporting the overflows that
  // meets as "ExpandAllNodes" and "ExpandWholeTree".
  void Show(std::shared_ptr<File> page);

  // The pages shown, in order.
  const std::vector<std::shared_ptr<File>>& Pages() const { return pages_; }

  // The drawing of every page shown, in order, as the control's TextTree draws it; on an error
  // that is abandoned, the pages drawn so far.
  Text TextTree() const;

 private:
  // What opening the whole view meets in one page: the procedures that report an overflow, in
  // order, and whether the last one ends the opening.
  struct Opening {
    std::vector<const char16_t*> overflows;
    bool stops = false;
  };

  // What opening the whole view meets in `page`, which has a file with too many includes.
  static Opening OpeningOf(File& page);
  // Opens every page shown, reporting what that meets.
  void OpenAll() const;

  std::vector<std::shared_ptr<File>> pages_;
  std::vector<Opening> openings_;
  size_t nodes_ = 0;
};
