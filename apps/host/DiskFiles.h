#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/Text.h"

// A file read from a project: its text and where it really lies.
struct ProjectFile {
  // The file's web path relative to the project root with symbolic links and "." and ".."
  // resolved: one file has one web path however it was named.
  Text webPath;
  // The decoded text.
  Text text;
};

// The files of one web project on disk, as hosts of the control read them. Every file is named
// by a web path relative to the project root, and nothing outside the root is ever opened: not
// through absolute paths, drive letters, network shares, ".." segments or symbolic links.
class DiskFiles {
 public:
  // Files larger than this are refused as if they were missing.
  static constexpr std::uintmax_t MaxFileBytes = std::uintmax_t{256} << 20;

  // The project at `root`, an existing folder. Throws std::filesystem::filesystem_error when
  // `root` does not exist and std::invalid_argument when it is not a folder.
  explicit DiskFiles(const std::filesystem::path& root);

  // The project root, fully resolved (absolute, no symbolic links).
  const std::filesystem::path& Root() const { return root_; }

  // The real location of the regular file that `webPath` names ("/" or "\" separators; a name
  // that is not there in that letter case is matched without regard to case), or nothing when the
  // path is empty, absolute, starts with a drive letter, ends with a separator, holds a NUL, climbs
  // above the root, leads outside the root through a symbolic link, or names no regular file.
  std::optional<std::filesystem::path> Resolve(TextView webPath) const;

  // The file that `webPath` names (see Resolve), or nothing when it is refused, cannot be read,
  // or is larger than MaxFileBytes.
  std::optional<ProjectFile> Read(TextView webPath) const;

  // The web path of `resolved`, a location that Resolve gave.
  Text WebPath(const std::filesystem::path& resolved) const;

  // `webPath` as a path below the root, its ".." segments resolved by name; nothing for any
  // path that Resolve refuses before looking at the disk.
  static std::optional<std::filesystem::path> RelativeLocation(TextView webPath);

 private:
  bool Inside(const std::filesystem::path& resolved) const;

  std::filesystem::path root_;
};
