#pragma once

#include <cstdint>
#include <functional>

#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "control/LintraEvents.h"

// The desktop app's side of the control's events: file texts come from the project on disk,
// reports and requests to open a file go to the window.
class WindowHost : public LintraEvents {
 public:
  // By default, more file requests than this for one page stop its analysis as an include
  // explosion.
  static constexpr uint64_t DefaultMaxRequests = 100000;

  using Show = std::function<void(const Text&)>;

  // Serves `files` (which must outlive the host), at most `maxRequests` for one page; `showText`
  // receives every report and `showFile` the path of every file the user opens from the tree.
  WindowHost(const DiskFiles& files, uint64_t maxRequests, Show showText, Show showFile)
      : disk_(files, maxRequests), showText_(std::move(showText)), showFile_(std::move(showFile)) {}

  // Starts counting file requests afresh and reads files anew, so that a page analysed again
  // shows the files as they are now; call before each page.
  void StartPage() {
    disk_.StartPage();
    disk_.ForgetTexts();
  }
  // Whether the current page was stopped for asking too many files.
  bool LimitReached() const { return disk_.LimitReached(); }
  uint64_t MaxRequests() const { return disk_.MaxRequests(); }

  void GetSharedFile(Text& FilePath, int32_t& nError,
                     std::shared_ptr<const SourceText>& FileText) override {
    disk_.GetSharedFile(FilePath, nError, FileText);
  }
  void DisplayText(Text& Report) override { showText_(Report); }
  void DisplayFile(Text FilePath) override { showFile_(FilePath); }

 private:
  DiskHost disk_;
  Show showText_;
  Show showFile_;
};
