#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "analysis/SourceText.h"

namespace lintra {

class File;

// Hands the texts that one thread's analysis of a page reads to another thread in batches as
// they are read, and then the page's tree, so that the other thread can learn the texts while
// the page is still being analysed. Texts go over in batches so that the threads seldom wake
// each other.
class TextHandover {
 public:
  using Texts = std::vector<std::shared_ptr<const SourceText>>;

  // Adds a text read by the analysis.
  void Push(std::shared_ptr<const SourceText> text);
  // Ends the texts: the analysis is over, with `tree` as its tree of `nodes` nodes (null and 0
  // when it failed). Call it once, whatever happened, or Next waits forever.
  void Close(File* tree, size_t nodes);

  // The next batch of texts, waiting for it; empty once the handover is closed and every text
  // was taken.
  Texts Next();
  // The tree given to Close, once Next returned no texts.
  File* Tree() const { return tree_; }
  size_t Nodes() const { return nodes_; }

 private:
  static constexpr size_t BatchSize = 64;

  std::mutex mutex_;
  std::condition_variable ready_;
  Texts texts_;
  bool closed_ = false;
  File* tree_ = nullptr;
  size_t nodes_ = 0;
};

}  // namespace lintra
