#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <unordered_set>
#include <vector>

#include "apps/lintra/Options.h"
#include "apps/lintra/Session.h"
#include "site/Findings.h"

namespace lintra {

class File;

// The findings of a run, each known once however many trees show it: two findings are the same
// when they are of one kind, at one place, with one message (a duplicate include's message names
// its page, so it is known once per page). A finding is known by what its place and message are
// made of, so that telling them apart costs neither a message nor a line index.
class DistinctFindings {
 public:
  // Starts on the findings of the next page.
  void NextPage() { seenInPage_.clear(); }

  // Whether `finding`, one of the findings of the page at hand, is new; it is known from now on.
  bool Add(const Finding& finding);

 private:
  // Each finding as one text: its kind, the file and position of its directive and the flagged
  // file. A duplicate names its page, so it can only repeat within that page: those are kept
  // for the page at hand alone, which keeps the memory of a run flat over its pages.
  std::unordered_set<Text> seen_;
  std::unordered_set<Text> seenInPage_;
};

// The totals of one check run: the pages checked and their distinct findings of each kind, as
// the SARIF log lists them.
class CheckSummary {
 public:
  // Counts one more page and those of its `findings` not counted before.
  void Add(const std::vector<Finding>& findings);

  size_t Pages() const { return pages_; }
  size_t Count(FindingKind kind) const { return counts_[static_cast<size_t>(kind)]; }
  bool Critical() const { return Count(FindingKind::Missing) + Count(FindingKind::Circular) > 0; }

 private:
  size_t pages_ = 0;
  size_t counts_[3] = {};
  DistinctFindings distinct_;
};

// Gathers what check finds, page by page, and writes it out in one format.
class CheckReport {
 public:
  virtual ~CheckReport() = default;

  // Takes in one page and its findings while its tree lives.
  virtual void AddPage(File& page, const std::vector<Finding>& findings) = 0;

  // Writes what is left to write, once, after the last page; `failures` are the pages whose
  // analysis failed.
  virtual void Finish(const CheckSummary& summary, const std::vector<PageFailure>& failures) = 0;
};

// The report for `format`; `root` is the project root, fully resolved.
std::unique_ptr<CheckReport> MakeCheckReport(ReportFormat format,
                                             const std::filesystem::path& root);

// The plain-text report: the warnings report of every page with a finding on standard output,
// a one-line summary on standard error.
std::unique_ptr<CheckReport> MakeTextCheckReport();
// One JSON document with every page's include tree and findings, and the pages that failed.
std::unique_ptr<CheckReport> MakeJsonCheckReport(const std::filesystem::path& root);
// A SARIF 2.1.0 log with one result per distinct finding, located at the directive, and a
// notification for each page that failed.
std::unique_ptr<CheckReport> MakeSarifCheckReport(const std::filesystem::path& root);

}  // namespace lintra
