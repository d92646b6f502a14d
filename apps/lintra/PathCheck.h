#pragma once

#include <string>

#include "apps/host/DiskFiles.h"
#include "platform/Text.h"

namespace lintra {

// Why `path`, a path named on the command line as the control gets it (see PageArguments::Page),
// leads to no file of `files`, whose root was given as `rootName`: "does not exist in ROOT", "is a
// folder", "is not a regular file", "cannot be read" or "lies outside the root ROOT". Empty when
// it leads to a file. A path that is absolute (it did not lie inside the root) or climbs above
// the root with ".." lies outside the root unless the root holds it as a web path.
std::string WhyNoFile(const DiskFiles& files, const Text& path, const std::string& rootName);

}  // namespace lintra
