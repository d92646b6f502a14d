#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Text.h"

// The calls through which DiskFiles reaches the file system, one implementation per system
// (DiskAccessPosix.cpp, DiskAccessWindows.cpp): everything else about reading a project is the
// same everywhere.
namespace lintra::disk {

// `folder` fully resolved: absolute, without links. Throws std::filesystem::filesystem_error
// when it does not exist.
std::filesystem::path ResolvedFolder(const std::filesystem::path& folder);

// The entry of `folder` (a resolved folder) that the file name `name` (UTF-8) finds: the one
// spelt so when it exists, otherwise one spelt alike without regard to letter case, with its
// status. A link (a symbolic link; on Windows also any reparse point, or an entry that opens
// somewhere else) has the status of a symlink. Nothing when no entry matches or `name` is no
// plain file name on this system (on Windows: a device name, a stream, a wildcard).
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& folder,
                                               const std::string& name,
                                               std::filesystem::file_status& status);

// Where the link `entry` leads, fully resolved, and in `status` what it is there; nothing when
// it leads nowhere.
std::optional<std::filesystem::path> LinkTarget(const std::filesystem::path& entry,
                                                std::filesystem::file_status& status);

// Reads the regular file `file` in pieces handed to `take`, after telling `begin` its size. A
// file larger than `limit` is refused, and at most `limit` + 1 bytes are read in all, so that a
// file that grows while it is read is still caught. False when the file cannot be read or is too
// large.
bool ReadPieces(const std::filesystem::path& file, std::uintmax_t limit,
                const std::function<void(std::uintmax_t)>& begin,
                const std::function<void(std::string_view)>& take);

// The web path of `resolved` below `root` (both resolved), with "/" between names; names that
// are not valid UTF-8 keep their bytes as escapes.
Text WebPathBelow(const std::filesystem::path& root, const std::filesystem::path& resolved);

}  // namespace lintra::disk
