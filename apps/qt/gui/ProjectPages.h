#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// Where the desktop app finds a project's pages and how it names files on disk to the control.
namespace ProjectPages {

// The pages the command line takes when none are named (see PageDiscovery), named as the disk
// host names files: the web path of every ".asp" file below `root` in byte order, hidden files
// and folders and "_vti_*" folders left out.
std::vector<Text> Find(const std::filesystem::path& root);

// The web path of `file` relative to `root`, both resolved as far as they exist; nothing when
// `file` does not lie below `root`.
std::optional<Text> WebPathOf(const std::filesystem::path& root, const std::filesystem::path& file);

}  // namespace ProjectPages

}  // namespace lintra
