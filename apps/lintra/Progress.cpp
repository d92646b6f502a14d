#include "apps/lintra/Progress.h"

#include <unistd.h>

#include <cstdio>

namespace lintra {

Progress::Progress(size_t total)
    : total_(total), shown_(total > 1 && isatty(STDERR_FILENO) && !isatty(STDOUT_FILENO)) {
  if (shown_) Show();
}

Progress::~Progress() {
  if (shown_) std::fputs("\r\033[K", stderr);
}

void Progress::PageDone() {
  ++done_;
  if (shown_) Show();
}

void Progress::Show() const {
  std::fprintf(stderr, "\rlintra: %zu of %zu pages done", done_, total_);
  std::fflush(stderr);
}

}  // namespace lintra
