#pragma once

#include <memory>

#include "analysis/File.h"
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

// Hides a tree view for the length of a bulk change and shows it again afterwards, also when
// the change was abandoned.
class HiddenTreeView {
 public:
  explicit HiddenTreeView(TreeView& view) : view_(view) { view_.Visible(false); }
  ~HiddenTreeView() { view_.Visible(true); }
  HiddenTreeView(const HiddenTreeView&) = delete;
  HiddenTreeView& operator=(const HiddenTreeView&) = delete;

 private:
  TreeView& view_;
};

}  // namespace control

}  // namespace lintra
