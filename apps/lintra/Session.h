#pragma once

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "apps/host/ProjectListing.h"
#include "apps/lintra/Options.h"
#include "apps/lintra/PathCheck.h"
#include "site/ChangedFiles.h"
#include "site/PageArguments.h"
#include "site/PageDiscovery.h"
#include "site/PageTree.h"
#include "site/SiteAnalysis.h"

namespace lintra {

// Arguments that cannot be run; what() is the message for the user.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A page whose analysis failed or was stopped (its path relative to the root, "/" between
// folders), and the one-line message that says so.
struct PageFailure {
  Text page;
  std::string message;
};

// A file named on the command line: its path as the trees of a session name files, and whether
// it exists.
struct NamedFile {
  Text path;
  bool exists = true;
};

// One run of the command line: the project on disk, the host that serves its files, and the
// analysis of its pages.
class Session {
 public:
  // Opens the project at options.root; throws std::filesystem::filesystem_error or
  // std::invalid_argument when it is no readable folder or the encoding is unknown.
  explicit Session(const Options& options);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  // The project root, fully resolved.
  const std::filesystem::path& Root() const { return files_.Root(); }

  // The real web path of the file that `argument` names, as the host names files to the control
  // (a file of a virtual directory by the virtual directory's web path, when its folder lies
  // outside the root). Throws UsageError, naming the argument by `role` ("changed file"), when it
  // names no file of the project.
  Text ExistingFile(const std::string& role, const std::string& argument) const;

  // The file that `argument` names: one that exists by its real web path, as ExistingFile gives
  // it; one that does not (a deleted file) by its path from the root as written. Throws
  // UsageError, naming the argument by `role`, when it names a folder or something else that is
  // no file, or lies outside the root.
  NamedFile FileOrDeleted(const std::string& role, const std::string& argument) const;

  // The pages the run covers, as the control gets them: the PAGE arguments in order, or every
  // page found below the root; either way without the excluded ones (see Options::Excludes).
  // check, includers, report and graph take each page once, by its real web path, however many
  // spellings or links name it. Warns on standard error of each glob of the command line that
  // leaves out nothing. Throws UsageError when a PAGE names no file of the project, or when no
  // page is left.
  std::vector<Text> Pages() const;

  // Takes the included files' texts from `shared` and leaves there those it reads, with the other
  // sessions of a run that share it (see SharedTexts).
  void ShareTexts(std::shared_ptr<SharedTexts> shared) { host_.ShareTexts(std::move(shared)); }
  // Hands `watch` the text of each file that the analyses read from now on (see
  // DiskHost::WatchReads); an empty `watch` stops it.
  void WatchReads(DiskHost::ReadWatch watch) { host_.WatchReads(std::move(watch)); }

  // Analyses one page, counting its file requests afresh, and hands over its tree; null when
  // the analysis failed or was stopped, which Failures then ends with.
  std::shared_ptr<File> AnalysePage(const Text& page);

  // The changed files `present`, as ExistingFile gives them, and `deleted`, as FileOrDeleted
  // gives them, matched against the trees of this session by real web path, as includers knows
  // files, whether or not the trees name files as their directives spell them.
  ChangedFiles Changed(const std::vector<Text>& present, const std::vector<Text>& deleted) const;

  // Analyses one page as AnalysePage does and hands over its tree only when it is or includes
  // one of `changed`, otherwise null.
  std::shared_ptr<File> DependantPage(const Text& page, const ChangedFiles& changed);

  // The text of `file`, a path as the trees of this session name files, as the host serves it;
  // null when it cannot be read.
  std::shared_ptr<const SourceText> Source(const Text& file);

  // Every file of the project, relative to the root and not excluded (see
  // PageDiscovery::FindFiles), each once by its real web path (a link to a file of the project
  // is that file), as listed once for the run: by Pages when it found the pages, otherwise on the
  // first call.
  const std::vector<Text>& ProjectFiles() const;

  // Takes `tree` apart on a thread of its own, ended with the session (or at the next call), so
  // that a run with a core to spare goes on with its findings while a large page's tree is freed.
  void FreeLater(PageTree&& tree);

  // Keeps `made` as long as the session: what a command made that the end of the run may let go
  // of all at once, with the process, rather than piece by piece (see main).
  template <class Made>
  void KeepToTheEnd(Made&& made) {
    kept_.push_back(std::make_shared<std::decay_t<Made>>(std::forward<Made>(made)));
  }

  // The pages whose analysis failed so far, in order.
  const std::vector<PageFailure>& Failures() const { return failures_; }
  // Puts `failures` in the place of the failures so far, for a run whose pages other sessions
  // analysed too; they are the failures of all its pages, in page order.
  void ReplaceFailures(std::vector<PageFailure> failures) { failures_ = std::move(failures); }

  // The files of the run so far that exist but could not be read, by real web path, with why:
  // this session's and those taken from others.
  std::map<Text, std::string> UnreadableFiles() const;
  // Takes in the unreadable files of `other`, a session that analysed other pages of the run.
  void TakeUnreadableFiles(const Session& other);

 private:
  template <class Analyse>
  std::shared_ptr<File> Run(const Text& page, Analyse analyse);
  // `argument` as the control gets it (see PageArguments::Page); throws UsageError, naming it by
  // `role`, when it names no file of the project.
  Text Checked(const std::string& role, const std::string& argument) const;
  // The same of a page to run, saying when the configuration named it.
  Text NamedPage(const std::string& argument) const;
  // Throws the UsageError that says why `argument`, named by `role`, leads to no file.
  [[noreturn]] void Refuse(const std::string& role, const std::string& argument, NoFile why) const;
  // The message for a run left without pages.
  std::string NoPages() const;
  // Lists the files of the project with `discovery` (see ProjectListing), warning on standard
  // error of each entry left out.
  void ListFiles(const PageDiscovery& discovery) const;
  // `paths`, files of the project, each by its real web path, in order of first sight and each
  // once. The listing's links are taken as the files they lead to; paths that the command line
  // `named`, in any spelling, are looked up, and one that names no file stays as it is.
  std::vector<Text> EachFileOnce(const std::vector<Text>& paths, bool named) const;

  const Options& options_;
  DiskFiles files_;
  DiskHost host_;
  PageArguments arguments_;
  SiteAnalysis site_;
  std::vector<PageFailure> failures_;
  std::map<Text, std::string> unreadableElsewhere_;
  mutable std::optional<ProjectListing> listing_;
  std::thread freeing_;
  std::vector<std::shared_ptr<void>> kept_;
};

}  // namespace lintra
