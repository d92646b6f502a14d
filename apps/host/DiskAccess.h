#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

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

// Whether a walk of a folder tells every entry that FindEntry takes for a link from a plain file
// by the listing alone, so that an entry it lists as a plain file needs no lookup of its own.
bool WalkSeesEveryLink();

// Where the link `entry` leads, fully resolved, and in `status` what it is there; nothing when
// it leads nowhere.
std::optional<std::filesystem::path> LinkTarget(const std::filesystem::path& entry,
                                                std::filesystem::file_status& status);

// A file that exists but cannot be read; what() says why, in the system's words ("Permission
// denied"), or that it is too large.
class UnreadableFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that was found but is gone when it is opened: deleted or moved in between, so that it
// counts as missing rather than unreadable.
class VanishedFile : public UnreadableFile {
 public:
  using UnreadableFile::UnreadableFile;
};

// A regular file open for reading, closed when it goes.
class ReadingFile {
 public:
  virtual ~ReadingFile() = default;
  // The size of the file when it was opened, in bytes.
  virtual std::uintmax_t Size() const = 0;
  // Reads at most `size` bytes into `buffer`: how many it read, 0 at the end of the file. Throws
  // UnreadableFile when the system fails to read.
  virtual size_t Read(char* buffer, size_t size) = 0;
};

// Opens the regular file `file` for reading. Throws VanishedFile when it no longer exists, and
// otherwise UnreadableFile saying why it cannot be opened, or that it is not a regular file.
std::unique_ptr<ReadingFile> OpenRegularFile(const std::filesystem::path& file);

// The web path of `resolved` below `root` (both resolved), with "/" between names; names that
// are not valid UTF-8 keep their bytes as escapes.
Text WebPathBelow(const std::filesystem::path& root, const std::filesystem::path& resolved);

}  // namespace lintra::disk
