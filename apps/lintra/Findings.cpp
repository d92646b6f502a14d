#include "apps/lintra/Findings.h"

#include <algorithm>
#include <memory>

#include "analysis/File.h"
#include "analysis/Files.h"

namespace {

constexpr int32_t LongestQuotedDirective = 200;

// The directive that pulled `file` into its parent, on one line and cut short when long.
Text Directive(File& file, File& parent) {
  const int32_t length = file.BaseFileEnd() - file.BaseFileStart();
  Text directive = text::Mid(parent.Content(), file.BaseFileStart(),
                             std::min(length, LongestQuotedDirective + 1));
  for (char16_t& unit : directive) {
    if (unit == u'\r' || unit == u'\n' || unit == u'\t') unit = u' ';
  }
  if (text::Len(directive) > LongestQuotedDirective) {
    directive = text::Left(directive, LongestQuotedDirective) + u"...";
  }
  return directive;
}

// One file of the tree to look at: the file, the file that includes it (null for the page) and
// where the directive stands in that file.
struct Visit {
  File* file;
  File* parent;
  LineColumn at;
};

// A finding on the directive that pulled the visited file into its parent.
Finding AtDirective(FindingKind kind, const Visit& visit, Text message) {
  return {kind, visit.file->FullPath(), visit.parent->FullPath(), visit.at, std::move(message)};
}

// A finding on `file` as a whole.
Finding OnFile(FindingKind kind, File& file, Text message) {
  return {kind, file.FullPath(), file.FullPath(), std::nullopt, std::move(message)};
}

void AddMissing(const Visit& visit, std::vector<Finding>& findings) {
  File& file = *visit.file;
  if (!file.Content().empty()) {
    findings.push_back(OnFile(FindingKind::Missing, file,
                              file.FullPath() + u" holds an include directive that names no file"));
  } else if (visit.parent) {
    findings.push_back(AtDirective(
        FindingKind::Missing, visit,
        u"Included file " + file.Name() + u" cannot be found: " + Directive(file, *visit.parent)));
  } else {
    findings.push_back(
        OnFile(FindingKind::Missing, file, u"Page " + file.FullPath() + u" cannot be found"));
  }
}

void AddFindings(const Visit& visit, const Text& page, std::vector<Finding>& findings) {
  File& file = *visit.file;
  if (file.MissingFile()) {
    AddMissing(visit, findings);
  } else if (file.CircularInclude() && visit.parent) {
    findings.push_back(AtDirective(
        FindingKind::Circular, visit,
        u"Circular include: " + file.FullPath() + u" is already among the files that include it"));
  }
  if (file.DuplicateInclude() && !file.CircularInclude() && visit.parent) {
    findings.push_back(AtDirective(
        FindingKind::Duplicate, visit,
        u"Duplicate include: " + file.FullPath() + u" is included more than once in " + page));
  }
}

// Queues the includes of `file` so that they are visited first to last.
void QueueIncludes(File& file, std::vector<Visit>& pending, LineIndexes& lines) {
  const std::shared_ptr<Files> includes = file.Includes();
  if (includes->size() == 0) return;
  const LineIndex& index = lines.Of(file.Content());
  for (auto child = includes->end(); child != includes->begin();) {
    --child;
    pending.push_back({child->get(), &file, index.At((*child)->BaseFileStart())});
  }
}

}  // namespace

bool IsCritical(FindingKind kind) {
  return kind != FindingKind::Duplicate;
}

const char* KindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::Missing:
      return "missing";
    case FindingKind::Circular:
      return "circular";
    case FindingKind::Duplicate:
      return "duplicate";
  }
  return "";
}

std::vector<Finding> PageFindings(File& page, LineIndexes& lines) {
  std::vector<Finding> findings;
  std::vector<Visit> pending = {{&page, nullptr, {}}};
  while (!pending.empty()) {
    const Visit visit = pending.back();
    pending.pop_back();
    AddFindings(visit, page.FullPath(), findings);
    QueueIncludes(*visit.file, pending, lines);
  }
  return findings;
}
