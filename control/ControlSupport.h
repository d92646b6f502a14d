#pragma once

#include <memory>
#include <utility>

#include "analysis/File.h"
#include "errors/modPendryError.h"
#include "platform/Deref.h"
#include "platform/ErrorRecord.h"
#include "platform/TreeView.h"

namespace lintra {

// Small helpers shared by the control's source files.
namespace control {

using lintra::Deref;

// The File a tree-view node shows: null when it holds none, a type mismatch when it holds
// something else.
std::shared_ptr<File> FileOf(const Node& node);

// Makes a bulk change to a tree view while it is hidden. Hiding the view and showing it again
// are steps of `trap`, the trap of the procedure that makes the change. The view is shown again
// however the procedure is left, also when the user left at the hide or during the change.
template <class Change>
void WhileHidden(ErrorTrap& trap, TreeView& view, Change&& change) {
  if (trap.Step([&] { view.Visible(false); })) std::forward<Change>(change)();
  trap.Closing([&] { view.Visible(true); });
}

}  // namespace control

}  // namespace lintra
