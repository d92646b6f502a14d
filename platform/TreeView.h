#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Object.h"
#include "platform/Text.h"

namespace lintra {

class TreeView;

// One node of a tree view: a label, a picture key, a reference to any object, and whether its
// children are shown. Nodes are owned by their tree view's collection; a host may keep a node
// alive by its shared_ptr after it is removed, but a removed node no longer answers questions
// about its place (Children, Index, Parent and Next raise error 91).
class Node : public Object {
 public:
  const std::u16string& Text() const { return text_; }
  void Text(std::u16string value);
  // The picture: a key of the tree view's image list.
  const std::u16string& Image() const { return image_; }
  void Image(std::u16string value);
  const std::shared_ptr<Object>& Tag() const { return tag_; }
  void Tag(std::shared_ptr<Object> value) { tag_ = std::move(value); }

  bool Expanded() const { return expanded_; }
  // Opens or closes the node; allowed on a node without children. Observers hear of changes.
  void Expanded(bool value);

  // Number of direct children; more than 32767 is an overflow error (6).
  int16_t Children() const;
  // Next sibling, parent: null when there is none.
  std::shared_ptr<Node> Next() const;
  std::shared_ptr<Node> Parent() const;
  // 1-based position in the collection, in the order of addition.
  int32_t Index() const;

  // Cheap navigation for loops over large trees (no reference counting); same rules as above.
  Node* FirstChild() const { return firstChild_; }
  Node* NextSibling() const { return next_; }
  Node* ParentNode() const { return parent_; }
  bool Removed() const { return view_ == nullptr; }

 private:
  friend class Nodes;
  friend class TreeView;
  void CheckPresent() const;
  std::shared_ptr<Node> Shared(Node* node) const;

  TreeView* view_ = nullptr;
  std::u16string text_;
  std::u16string image_;
  std::shared_ptr<Object> tag_;
  bool expanded_ = false;
  Node* parent_ = nullptr;
  Node* firstChild_ = nullptr;
  Node* lastChild_ = nullptr;
  Node* previous_ = nullptr;
  Node* next_ = nullptr;
  int32_t childCount_ = 0;
  int32_t index_ = 0;
};

// Where a new node goes relative to an existing one.
enum class Relationship { Last = 1, Next = 2, Previous = 3, Child = 4 };

// Every node of a tree view at every level, in the order of addition (1-based positions).
class Nodes {
 public:
  // Number of nodes; more than 32767 is an overflow error (6).
  int16_t Count() const;
  // Adds a node. Without a relative it becomes the last top-level node; with Relationship::Last
  // the last sibling of `relative`; with Relationship::Child the last child of `relative`. Keys
  // are not supported by this stand-in: a non-empty key is an invalid-argument error (5).
  std::shared_ptr<Node> Add(Node* relative, Relationship relationship, const std::u16string& key,
                            const std::u16string& text, const std::u16string& image);
  // The node at a position from 1 to the count; otherwise subscript out of range (9).
  std::shared_ptr<Node> Item(int32_t index) const;
  // Removes the node at a position with its whole subtree; later nodes are renumbered.
  void Remove(int32_t index);

  // Enumeration in position order.
  using Entries = std::vector<std::shared_ptr<Node>>;
  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }
  size_t size() const { return entries_.size(); }

 private:
  friend class TreeView;
  explicit Nodes(TreeView& view) : view_(view) {}
  void Link(Node& node, Node* parent);
  void Unlink(Node& node);

  TreeView& view_;
  Entries entries_;
};

// What a real view needs to mirror a tree view without polling. Every callback comes after the
// change, except NodeRemoving, which comes before the node and its subtree go.
class TreeViewObserver {
 public:
  virtual ~TreeViewObserver() = default;
  virtual void NodeAdded(Node& node) { (void)node; }
  virtual void NodeRemoving(Node& node) { (void)node; }
  virtual void NodeChanged(Node& node) { (void)node; }  // text or picture
  virtual void ExpandedChanged(Node& node) { (void)node; }
  virtual void SelectionChanged(Node* node) { (void)node; }
  virtual void VisibleChanged(bool visible) { (void)visible; }
  virtual void GeometryChanged() {}
};

// The headless tree view: the single source of truth for nodes, selection, visibility and
// geometry. Views observe it; the control and the user (through a view or a test) change it.
class TreeView {
 public:
  TreeView();
  TreeView(const TreeView&) = delete;
  TreeView& operator=(const TreeView&) = delete;

  Nodes& GetNodes() { return nodes_; }
  const Nodes& GetNodes() const { return nodes_; }

  // The selected node, or null.
  std::shared_ptr<Node> SelectedItem() const;
  void SelectedItem(Node* node);

  bool Visible() const { return visible_; }
  void Visible(bool value);
  // How often the view was hidden and shown since it was made (for tests and views).
  int32_t HideCount() const { return hideCount_; }
  int32_t ShowCount() const { return showCount_; }

  // Position and size inside the control, in twips.
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void Left(float value);
  void Top(float value);
  void Width(float value);
  void Height(float value);

  // The user double-clicks `node`: it becomes selected, then the double-click handler runs.
  void DoubleClick(Node* node);
  // Set by the owner of the view: runs on every double-click.
  std::function<void()> OnDblClick;

  // Observers are not owned; remove one before it goes away.
  void AddObserver(TreeViewObserver* observer);
  void RemoveObserver(TreeViewObserver* observer);

 private:
  friend class Node;
  friend class Nodes;
  template <class Call>
  void Notify(Call call) {
    for (TreeViewObserver* observer : observers_) call(*observer);
  }

  Nodes nodes_;
  Node* lastRoot_ = nullptr;
  Node* selected_ = nullptr;
  bool visible_ = true;
  int32_t hideCount_ = 0;
  int32_t showCount_ = 0;
  float left_ = 0, top_ = 360, width_ = 3015, height_ = 3255;
  std::vector<TreeViewObserver*> observers_;
};

}  // namespace lintra
