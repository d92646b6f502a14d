#include <utility>

#include "analysis/TreeWalk.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

using control::Deref;
using control::WhileHidden;

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
  WhileHidden(trap, tvLintra_, [&] {
    trap.Step([&] {
      Node& node = Deref(target);
      if (node.Expanded()) {
        fbExpandChildNodes(node, true);
      } else {
        node.Expanded(true);
      }
    });
  });
}

void Lintra::Collapse() {
  ErrorTrap trap(u"Lintra", u"Collapse");
  const std::optional<std::shared_ptr<Node>> found = CommandTarget(trap);
  if (!found) return;
  const std::shared_ptr<Node>& target = *found;
  WhileHidden(trap, tvLintra_, [&] {
    trap.Step([&] {
      Node& node = Deref(target);
      if (!fbExpandChildNodes(node, false)) node.Expanded(false);
    });
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
  WhileHidden(trap, tvLintra_, [&] {
    if (!trap.Step([&] { Deref(target).Expanded(state); })) return;
    trap.Step([&] {
      if (Deref(target).Children() > 0) ExpandAllNodes(*target, state);
    });
  });
}

// Opens every node. Each node's subtree is walked again for every ancestor; the walks follow
// sibling chains and change only nodes that are still closed, so each visit is cheap.
void Lintra::ExpandWholeTree() {
  ErrorTrap trap(u"Lintra", u"ExpandWholeTree");
  WhileHidden(trap, tvLintra_, [&] {
    for (const std::shared_ptr<Node>& node : tvLintra_.GetNodes()) {
      if (!trap.Step([&] { node->Expanded(true); })) return;
      const bool done = trap.Step([&] {
        if (node->Children() > 0) ExpandAllNodes(*node, true);
      });
      if (!done) return;
    }
  });
}

// The two walks below keep one frame per node whose children are being visited, each with the
// error trap that its own call would have. Each statement of the loop over the children is a step
// of the frame, so that after Ignore the walk goes on with the next statement; a call on a child
// with children enters the child's frame, and the parent's next step runs once that frame is done.

namespace {

// Which statement of the loop body a walk runs next, for the current child.
enum class Next { Child, Below, Sibling };

// A walk over the children of one node: the next child, the count read when the walk began, how
// many children are done, and the statement due for the current child.
struct ChildWalk {
  ErrorTrap trap;
  Node* child = nullptr;
  int16_t count = 0;
  int16_t done = 0;
  Next next = Next::Child;
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

// The last statement of the loop body: child = the child's next sibling. The child is then done.
bool MoveToSibling(ChildWalk& top) {
  top.next = Next::Child;
  ++top.done;
  return top.trap.Step([&] { top.child = Deref(top.child).NextSibling(); });
}

}  // namespace

void Lintra::ExpandAllNodes(Node& node, bool state) {
  TreeWalk<ChildWalk> walk;
  StartWalk(walk, u"ExpandAllNodes", node);
  walk.Run([&](ChildWalk& top) {
    if (top.next == Next::Sibling) return MoveToSibling(top);
    if (top.next == Next::Child) {
      if (top.done >= top.count) return false;
      top.next = Next::Below;
      return top.trap.Step([&] { Deref(top.child).Expanded(state); });
    }
    bool descend = false;
    top.next = Next::Sibling;
    if (!top.trap.Step([&] { descend = Deref(top.child).Children() > 0; })) return false;
    if (descend) StartWalk(walk, u"ExpandAllNodes", *top.child);
    return true;
  });
}

// Changes, below `node`, the deepest level of each branch whose nodes have children and differ
// from `state`; reached only through such nodes. True when it found a child to work on. A child
// is changed only after the walk below it has told whether anything deeper changed.
bool Lintra::fbExpandChildNodes(Node& node, bool state) {
  TreeWalk<ChildWalk> walk;
  bool answer = false;  // what the walk that ended last returned
  if (!StartWalk(walk, u"fbExpandChildNodes", node)) return false;
  walk.Run([&](ChildWalk& top) {
    bool going = true;
    switch (top.next) {
      case Next::Child: {
        bool descend = false;
        top.next = Next::Sibling;
        going = top.done < top.count && top.trap.Step([&] {
          Node& each = Deref(top.child);
          descend = each.Children() > 0 && each.Expanded() != state;
        });
        if (going && descend) {
          top.next = Next::Below;
          if (!StartWalk(walk, u"fbExpandChildNodes", *top.child)) answer = false;
        }
        break;
      }
      case Next::Below: {
        const bool deeper = answer;
        top.next = Next::Sibling;
        going = top.trap.Step([&] {
          if (!deeper) Deref(top.child).Expanded(state);
        });
        if (going) top.result = true;
        break;
      }
      case Next::Sibling:
        going = MoveToSibling(top);
        break;
    }
    if (!going) answer = top.result;
    return going;
  });
  return answer;
}

}  // namespace lintra
