#pragma once

#include <filesystem>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// The web path of every regular file below `root`, in byte order of the paths, named as page
// discovery names pages. Hidden files and folders and folders named "_vti_*" are left out, as
// are folders without read permission; symbolic links to folders are not followed. Throws
// std::filesystem::filesystem_error when the walk fails otherwise.
std::vector<Text> FindProjectFiles(const std::filesystem::path& root);

}  // namespace lintra
