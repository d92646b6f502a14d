#pragma once

#include <filesystem>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// The web path of every regular file (or link to one) below `root`, in byte order, as
// PageDiscovery walks the project: hidden files and folders, folders named "_vti_*" and folders
// without read permission are left out, and symbolic links to folders are not followed. Throws
// std::filesystem::filesystem_error when the walk fails otherwise.
std::vector<Text> ListProjectFiles(const std::filesystem::path& root);

}  // namespace lintra
