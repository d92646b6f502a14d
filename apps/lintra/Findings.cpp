#include "apps/lintra/Findings.h"

#include <memory>

#include "analysis/File.h"
#include "analysis/Files.h"

namespace {

constexpr int32_t LongestQuotedDirective = 200;

// The directive that pulled `file` into its parent, on one line and cut short when long.
Text Directive(File& file, File& parent) {
  Text directive =
      text::Mid(parent.Content(), file.BaseFileStart(), file.BaseFileEnd() - file.BaseFileStart());
  for (char16_t& unit : directive) {
    if (unit == u'\r' || unit == u'\n' || unit == u'\t') unit = u' ';
  }
  if (text::Len(directive) > LongestQuotedDirective) {
    directive = text::Left(directive, LongestQuotedDirective) + u"...";
  }
  return directive;
}

// A finding on the directive that pulled `file` into `parent`.
Finding AtDirective(FindingKind kind, File& file, File& parent, Text message) {
  return {kind, file.FullPath(), parent.FullPath(),
          LineColumnOf(parent.Content(), file.BaseFileStart()), std::move(message)};
}

// A finding on `file` as a whole.
Finding OnFile(FindingKind kind, File& file, Text message) {
  return {kind, file.FullPath(), file.FullPath(), std::nullopt, std::move(message)};
}

void AddMissing(File& file, File* parent, std::vector<Finding>& findings) {
  if (!file.Content().empty()) {
    findings.push_back(OnFile(FindingKind::Missing, file,
                              file.FullPath() + u" holds an include directive that names no file"));
  } else if (parent) {
    findings.push_back(AtDirective(
        FindingKind::Missing, file, *parent,
        u"Included file " + file.Name() + u" cannot be found: " + Directive(file, *parent)));
  } else {
    findings.push_back(
        OnFile(FindingKind::Missing, file, u"Page " + file.FullPath() + u" cannot be found"));
  }
}

void AddFindings(File& file, File* parent, const Text& page, std::vector<Finding>& findings) {
  if (file.MissingFile()) {
    AddMissing(file, parent, findings);
  } else if (file.CircularInclude() && parent) {
    findings.push_back(AtDirective(
        FindingKind::Circular, file, *parent,
        u"Circular include: " + file.FullPath() + u" is already among the files that include it"));
  }
  if (file.DuplicateInclude() && !file.CircularInclude() && parent) {
    findings.push_back(AtDirective(
        FindingKind::Duplicate, file, *parent,
        u"Duplicate include: " + file.FullPath() + u" is included more than once in " + page));
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

std::vector<Finding> PageFindings(File& page) {
  std::vector<Finding> findings;
  std::vector<std::pair<File*, File*>> pending = {{&page, nullptr}};
  while (!pending.empty()) {
    auto [file, parent] = pending.back();
    pending.pop_back();
    AddFindings(*file, parent, page.FullPath(), findings);
    const std::shared_ptr<Files> includes = file->Includes();
    for (auto child = includes->end(); child != includes->begin();) {
      --child;
      pending.emplace_back(child->get(), file);
    }
  }
  return findings;
}
