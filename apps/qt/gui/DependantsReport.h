#pragma once

#include <cstddef>

#include "apps/qt/gui/ChangeChoice.h"
#include "apps/qt/gui/DependantSearch.h"
#include "platform/Text.h"

namespace lintra {

// What the window tells of a search for the pages that depend on changed files, of which the
// tree view shows `shown` trees.

// One line for the status bar: how many pages depend on the files ("4000 pages depend on
// inc/x.inc"), then how many trees are shown when not all are, and how many pages could not be
// analysed when any could not.
Text DependantsSummary(const Dependants& found, size_t shown, const ChangeChoice& changed);

// The text of the report pane, lines ended by CR LF: the count, why not every tree is shown when
// not all are, each failure, and the dependent pages one per line.
Text DependantsReport(const Dependants& found, size_t shown, const ChangeChoice& changed);

// The text of the one message box that tells of `failures`, one message per page (not empty).
Text FailuresMessage(const std::vector<Text>& failures);

}  // namespace lintra
