#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "analysis/SourceText.h"
#include "apps/host/CodePage.h"
#include "apps/host/DiskAccess.h"
#include "platform/Text.h"

namespace lintra {

// A file read from a project: its text and where it really lies.
struct ProjectFile {
  // The file's web path relative to the project root with symbolic links resolved: one file has
  // one web path however it was named.
  Text webPath;
  // The decoded text.
  Text text;
};

using disk::UnreadableFile;

// The files of one web project on disk, as hosts of the control read them. Every file is named
// by a web path relative to the project root, and nothing outside the root is ever opened: not
// through ".." segments, drive letters or symbolic links that lead out.
class DiskFiles {
 public:
  // Files larger than this are not read: they are unreadable.
  static constexpr std::uintmax_t MaxFileBytes = std::uintmax_t{256} << 20;
  // Web paths longer than this are refused as if they were missing, as the Windows servers of
  // classic ASP sites refuse them. It also ends include chains whose paths grow without end
  // (a file that includes "./" itself) after a few levels.
  static constexpr size_t MaxPathUnits = 260;

  // The project at `root`, an existing folder. Throws std::filesystem::filesystem_error when
  // `root` does not exist and std::invalid_argument when it is not a folder.
  explicit DiskFiles(const std::filesystem::path& root);
  virtual ~DiskFiles() = default;

  // The project root, fully resolved (absolute, no symbolic links).
  const std::filesystem::path& Root() const { return root_; }

  // The real location of the regular file that `webPath` names, or nothing. The path is split on
  // "/" and "\"; empty and "." segments are skipped, so a leading "/" means the root. A ".."
  // segment, a segment starting with a drive letter ("C:"), a NUL or a length above MaxPathUnits
  // refuses the path; on Windows so does a name that Windows would not open as a plain file (a
  // stream, a device, a wildcard, a trailing dot or space). Each segment is taken as written when
  // it exists, otherwise matched without regard to letter case (the first match in byte order),
  // as a web server on a case-insensitive file system finds it. Links (symbolic links; on
  // Windows also junctions and other reparse points) are resolved segment by segment, and the
  // path is refused as soon as one leads outside the root, so no folder outside it is ever
  // listed.
  std::optional<std::filesystem::path> Resolve(TextView webPath) const;

  // The bytes of `resolved`, a location that Resolve gave. Throws UnreadableFile when the file
  // cannot be read or is larger than MaxFileBytes.
  std::string Bytes(const std::filesystem::path& resolved) const;

  // The text of `resolved`, a location that Resolve gave, as DecodeFileBytes decodes its bytes;
  // without a code page it is decoded as it is read, so that a large file's bytes are never held
  // whole. Nothing when the file cannot be read or is larger than MaxFileBytes.
  std::optional<Text> Decoded(const std::filesystem::path& resolved,
                              const CodePage* codePage = nullptr) const;

  // The text of `resolved` as Decoded gives it, shared, with what its bytes are (see BytesOf).
  // Throws UnreadableFile when the file cannot be read or is larger than MaxFileBytes.
  std::shared_ptr<const SourceText> Source(const std::filesystem::path& resolved,
                                           const CodePage* codePage = nullptr) const;

  // The file that `webPath` names (see Resolve) with its bytes decoded by DecodeFileBytes, or
  // nothing when it is refused or cannot be read.
  std::optional<ProjectFile> Read(TextView webPath) const;

  // The web path of `resolved`, a location that Resolve gave; names that are not valid UTF-8
  // keep their bytes as escapes.
  Text WebPath(const std::filesystem::path& resolved) const;

  // The real web path of the file that `webPath` names (see Resolve): through links, in the
  // disk's letter case. Nothing when Resolve refuses it.
  std::optional<Text> WebPathOnDisk(TextView webPath) const;
  // The same of `webPath`, an entry that a walk of the root listed (see
  // PageDiscovery::FindFileEntries); `plain` when the walk found a regular file and no link
  // there, which on a system whose walks see every link is the file itself, found with no lookup.
  std::optional<Text> WebPathOnDisk(TextView webPath, bool plain) const;

  // Forgets the folders resolved so far, so that the next paths see the folders as they are now.
  void ForgetFolders() const { folders_.clear(); }

 protected:
  // Opens `resolved` for reading, or throws UnreadableFile saying why it cannot. Every file is
  // opened here, so that a test can make one unreadable whoever runs it.
  virtual std::unique_ptr<disk::ReadingFile> OpenForReading(
      const std::filesystem::path& resolved) const;

 private:
  bool Contains(const std::filesystem::path& resolved) const;
  // Reads `resolved` in pieces handed to `take`, after telling `begin` its size (see Bytes).
  template <class Begin, class Take>
  void ReadPieces(const std::filesystem::path& resolved, Begin begin, Take take) const;
  // The text of `resolved`, telling `bytes` what its bytes were; throws UnreadableFile.
  Text Decode(const std::filesystem::path& resolved, const CodePage* codePage,
              TextBytes& bytes) const;
  // The entry `segment` of the resolved `folder`, as Resolve follows each segment; `status` is
  // that of the entry it leads to. Nothing when it cannot be followed.
  std::optional<std::filesystem::path> Follow(const std::filesystem::path& folder,
                                              const std::string& segment,
                                              std::filesystem::file_status& status) const;

  std::filesystem::path root_;
  // The folders that Resolve followed, by their segments as written with a "/" after each:
  // where each lies, or nothing when it cannot be followed. A page's includes mostly sit in a
  // few folders, so each folder is looked up on disk once rather than once per file. Emptied
  // when it reaches MaxKeptFolders, so that paths made up by the thousand cannot grow it without
  // end.
  static constexpr size_t MaxKeptFolders = 65536;
  mutable std::unordered_map<std::string, std::optional<std::filesystem::path>> folders_;
};

}  // namespace lintra
