#pragma once

#include <filesystem>

namespace lintra {

// Whether the folder entry `entry` is a link to a folder elsewhere (a symbolic link; on Windows
// also a junction or any other reparse point), which a walk below the root must not enter.
bool IsFolderLink(const std::filesystem::directory_entry& entry);

}  // namespace lintra
