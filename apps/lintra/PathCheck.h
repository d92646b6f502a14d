#pragma once

#include <optional>
#include <string>

#include "apps/host/DiskFiles.h"
#include "platform/Text.h"

namespace lintra {

// What keeps a path named on the command line from leading to a file of the project.
enum class NoFile { Missing, Folder, Special, Unreadable, Outside };

// Why `path`, a path named on the command line as the control gets it (see PageArguments::Page),
// leads to no file of `files`; nothing when it leads to one. A path that climbs above the root
// with "..", or leads out of it through a symbolic link, lies outside the root. So does an
// absolute path (it did not lie inside the root) that names something on disk; one that names
// nothing is a path from the root, as a leading "/" is in a virtual path.
std::optional<NoFile> WhyNoFile(const DiskFiles& files, const Text& path);

// `why` as words that follow the path in a message, the root being given as `rootName`: "does not
// exist in ROOT", "is a folder", "is not a regular file", "cannot be read" or "lies outside the
// root ROOT".
std::string Describe(NoFile why, const std::string& rootName);

}  // namespace lintra
