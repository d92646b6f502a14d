#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ImageList.h"
#include "platform/TreeView.h"

namespace lintra {

// A Qt item model over the nodes of a headless tree view: one row per node, in the same places,
// labelled with the node's text and showing the picture of its image key. The nodes stay the only
// data; the model keeps just their arrangement in rows, which it updates as the tree view reports
// nodes added and removed, so that Qt hears of each change before and after it. Nodes can be
// highlighted, which the model alone keeps: in bold on a highlight colour.
class NodeModel : public QAbstractItemModel, private TreeViewObserver {
  Q_OBJECT

 public:
  // Mirrors `view`, whose node pictures are keys of `images`. Both must outlive the model.
  NodeModel(TreeView& view, const ImageList& images, QObject* parent = nullptr);
  ~NodeModel() override;

  // The index of a node of the tree view; invalid for null or an unknown node.
  QModelIndex IndexOf(const Node* node) const;
  // The node at an index; null for an invalid index.
  Node* NodeAt(const QModelIndex& index) const;

  // Which nodes to highlight, now and as they come; none when empty.
  using Highlight = std::function<bool(const Node&)>;
  void HighlightNodes(Highlight which);
  // Whether `node` is highlighted.
  bool Highlighted(const Node& node) const { return highlight_ && highlight_(node); }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  // One row: the node it shows and its place among its siblings.
  struct Row {
    Node* node = nullptr;
    Row* parent = nullptr;
    int position = 0;
    std::vector<Row*> children;
  };

  void NodeAdded(Node& node) override;
  void NodeRemoving(Node& node) override;
  void NodeChanged(Node& node) override;

  Row* RowOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const Row* row) const;
  Row& ParentRow(const Node& node);
  void Append(Node& node, Row& above);
  void Forget(Row& row);
  // Tells the views that every row may look different.
  void RowsRestyled();

  TreeView& view_;
  const ImageList& images_;
  std::vector<QIcon> pictures_;
  Row top_;
  std::unordered_map<const Node*, std::unique_ptr<Row>> rows_;
  Highlight highlight_;
};

}  // namespace lintra
