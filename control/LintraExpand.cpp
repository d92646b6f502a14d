#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

using control::Deref;
using control::HiddenTreeView;

// The node a command acts on: the selected node, or node 1, which then becomes selected, when
// nothing is selected. Null on an empty tree view. Recovers without a message; a failure while
// selecting node 1 goes to the caller.
std::shared_ptr<Node> Lintra::foSelectedNode(TreeView& view) {
  try {
    if (view.GetNodes().Count() <= 0) return nullptr;
    std::shared_ptr<Node> selected = view.SelectedItem();
    if (selected && selected->Index() != 0) return selected;
  } catch (const std::exception&) {
  }
  std::shared_ptr<Node> first = view.GetNodes().Item(1);
  view.SelectedItem(first.get());
  return first;
}

void Lintra::Expand() {
  ErrorTrap trap(u"Lintra", u"Expand");
  int16_t count = 0;
  if (!trap.Step([&] { count = tvLintra_.GetNodes().Count(); }) || count <= 0) return;
  std::shared_ptr<Node> target;
  if (!trap.Step([&] { target = foSelectedNode(tvLintra_); })) return;
  HiddenTreeView hidden(tvLintra_);
  trap.Step([&] {
    Node& node = Deref(target);
    if (node.Expanded()) {
      fbExpandChildNodes(node, true);
    } else {
      node.Expanded(true);
    }
  });
}

void Lintra::Collapse() {
  ErrorTrap trap(u"Lintra", u"Collapse");
  int16_t count = 0;
  if (!trap.Step([&] { count = tvLintra_.GetNodes().Count(); }) || count <= 0) return;
  std::shared_ptr<Node> target;
  if (!trap.Step([&] { target = foSelectedNode(tvLintra_); })) return;
  HiddenTreeView hidden(tvLintra_);
  trap.Step([&] {
    Node& node = Deref(target);
    if (!fbExpandChildNodes(node, false)) node.Expanded(false);
  });
}

namespace {

// ExpandAll and CollapseAll differ only in the state they set.
template <class SelectFn, class AllNodesFn>
void SetSubtree(const char16_t* procedure, TreeView& view, bool state, SelectFn select,
                AllNodesFn allNodes) {
  ErrorTrap trap(u"Lintra", procedure);
  int16_t count = 0;
  if (!trap.Step([&] { count = view.GetNodes().Count(); }) || count <= 0) return;
  std::shared_ptr<Node> target;
  if (!trap.Step([&] { target = select(); })) return;
  HiddenTreeView hidden(view);
  if (!trap.Step([&] { Deref(target).Expanded(state); })) return;
  trap.Step([&] {
    if (Deref(target).Children() > 0) allNodes(*target);
  });
}

}  // namespace

void Lintra::ExpandAll() {
  SetSubtree(
      u"ExpandAll", tvLintra_, true, [&] { return foSelectedNode(tvLintra_); },
      [&](Node& node) { ExpandAllNodes(node, true); });
}

void Lintra::CollapseAll() {
  SetSubtree(
      u"CollapseAll", tvLintra_, false, [&] { return foSelectedNode(tvLintra_); },
      [&](Node& node) { ExpandAllNodes(node, false); });
}

// Opens every node. Each node's subtree is walked again for every ancestor; the walks follow
// sibling chains and change only nodes that are still closed, so each visit is cheap.
void Lintra::ExpandWholeTree() {
  ErrorTrap trap(u"Lintra", u"ExpandWholeTree");
  HiddenTreeView hidden(tvLintra_);
  for (const std::shared_ptr<Node>& node : tvLintra_.GetNodes()) {
    const bool done = trap.Step([&] {
      node->Expanded(true);
      if (node->Children() > 0) ExpandAllNodes(*node, true);
    });
    if (!done) return;
  }
}

void Lintra::ExpandAllNodes(Node& node, bool state) {
  ErrorTrap trap(u"Lintra", u"ExpandAllNodes");
  Node* child = nullptr;
  int16_t count = 0;
  if (!trap.Step([&] {
        child = node.FirstChild();
        count = node.Children();
      })) {
    return;
  }
  for (int16_t i = 0; i < count; ++i) {
    const bool done = trap.Step([&] {
      Node& each = Deref(child);
      each.Expanded(state);
      if (each.Children() > 0) ExpandAllNodes(each, state);
      child = each.NextSibling();
    });
    if (!done) return;
  }
}

// Changes, below `node`, the deepest level of each branch whose nodes have children and differ
// from `state`; reached only through such nodes. True when it found a child to work on.
bool Lintra::fbExpandChildNodes(Node& node, bool state) {
  ErrorTrap trap(u"Lintra", u"fbExpandChildNodes");
  bool result = false;
  Node* child = nullptr;
  int16_t count = 0;
  if (!trap.Step([&] {
        child = node.FirstChild();
        count = node.Children();
      })) {
    return result;
  }
  for (int16_t i = 0; i < count; ++i) {
    const bool done = trap.Step([&] {
      Node& each = Deref(child);
      if (each.Children() > 0 && each.Expanded() != state) {
        if (!fbExpandChildNodes(each, state)) each.Expanded(state);
        result = true;
      }
      child = each.NextSibling();
    });
    if (!done) return result;
  }
  return result;
}
