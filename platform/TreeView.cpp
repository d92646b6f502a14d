#include "platform/TreeView.h"

#include <algorithm>
#include <limits>

#include "platform/ErrorRecord.h"

namespace lintra {

namespace {

int16_t Count16(size_t count) {
  if (count > static_cast<size_t>(std::numeric_limits<int16_t>::max())) {
    RaisePlatformError(ErrorNumber::Overflow);
  }
  return static_cast<int16_t>(count);
}

}  // namespace

void Node::CheckPresent() const {
  if (Removed()) RaisePlatformError(ErrorNumber::ObjectNotSet);
}

std::shared_ptr<Node> Node::Shared(Node* node) const {
  if (!node) return nullptr;
  return std::static_pointer_cast<Node>(node->shared_from_this());
}

void Node::Text(std::u16string value) {
  text_ = std::move(value);
  if (view_) view_->Notify([&](TreeViewObserver& o) { o.NodeChanged(*this); });
}

void Node::Image(std::u16string value) {
  image_ = std::move(value);
  if (view_) view_->Notify([&](TreeViewObserver& o) { o.NodeChanged(*this); });
}

void Node::Expanded(bool value) {
  if (expanded_ == value) return;
  expanded_ = value;
  if (view_) view_->Notify([&](TreeViewObserver& o) { o.ExpandedChanged(*this); });
}

int16_t Node::Children() const {
  CheckPresent();
  return Count16(static_cast<size_t>(childCount_));
}

std::shared_ptr<Node> Node::Next() const {
  CheckPresent();
  return Shared(next_);
}

std::shared_ptr<Node> Node::Parent() const {
  CheckPresent();
  return Shared(parent_);
}

int32_t Node::Index() const {
  CheckPresent();
  return index_;
}

int16_t Nodes::Count() const {
  return Count16(entries_.size());
}

std::shared_ptr<Node> Nodes::Add(Node* relative, Relationship relationship,
                                 const std::u16string& key, const std::u16string& text,
                                 const std::u16string& image) {
  if (!key.empty()) RaisePlatformError(ErrorNumber::InvalidCall);
  if (relative && relative->view_ != &view_) RaisePlatformError(ErrorNumber::InvalidCall);
  Node* parent = nullptr;
  if (relative) {
    if (relationship == Relationship::Child) {
      parent = relative;
    } else if (relationship == Relationship::Last) {
      parent = relative->parent_;
    } else {
      RaisePlatformError(ErrorNumber::InvalidCall);
    }
  }
  auto node = std::shared_ptr<Node>(new Node());
  node->text_ = text;
  node->image_ = image;
  entries_.push_back(node);
  node->index_ = static_cast<int32_t>(entries_.size());
  Link(*node, parent);
  view_.Notify([&](TreeViewObserver& o) { o.NodeAdded(*node); });
  return node;
}

// Appends `node` as the last child of `parent`, or as the last top-level node.
void Nodes::Link(Node& node, Node* parent) {
  node.view_ = &view_;
  node.parent_ = parent;
  Node* last = nullptr;
  if (parent) {
    last = parent->lastChild_;
    parent->lastChild_ = &node;
    if (!parent->firstChild_) parent->firstChild_ = &node;
    ++parent->childCount_;
  } else {
    last = view_.lastRoot_;
    view_.lastRoot_ = &node;
  }
  node.previous_ = last;
  if (last) last->next_ = &node;
}

std::shared_ptr<Node> Nodes::Item(int32_t index) const {
  if (index < 1 || static_cast<size_t>(index) > entries_.size()) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  return entries_[static_cast<size_t>(index - 1)];
}

// Takes `node` out of its sibling chain.
void Nodes::Unlink(Node& node) {
  if (node.previous_) node.previous_->next_ = node.next_;
  if (node.next_) node.next_->previous_ = node.previous_;
  if (Node* parent = node.parent_) {
    if (parent->firstChild_ == &node) parent->firstChild_ = node.next_;
    if (parent->lastChild_ == &node) parent->lastChild_ = node.previous_;
    --parent->childCount_;
  } else if (view_.lastRoot_ == &node) {
    view_.lastRoot_ = node.previous_;
  }
  node.previous_ = node.next_ = nullptr;
}

void Nodes::Remove(int32_t index) {
  const std::shared_ptr<Node> top = Item(index);
  view_.Notify([&](TreeViewObserver& o) { o.NodeRemoving(*top); });
  Unlink(*top);
  bool selectionLost = false;
  std::vector<Node*> pending{top.get()};
  while (!pending.empty()) {
    Node* node = pending.back();
    pending.pop_back();
    for (Node* child = node->firstChild_; child; child = child->next_) pending.push_back(child);
    if (view_.selected_ == node) {
      view_.selected_ = nullptr;
      selectionLost = true;
    }
    // A holder may keep the node alive after its neighbours are gone: it keeps no links.
    node->view_ = nullptr;
    node->parent_ = node->firstChild_ = node->lastChild_ = node->previous_ = node->next_ = nullptr;
    node->childCount_ = 0;
  }
  std::erase_if(entries_, [](const std::shared_ptr<Node>& node) { return node->Removed(); });
  for (size_t i = 0; i < entries_.size(); ++i) entries_[i]->index_ = static_cast<int32_t>(i + 1);
  if (selectionLost) view_.Notify([](TreeViewObserver& o) { o.SelectionChanged(nullptr); });
}

TreeView::TreeView() : nodes_(*this) {}

std::shared_ptr<Node> TreeView::SelectedItem() const {
  if (!selected_) return nullptr;
  return std::static_pointer_cast<Node>(selected_->shared_from_this());
}

void TreeView::SelectedItem(Node* node) {
  if (node && node->view_ != this) RaisePlatformError(ErrorNumber::InvalidCall);
  if (selected_ == node) return;
  selected_ = node;
  Notify([&](TreeViewObserver& o) { o.SelectionChanged(node); });
}

void TreeView::Visible(bool value) {
  if (value) {
    ++showCount_;
  } else {
    ++hideCount_;
  }
  if (visible_ == value) return;
  visible_ = value;
  Notify([&](TreeViewObserver& o) { o.VisibleChanged(value); });
}

void TreeView::Left(float value) {
  left_ = value;
  Notify([](TreeViewObserver& o) { o.GeometryChanged(); });
}

void TreeView::Top(float value) {
  top_ = value;
  Notify([](TreeViewObserver& o) { o.GeometryChanged(); });
}

void TreeView::Width(float value) {
  width_ = value;
  Notify([](TreeViewObserver& o) { o.GeometryChanged(); });
}

void TreeView::Height(float value) {
  height_ = value;
  Notify([](TreeViewObserver& o) { o.GeometryChanged(); });
}

void TreeView::DoubleClick(Node* node) {
  if (node) SelectedItem(node);
  if (OnDblClick) OnDblClick();
}

void TreeView::AddObserver(TreeViewObserver* observer) {
  observers_.push_back(observer);
}

void TreeView::RemoveObserver(TreeViewObserver* observer) {
  std::erase(observers_, observer);
}

}  // namespace lintra
