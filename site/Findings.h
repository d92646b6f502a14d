#pragma once

#include <optional>
#include <vector>

#include "platform/Text.h"
#include "site/TextPosition.h"

namespace lintra {

class File;

// What check reports: a missing file (a file that cannot be read, or one that holds an include
// directive naming no file), a circular include, or a duplicate include.
enum class FindingKind { Missing, Circular, Duplicate };

// Missing files and circular includes are critical; duplicate includes are warnings.
bool IsCritical(FindingKind kind);
// "missing", "circular" or "duplicate".
const char* KindName(FindingKind kind);

// One finding on one file of a page's include tree. It points into the tree, so it is valid only
// while the tree lives; it holds no text, as a run that only counts findings needs none.
struct Finding {
  FindingKind kind = FindingKind::Missing;
  // The flagged file.
  File* file = nullptr;
  // The file whose directive includes it; null for the page.
  File* parent = nullptr;
};

// What a finding says, for the reports that print it.
struct FindingDetails {
  // The full path of the flagged file (a missing include has only its name).
  Text path;
  // Where it is reported: the file holding the directive that includes the flagged file, or the
  // flagged file itself for a page or for a directive without a file.
  Text file;
  // The directive's line and column in `file`; none when reported on a whole file.
  std::optional<LineColumn> at;
  // What is wrong, in one sentence.
  Text message;
};

// The findings of the page whose root is `page`, in tree order (depth first, each file before
// its includes).
std::vector<Finding> PageFindings(File& page);

// Whether `finding` is reported on its file as a whole rather than on a directive: a page, or a
// file that holds a directive naming no file.
bool OnWholeFile(const Finding& finding);

// The details of `finding`, one of the findings of `page`; directives are placed with `lines`.
FindingDetails Describe(const Finding& finding, File& page, LineIndexes& lines);

}  // namespace lintra
