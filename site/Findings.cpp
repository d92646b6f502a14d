#include "site/Findings.h"

#include <algorithm>
#include <memory>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/PreOrder.h"

namespace lintra {

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

Text Message(const Finding& finding, File& page) {
  File& file = *finding.file;
  switch (finding.kind) {
    case FindingKind::Missing:
      if (!file.Content().empty()) {
        return file.FullPath() + u" holds an include directive that names no file";
      }
      if (finding.parent) {
        return u"Included file " + file.Name() + u" cannot be found: " +
               Directive(file, *finding.parent);
      }
      return u"Page " + file.FullPath() + u" cannot be found";
    case FindingKind::Circular:
      return u"Circular include: " + file.FullPath() +
             u" is already among the files that include it";
    case FindingKind::Duplicate:
      return u"Duplicate include: " + file.FullPath() + u" is included more than once in " +
             page.FullPath();
  }
  return Text();
}

void AddFindings(File& file, File* parent, std::vector<Finding>& findings) {
  if (file.MissingFile()) {
    findings.push_back({FindingKind::Missing, &file, parent});
  } else if (file.CircularInclude() && parent) {
    findings.push_back({FindingKind::Circular, &file, parent});
  }
  if (file.DuplicateInclude() && !file.CircularInclude() && parent) {
    findings.push_back({FindingKind::Duplicate, &file, parent});
  }
}

}  // namespace

bool OnWholeFile(const Finding& finding) {
  return !finding.parent ||
         (finding.kind == FindingKind::Missing && !finding.file->Content().empty());
}

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

std::vector<Finding> PageFindings(File& page) {
  std::vector<Finding> findings;
  ForEachFile(page, [&](File& file, File* parent) { AddFindings(file, parent, findings); });
  return findings;
}

FindingDetails Describe(const Finding& finding, File& page, LineIndexes& lines) {
  FindingDetails details{finding.file->FullPath(), finding.file->FullPath(), std::nullopt,
                         Message(finding, page)};
  if (!OnWholeFile(finding)) {
    details.file = finding.parent->FullPath();
    details.at = lines.Of(finding.parent->Content()).At(finding.file->BaseFileStart());
  }
  return details;
}

}  // namespace lintra
