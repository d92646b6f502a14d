#include <utility>

#include "analysis/TreeWalk.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

using control::Deref;
using control::HiddenTreeView;

// The node a command acts on: the selected node, or node 1, which then becomes selected, when
// nothing is selected. Null on an empty tree view. Recovers without a message; a failure while
// selecting node 1 goes to the caller. The nodes are counted, and the selection probed by its
// position, without the 16-bit limit of Count, so that past 32,767 nodes the selected node is
// still the one acted on.
std::shared_ptr<Node> Lintra::foSelectedNode(TreeView& view) {
  try {
    if (view.GetNodes().size() == 0) return nullptr;
    std::shared_ptr<Node> selected = view.SelectedItem();
    if (selected && selected->Index() != 0) return selected;
  } catch (const std::exception&) {
  }
  std::shared_ptr<Node> first = view.GetNodes().Item(1);
  view.SelectedItem(first.get());
  return first;
}

std::optional<std::shared_ptr<Node>> Lintra::CommandTarget(ErrorTrap& trap) {
  int16_t count = 0;
  if (!trap.Step([&] { count = tvLintra_.GetNodes().Count(); }) || count <= 0) return {};
  std::shared_ptr<Node> target;
  if (!trap.Step([&] { target = foSelectedNode(tvLintra_); })) return {};
  return target;
}

void Lintra::Expand() {
  ErrorTrap trap(u"Lintra", u"Expand");
  const std::optional<std::shared_ptr<Node>> found = CommandTarget(trap);
  if (!found) return;
  const std::shared_ptr<Node>& target = *found;
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
  const std::optional<std::shared_ptr<Node>> found = CommandTarget(trap);
  if (!found) return;
  const std::shared_ptr<Node>& target = *found;
  HiddenTreeView hidden(tvLintra_);
  trap.Step([&] {
    Node& node = Deref(target);
    if (!fbExpandChildNodes(node, false)) node.Expanded(false);
  });
}

void Lintra::ExpandAll() {
  SetSubtree(u"ExpandAll", true);
}

void Lintra::CollapseAll() {
  SetSubtree(u"CollapseAll", false);
}

// ExpandAll and CollapseAll: the target and every node below it take `state`.
void Lintra::SetSubtree(const char16_t* procedure, bool state) {
  ErrorTrap trap(u"Lintra", procedure);
  const std::optional<std::shared_ptr<Node>> found = CommandTarget(trap);
  if (!found) return;
  const std::shared_ptr<Node>& target = *found;
  HiddenTreeView hidden(tvLintra_);
  if (!trap.Step([&] { Deref(target).Expanded(state); })) return;
  trap.Step([&] {
    if (Deref(target).Children() > 0) ExpandAllNodes(*target, state);
  });
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

// The two walks below keep one frame per node whose children are being visited, each with the
// error trap that its own call would have. Visiting a child is a step of its parent's frame; when
// the child has a subtree to visit, that step resumes once the child's frame is done.

namespace {

// A walk over the children of one node: the next child, the count read when the walk began, and
// how many children are done.
struct ChildWalk {
  ErrorTrap trap;
  Node* child = nullptr;
  int16_t count = 0;
  int16_t done = 0;
  Node* below = nullptr;  // the child whose own children are being visited
  bool result = false;
};

// Starts the walk over `node`'s children; false when the user gave it up.
bool StartWalk(TreeWalk<ChildWalk>& walk, const char16_t* procedure, Node& node) {
  ChildWalk& frame = walk.Enter(ErrorTrap(u"Lintra", procedure));
  const bool started = frame.trap.Step([&] {
    frame.child = node.FirstChild();
    frame.count = node.Children();
  });
  if (!started) walk.Leave();
  return started;
}

}  // namespace

void Lintra::ExpandAllNodes(Node& node, bool state) {
  TreeWalk<ChildWalk> walk;
  StartWalk(walk, u"ExpandAllNodes", node);
  walk.Run([&](ChildWalk& top) {
    if (Node* each = std::exchange(top.below, nullptr)) {
      top.child = each->NextSibling();
      ++top.done;
      return true;
    }
    if (top.done >= top.count) return false;
    Node* descend = nullptr;
    const bool stepped = top.trap.Step([&] {
      Node& each = Deref(top.child);
      each.Expanded(state);
      if (each.Children() > 0) {
        descend = &each;
        return;
      }
      top.child = each.NextSibling();
    });
    if (!stepped) return false;
    if (descend) {
      top.below = descend;
      StartWalk(walk, u"ExpandAllNodes", *descend);
    } else {
      ++top.done;
    }
    return true;
  });
}

// Changes, below `node`, the deepest level of each branch whose nodes have children and differ
// from `state`; reached only through such nodes. True when it found a child to work on. A child
// is changed only after the walk below it has told whether anything deeper changed; when changing
// it fails and the user retries, the whole step runs again, the walk below included.
bool Lintra::fbExpandChildNodes(Node& node, bool state) {
  TreeWalk<ChildWalk> walk;
  bool answer = false;  // what the walk that ended last returned
  if (!StartWalk(walk, u"fbExpandChildNodes", node)) return false;
  walk.Run([&](ChildWalk& top) {
    if (Node* each = std::exchange(top.below, nullptr)) {
      const bool deeper = answer;
      bool ran = false;
      bool again = false;
      const bool stepped = top.trap.Step([&] {
        if (std::exchange(ran, true)) {
          again = true;
          return;
        }
        if (!deeper) each->Expanded(state);
        top.result = true;
        top.child = each->NextSibling();
      });
      if (!stepped) {
        answer = top.result;
        return false;
      }
      if (!again) {
        ++top.done;
        return true;
      }
    }
    if (top.done >= top.count) {
      answer = top.result;
      return false;
    }
    Node* descend = nullptr;
    const bool stepped = top.trap.Step([&] {
      descend = nullptr;
      Node& each = Deref(top.child);
      if (each.Children() > 0 && each.Expanded() != state) {
        descend = &each;
        return;
      }
      top.child = each.NextSibling();
    });
    if (!stepped) {
      answer = top.result;
      return false;
    }
    if (descend) {
      top.below = descend;
      if (!StartWalk(walk, u"fbExpandChildNodes", *descend)) answer = false;
    } else {
      ++top.done;
    }
    return true;
  });
  return answer;
}

}  // namespace lintra
