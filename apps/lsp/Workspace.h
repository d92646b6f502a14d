#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "apps/lsp/BufferHost.h"
#include "apps/lsp/IndexHelper.h"
#include "apps/lsp/NameIndex.h"
#include "apps/lsp/OpenDocuments.h"
#include "apps/lsp/ProjectSettings.h"
#include "apps/lsp/SiteIndex.h"
#include "rules/Checker.h"
#include "rules/RootBelow.h"
#include "rules/SourceFacts.h"
#include "site/SiteAnalysis.h"

namespace lintra::lsp {

// The site an editor works on, as the server sees it: its files on disk under the editor's open
// buffers, its pages, and the index of their last analyses. Everything here runs on one thread.
class Workspace {
 public:
  // The site at `root`, an existing folder, as `project` configures it; throws
  // std::filesystem::filesystem_error or std::invalid_argument otherwise. Its pages are not
  // looked for until DiscoverPages.
  explicit Workspace(const std::filesystem::path& root, ProjectSettings project = {});

  // The site root, fully resolved.
  const std::filesystem::path& Root() const { return files_.Root(); }
  OpenDocuments& Documents() { return documents_; }
  // Opens the editor's buffer of a document, whose text is `text`: the rules that look at bytes
  // see those of the file on disk, as the buffer is text that will be saved in them.
  void Open(OpenDocument document, Text text);
  const SiteIndex& Index() const { return index_; }
  // The names of `file` as the editor sees it, scanned now when they were not since the file last
  // changed; null when its text cannot be read.
  const FileNames* NamesOf(uint32_t file);
  // The files whose names were scanned.
  std::vector<uint32_t> FilesWithNames() const { return names_.Files(); }
  // The declaration that a use of the name `key` in the <% %> code of the page of `record`
  // resolves to (see NameIndex::Resolve).
  std::optional<DeclarationRef> ResolveName(const PageRecord& record, uint32_t key) const {
    return names_.Resolve(record.names, record.files, key);
  }
  // Forgets the names of `file`, whose text changed, and where it was found; they wait to be read
  // again.
  void ForgetNames(uint32_t file);
  // How many files of the indexed pages wait for their names to be read (see IndexNames).
  size_t NamesWaiting() const { return unnamed_.size(); }
  // Reads the names of the files waiting for about `budget`, after the pages are indexed, since
  // reading every file's uses costs more than analysing the pages; the number still waiting.
  size_t IndexNames(std::chrono::milliseconds budget);
  // The id of `webPath` in the index.
  uint32_t Id(const Text& webPath) { return index_.Intern(webPath); }

  // The web path of the absolute `path` when it lies below the root or in the folder of a virtual
  // directory; nothing otherwise.
  std::optional<Text> WebPathOf(const std::filesystem::path& path) const;
  // The URI of the file `webPath` names, as found on disk or open in the editor; empty when it is
  // neither.
  std::string UriOf(const Text& webPath) const;
  // The same of the file `file` (an id in the index). What was found on disk, there or when its
  // names were read, is kept until the file changes (ForgetNames), so that answers naming
  // thousands of files need not ask the disk for each.
  std::string UriOf(uint32_t file);
  // The real web path of the file `webPath` names on disk, through the virtual directories too,
  // or nothing when it is not there.
  std::optional<Text> OnDisk(const Text& webPath) const;
  // The text of the file `webPath` names on disk, or nothing when it cannot be read.
  std::optional<Text> DiskText(const Text& webPath) const;

  // Looks for the pages of the site, replacing those known: each once by its real web path, as the
  // command line takes them when it is given none: those the project's `pages` setting names
  // (see ConfiguredPages), else those the listing finds (see ProjectListing). What the user is
  // told of the pages left out: the entries of the listing that cannot be read within the root,
  // or the pages the setting names that do not exist.
  std::vector<std::string> DiscoverPages();
  // The pages by rising id, which is the order they were found in.
  const std::vector<uint32_t>& Pages() const { return pages_; }
  bool IsPage(uint32_t file) const;
  // Adds a page made since, when `webPath` names a page (one the `pages` setting names, when it
  // names any), by its real web path when it is on disk.
  void AddPage(const Text& webPath);
  void RemovePage(uint32_t page);

  // The tree of `webPath` analysed now as a page, or null when the analysis fails.
  std::shared_ptr<File> Analyse(const Text& webPath);
  // Analyses `page` and records its tree in the index, with the rules' findings when the tree
  // holds one of `openFiles` (sorted).
  void Reindex(uint32_t page, const std::vector<uint32_t>& openFiles);
  // Records what another thread found of a page on disk, or analyses the page again as Reindex
  // does when its tree holds one of `openFiles` (sorted), whose buffers the finding missed.
  void Record(const PageFiles& found, const std::vector<uint32_t>& openFiles);
  // A helper for the first indexing of the pages still to index, `pending` (by rising id).
  std::unique_ptr<IndexHelper> Helper(const std::vector<uint32_t>& pending) const;
  // The text of `webPath` as the editor sees it: its buffer when open, otherwise the file on disk.
  std::optional<Text> CurrentText(const Text& webPath) const;
  // Forgets the texts read from disk, so that the next analyses see the files as they are now,
  // and the bytes of the files open in the editor with them.
  void ForgetDiskTexts();
  // Where on disk lie the files of `files` and of the trees of the pages that reach them: the
  // files whose changes change what the editor shows of `files`.
  std::vector<std::filesystem::path> FilesShownWith(const std::vector<uint32_t>& files) const;
  // What only the whole project shows of `file` once every page is indexed: unused-file when no
  // page reaches it, as check finds it.
  std::vector<RuleFinding> UnusedFindings(uint32_t file) const;
  // The folder that looks like the site's own root when the workspace lies above it (see
  // FindRootBelow), judged by the virtual include directives of the indexed pages whose files
  // are neither on disk nor open.
  std::optional<RootBelow> SiteRootBelow();

 private:
  // The record of what `found` holds, its files by their ids.
  PageRecord RecordOf(const PageFiles& found);
  // The names of the record's page, from what `found` resolved, its files by `ids`.
  std::vector<PageName> NamesOf(const PageFiles& found, const std::vector<uint32_t>& ids);
  void Check(const PageTree& page, PageRecord& record);

  void QueueNames(uint32_t file);
  // The text of `file` as CurrentText gives it, noting its URI when it is on disk.
  std::optional<Text> CurrentText(uint32_t file);
  void NoteUri(uint32_t file, const std::filesystem::path& resolved);

  // What the bytes of the file on disk that `webPath` names are; Unknown when it is not there.
  TextBytes DiskBytes(const Text& webPath) const;

  DiskFiles files_;
  OpenDocuments documents_;
  DiskHost disk_;
  BufferHost host_;
  SiteAnalysis site_;
  SiteIndex index_;
  NameIndex names_;
  // The files whose names wait to be read, and by file id whether it waits.
  std::vector<uint32_t> unnamed_;
  std::vector<bool> queued_;
  // By file id: the URI found on disk, empty when not known.
  std::vector<std::string> diskUris_;
  // What the server's own analyses learn of the texts' names, kept from one page to the next.
  SourceFacts facts_;
  std::vector<uint32_t> pages_;
  // The pages the project's settings name, and those they leave out.
  std::vector<std::string> namedPages_;
  std::vector<std::string> excludes_;
  // The project's encoding and virtual directories, which the index helper reads with too.
  std::string encoding_;
  std::vector<VirtualDirectory> virtualDirectories_;
  // What checks the pages at the project's settings, keeping what it learnt of the texts from
  // one page to the next.
  Checker checker_;
};

}  // namespace lintra::lsp
