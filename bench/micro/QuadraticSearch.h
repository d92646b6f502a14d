#pragma once

#include <cstdint>

namespace lintra {

class File;

// The duplicate search as the design states it: for every node below the root, in pre-order, a
// pre-order search of the whole tree below the root that stops at the first other node, not
// flagged circular, with exactly the same FullPath. Its cost grows with the square of the number
// of nodes. Returns how many nodes it found to be duplicates; it changes nothing in the tree.
int64_t QuadraticDuplicateCount(File& root);

}  // namespace lintra
