#pragma once

#include "platform/TreeView.h"

namespace lintra {

// Writes down, a line each, what a tree view goes through while the log lives: a node added
// ("add NAME+" when open, "-" when closed, " unseen" while the view is hidden), about to be
// removed, opened or closed, the selection, and the view hidden and shown.
class ViewLog : public TreeViewObserver {
 public:
  explicit ViewLog(TreeView& view) : view_(view) { view_.AddObserver(this); }
  ~ViewLog() override { view_.RemoveObserver(this); }

  void NodeAdded(Node& node) override {
    Add(u"add " + node.Text() + (node.Expanded() ? u"+" : u"-") +
        (view_.Visible() ? u"" : u" unseen"));
  }
  void NodeRemoving(Node& node) override { Add(u"remove " + node.Text()); }
  void ExpandedChanged(Node& node) override {
    Add((node.Expanded() ? u"open " : u"close ") + node.Text());
  }
  void SelectionChanged(Node* node) override {
    Add(u"select " + (node ? node->Text() : Text(u"none")));
  }
  void VisibleChanged(bool visible) override { Add(visible ? u"show" : u"hide"); }

  Text Log;

 private:
  void Add(const Text& line) { Log += line + u"\n"; }
  TreeView& view_;
};

}  // namespace lintra
