#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/Text.h"

// Where the desktop app finds a project's pages and how it names files on disk to the control.
namespace ProjectPages {

// The web path ("/" separators, relative to `root`) of every file below `root` whose name ends
// in ".asp" in any letter case, in sorted order. Hidden files and folders (names beginning with
// ".") and unreadable folders are skipped; symbolic links to folders are not followed.
std::vector<Text> Find(const std::filesystem::path& root);

// The web path of `file` relative to `root`, both resolved as far as they exist; nothing when
// `file` does not lie below `root`.
std::optional<Text> WebPathOf(const std::filesystem::path& root, const std::filesystem::path& file);

}  // namespace ProjectPages
