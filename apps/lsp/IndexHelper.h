#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "apps/host/VirtualDirectory.h"
#include "platform/Text.h"
#include "site/PageTree.h"

namespace lintra {
class File;
class SourceFacts;
}  // namespace lintra

namespace lintra::lsp {

// What the analysis of one page found: every file of its tree by its web path as the tree
// spells it, the page first, and the directives between them.
struct PageFiles {
  struct Directive {
    // Positions in `files`.
    uint32_t holder = 0;
    uint32_t target = 0;
    // The directive's first position and the position after it in the holder's text.
    int32_t start = 0;
    int32_t end = 0;
  };

  // A declaration that a use of its name in the page's <% %> code resolves to, for the names the
  // page declares in more than one place (see PageNames::Contested): the position in `files` of
  // the file that holds it, and its offset there.
  struct Name {
    uint32_t file = 0;
    int32_t offset = 0;
  };

  uint32_t page = 0;
  // Whether the analysis failed; `files` then holds the page alone.
  bool failed = false;
  std::vector<Text> files;
  std::vector<Directive> directives;
  std::vector<Name> names;
};

// What the analysed `tree` of `page` holds, its files numbered in order of first sight; its names
// resolved from its declarations, with the texts' facts in `facts`.
PageFiles FilesOf(uint32_t page, const PageTree& tree, SourceFacts& facts);

// A second thread for the first indexing of a site: it analyses pages from the files on disk,
// from the first page of its list on, while the server's own thread serves the editor and
// analyses pages from the last on. A page goes to whichever thread claims it first. The helper
// sees no buffer of the editor, so the server analyses again a page whose tree holds an open
// document; and it reads the disk once, so the server stops it when files change on disk.
//
// Every member but the constructor's thread is called on the server's thread.
class IndexHelper {
 public:
  // Starts analysing `pages`, ids with their web paths by rising id, in the site at `root` with
  // its `encoding` and `virtualDirectories` (see DiskHost), with at most `maxRequests` file
  // requests a page.
  IndexHelper(const std::filesystem::path& root, uint64_t maxRequests,
              std::vector<std::pair<uint32_t, Text>> pages, std::string encoding = {},
              std::vector<VirtualDirectory> virtualDirectories = {});
  // Stops the thread after the page at hand and waits for it.
  ~IndexHelper();
  IndexHelper(const IndexHelper&) = delete;
  IndexHelper& operator=(const IndexHelper&) = delete;

  // Whether the server may analyse `page` itself: a page off the helper's list, one the helper
  // has not taken (which is then the server's), or one whose analysis the helper handed over.
  bool Claim(uint32_t page);
  // The analyses finished since the last call, in the order they were made.
  std::vector<PageFiles> Take();
  // Waits up to `most` for an analysis to be finished.
  void Wait(std::chrono::milliseconds most);

 private:
  enum Owner : uint8_t { Nobody, Helper, Server };

  // Analyses the pages of the list that the server has not claimed, in order, until stopped; a
  // failure other than a page's own leaves the rest to the server.
  void Run();
  // The position of `page` in the list, or the list's size when it is not there.
  size_t Position(uint32_t page) const;

  const std::filesystem::path root_;
  const std::string encoding_;
  const std::vector<VirtualDirectory> virtualDirectories_;
  const uint64_t maxRequests_;
  const std::vector<std::pair<uint32_t, Text>> pages_;
  std::vector<std::atomic<uint8_t>> owners_;
  // By position: whether the helper's analysis of the page was handed over by Take.
  std::vector<bool> delivered_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable finished_;
  std::vector<PageFiles> done_;
  std::thread thread_;
};

}  // namespace lintra::lsp
