#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/FileSupply.h"
#include "apps/host/CodePage.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/SharedTexts.h"
#include "apps/host/VirtualDirectory.h"

namespace lintra {

// Serves the texts of a project folder on disk to the analysis. Each included file
// is read and decoded once and its text shared by every node that shows it, however many pages
// include it and under whichever names. A page's own text, the first request after StartPage, is
// not kept beyond its page unless something includes it, so that a run over thousands of pages
// holds the included files and one page at a time. It also guards against include explosions:
// past a set number of requests for one page it answers with the abort code, so that the analysis
// of that page stops instead of running on. A path whose first folder is a virtual directory is
// served from the folder that directory maps to, and never from outside that folder.
class DiskHost : public FileSupply {
 public:
  // How a supplied file's path is handed back to the analysis.
  enum class Paths {
    // As the analysis asked for it.
    AsRequested,
    // Replaced by the file's real web path, so that a file reached under another name (another
    // letter case, "./" or a symbolic link) is the same file to the analysis, and a self-include
    // under another name is caught as circular.
    OnDisk,
  };

  // Serves `files`, allowing at most `maxRequests` requests per page. Files that are not UTF-8
  // are decoded from the code page named `encoding` (as iconv names it) unless it is empty: every
  // host that reads a project's files sets up its decoding here, each with a converter of its own,
  // so that hosts on several threads read alike. Throws std::invalid_argument when no code page
  // is named `encoding`, std::filesystem::filesystem_error when the folder of one of
  // `virtualDirectories` does not exist and std::invalid_argument when it is no folder.
  DiskHost(const DiskFiles& files, uint64_t maxRequests, Paths paths = Paths::OnDisk,
           const std::string& encoding = {},
           const std::vector<VirtualDirectory>& virtualDirectories = {});

  // From now on takes the texts of included files from `shared` when another host has read
  // them, and leaves the texts it reads there.
  void ShareTexts(std::shared_ptr<SharedTexts> shared) { shared_ = std::move(shared); }

  // From now on hands `watch` the text of each file that a request finds for the first time, on
  // the thread that asked; an empty `watch` stops it.
  using ReadWatch = std::function<void(const std::shared_ptr<const SourceText>&)>;
  void WatchReads(ReadWatch watch) { watch_ = std::move(watch); }

  // Starts counting requests afresh and lets go of the previous page's text; call before each
  // page.
  void StartPage() {
    requests_ = 0;
    limitReached_ = false;
    page_.reset();
    pageNext_ = true;
  }

  // The files that exist but could not be read, by real web path, with why (see UnreadableFile);
  // every one met since the host was made.
  const std::map<Text, std::string>& UnreadableFiles() const { return unreadable_; }

  // Whether a request of the current page was answered with the abort code for the limit.
  bool LimitReached() const { return limitReached_; }
  uint64_t MaxRequests() const { return maxRequests_; }

  // Forgets the texts and folders read so far, and stops sharing texts, so that the next requests
  // see the files as they are now.
  void ForgetTexts() {
    byRequest_.clear();
    byWebPath_.clear();
    page_.reset();
    shared_.reset();
    files_.ForgetFolders();
  }

  // The real web path of the file that `webPath` names as a request finds it, through the virtual
  // directories too; nothing when there is none.
  std::optional<Text> WebPathOnDisk(const Text& webPath) const;

  // Where the file that `webPath` names lies, as a request finds it, through the virtual
  // directories too; nothing when there is none.
  std::optional<std::filesystem::path> Location(const Text& webPath) const;
  // The web path of the file at `location`, a resolved path that lies in the folder of a virtual
  // directory, as WebPathOnDisk names it; nothing when no virtual directory's folder holds it.
  std::optional<Text> VirtualWebPath(const std::filesystem::path& location) const;
  // The text of the file that `webPath` names, found and decoded as a request finds and decodes
  // it, but read now and kept by the caller alone; null when there is none or it cannot be read.
  // Used on the host's thread only.
  std::shared_ptr<const SourceText> ReadNow(const Text& webPath) const;

  // The real web path of the file that a tree this host served names by `fullPath`: with
  // Paths::OnDisk `fullPath` itself; with Paths::AsRequested the file that request found, as
  // WebPathOnDisk finds it: remembered from the analysis for an include and the current page,
  // looked up for any other path. Nothing when none.
  std::optional<Text> WebPathServed(const Text& fullPath) const;

  // The decoded text of `FilePath`; with Paths::OnDisk, `FilePath` becomes the file's real web
  // path. Raises RuntimeError NotFound, changing nothing, when the file is refused, missing or a
  // folder, and Unreadable with the reason when it cannot be read (with Paths::OnDisk, after
  // `FilePath` became its real web path); past the request limit, Abort.
  std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) override;

 private:
  // A file as requests find it: its real web path and its shared text, or null text and why it
  // cannot be read.
  struct Found {
    Text webPath;
    std::shared_ptr<const SourceText> text;
    std::string unreadable;
  };

  // The file that `requested` names, read on its first request and kept; null when there is
  // none. A `page` that is not kept already is read for this page alone.
  const Found* Find(const Text& requested, bool page);
  // The files that serve `requested`, the path it names in them, and the web path of their root.
  struct Route {
    const DiskFiles& files;
    Text path;
    Text webRoot;
  };
  Route RouteOf(const Text& requested) const;
  // Where the file that `requested` names lies: the files that serve it and its location there.
  struct Located {
    Route route;
    std::filesystem::path location;
  };
  std::optional<Located> Locate(const Text& requested) const;
  // The real web path of `location`, the file that `route` resolved. A file of a virtual
  // directory whose folder lies below the root is named by its path below the root when the root
  // serves it there too, so that it is one file however a directive reaches it.
  Text WebPathOf(const Route& route, const std::filesystem::path& location) const;
  // The file that `requested` names, read now unless its text is kept; the text is kept when
  // `keep`. Null when there is none; an unreadable one is noted in unreadable_.
  std::unique_ptr<Found> Load(const Text& requested, bool keep);
  // The text of the file at `location` in `files`, whose real web path is `webPath`: the one
  // kept, or else the one the shared hosts have read, or else read now; kept when `keep`.
  // Throws as DiskFiles::Source does.
  std::shared_ptr<const SourceText> TextOf(const DiskFiles& files,
                                           const std::filesystem::path& location,
                                           const Text& webPath, bool keep);

  // A hash of a path's units taken eight bytes at a time: the host looks up a path for every
  // include of every page, and the paths are short.
  struct PathHash {
    size_t operator()(TextView path) const;
  };

  const DiskFiles& files_;
  // The virtual directories: each name and the files of its folder.
  std::vector<std::pair<Text, std::unique_ptr<DiskFiles>>> virtual_;
  std::unordered_map<Text, std::unique_ptr<Found>, PathHash, text::SameUnitsEqual> byRequest_;
  std::unordered_map<Text, std::shared_ptr<const SourceText>, PathHash, text::SameUnitsEqual>
      byWebPath_;
  uint64_t maxRequests_;
  Paths paths_;
  std::unique_ptr<CodePage> codePage_;
  std::shared_ptr<SharedTexts> shared_;
  ReadWatch watch_;
  std::map<Text, std::string> unreadable_;
  std::unique_ptr<Found> page_;
  // The request that page_ answers.
  Text pageRequest_;
  bool pageNext_ = false;
  uint64_t requests_ = 0;
  bool limitReached_ = false;
};

}  // namespace lintra
