#pragma once

#include <cstdint>

#include "apps/host/DiskFiles.h"
#include "control/LintraEvents.h"

// Serves the control's requests for file texts from a project folder on disk. It also guards
// against include explosions: past a set number of requests for one page it answers with the
// abort code, so that the analysis of that page stops instead of running on.
class DiskHost : public LintraEvents {
 public:
  // The answer for a file that cannot be supplied; the control flags the file missing.
  static constexpr int32_t FileNotFound = 53;
  // The answer that stops the whole analysis.
  static constexpr int32_t AbortAnalysis = static_cast<int32_t>(0x800403E9u);

  // Serves `files`, allowing at most `maxRequests` requests per page.
  DiskHost(const DiskFiles& files, uint64_t maxRequests)
      : files_(files), maxRequests_(maxRequests) {}

  // Starts counting requests afresh; call before each page.
  void StartPage() {
    requests_ = 0;
    limitReached_ = false;
  }

  // Whether a request of the current page was answered with the abort code for the limit.
  bool LimitReached() const { return limitReached_; }
  uint64_t MaxRequests() const { return maxRequests_; }

  // Puts the decoded text of `FilePath` into `FileText` and replaces `FilePath` by the file's
  // real web path, so that a file reached under another name (through "./" or a symbolic link)
  // is still recognised as the same file, and a self-include is caught as circular. Otherwise
  // sets `nError` to FileNotFound (or AbortAnalysis once the limit is passed) and leaves
  // `FilePath` as it is.
  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override;

 private:
  const DiskFiles& files_;
  uint64_t maxRequests_;
  uint64_t requests_ = 0;
  bool limitReached_ = false;
};
