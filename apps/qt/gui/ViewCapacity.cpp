#include "apps/qt/gui/ViewCapacity.h"

#include "analysis/PreOrder.h"

namespace lintra {

namespace ViewCapacity {

size_t NodeCount(const File& root) {
  size_t count = 0;
  ForEachFile(root, [&](const File&, const File*) { ++count; });
  return count;
}

Text NoRoomMessage(const Text& page, size_t nodes, size_t shown) {
  const auto number = [](size_t n) { return text::FromNumber(static_cast<int64_t>(n)); };
  const Text tree = u"The tree of " + page + u" holds " + number(nodes) + u" files, ";
  if (nodes > MostNodes) {
    return tree + u"more than the tree view can hold (" + number(MostNodes) +
           u"). The command line's \"lintra tree\" prints it.";
  }
  return tree + u"and the tree view already holds " + number(shown) + u" of the " +
         number(MostNodes) + u" it can hold. Clear the trees to see it.";
}

}  // namespace ViewCapacity

}  // namespace lintra
