#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "apps/lintra/Options.h"
#include "apps/lintra/Session.h"
#include "site/Findings.h"

class File;

// The totals of one check run.
struct CheckSummary {
  size_t pages = 0;
  size_t missing = 0;
  size_t circular = 0;
  size_t duplicate = 0;

  void Add(const std::vector<Finding>& findings);
  bool Critical() const { return missing + circular > 0; }
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
// A SARIF 2.1.0 log with one result per finding, located at the directive, and a notification
// for each page that failed.
std::unique_ptr<CheckReport> MakeSarifCheckReport(const std::filesystem::path& root);
