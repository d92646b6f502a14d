#pragma once

#include <cstddef>

namespace lintra {

class File;

// Fills what reading the tree of `root` would otherwise fill on first use: each node's full path
// and the directives of each text. Once it returns, several threads may read the tree at once,
// as long as none changes it; SourceText::IncludePath, which remembers the folder it was last
// asked for, stays with one thread. Returns the number of nodes of the tree.
size_t PrepareForSharedReading(File& root);

}  // namespace lintra
