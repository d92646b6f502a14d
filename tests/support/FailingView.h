#pragma once

#include <utility>

#include "platform/ErrorRecord.h"
#include "platform/TreeView.h"

namespace lintra {

// Makes one call into a tree view fail once, as the mirror of a real view may: hiding the view,
// showing it, or opening or closing the node labelled Node. The change itself is made, as the
// platform makes it before it tells its observers; then the call raises an invalid-call error (5).
class FailingView : public TreeViewObserver {
 public:
  enum class Call { Hide, Show, SetNode };

  FailingView(TreeView& view, Call call, Text node = Text())
      : view_(view), call_(call), node_(std::move(node)) {
    view_.AddObserver(this);
  }
  ~FailingView() override { view_.RemoveObserver(this); }
  FailingView(const FailingView&) = delete;
  FailingView& operator=(const FailingView&) = delete;

  void ExpandedChanged(Node& node) override {
    if (call_ == Call::SetNode && node.Text() == node_) FailOnce();
  }
  void VisibleChanged(bool visible) override {
    if (call_ == (visible ? Call::Show : Call::Hide)) FailOnce();
  }

 private:
  void FailOnce() {
    if (failed_) return;
    failed_ = true;
    RaisePlatformError(ErrorNumber::InvalidCall);
  }

  TreeView& view_;
  Call call_;
  Text node_;
  bool failed_ = false;
};

}  // namespace lintra
