#pragma once

#include <set>
#include <string>
#include <vector>

#include "apps/lintra/CheckResult.h"
#include "apps/lintra/ReportPaths.h"

namespace lintra {

// A file of the findings a project has accepted for now, each known by its rule and its
// fingerprint (which hashes the file's web path, so that a baseline matches wherever lintra runs
// and whichever folder its paths are relative to), so that later runs report only the findings
// that are new.
class Baseline {
 public:
  // The baseline in the file at `path`; throws UsageError, naming the file, when it cannot be read
  // or is no baseline.
  static Baseline Read(const std::string& path);

  // Writes the fingerprints of the findings of `result` to `path`, replacing it, with their files
  // named by `paths`; throws UsageError when it cannot.
  static void Write(const std::string& path, const CheckResult& result, const ReportPaths& paths);

  // Leaves out of `result` the findings this baseline knows, counting them in result.baselined.
  void LeaveOutKnown(CheckResult& result) const;

 private:
  std::set<std::string> known_;
};

}  // namespace lintra
