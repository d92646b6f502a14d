#pragma once

#include <cstddef>

namespace lintra {

// Shows how many pages of a run are done on standard error while the run goes on, on one line
// that is rewritten in place. It shows nothing unless standard error is a terminal, standard
// output is not (output written while the run goes on would run into the line), and the run has
// more than one page, so pipes and logs never see it.
class Progress {
 public:
  explicit Progress(size_t total);
  // Clears the line.
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Records that one more page is done.
  void PageDone();

 private:
  void Show() const;

  size_t total_;
  size_t done_ = 0;
  bool shown_;
};

}  // namespace lintra
