#include "apps/qt/widget/NodeModel.h"

#include <QColor>
#include <QFont>
#include <QString>

#include "apps/qt/widget/Pictures.h"

namespace lintra {

namespace {

// The font and colours of a highlighted row.
QVariant HighlightStyle(int role) {
  if (role == Qt::BackgroundRole) return QColor(255, 236, 139);
  if (role == Qt::ForegroundRole) return QColor(Qt::black);
  QFont bold;
  bold.setBold(true);
  return bold;
}

}  // namespace

NodeModel::NodeModel(TreeView& view, const ImageList& images, QObject* parent)
    : QAbstractItemModel(parent), view_(view), images_(images) {
  for (int position = 1; position <= images.Count(); ++position) {
    pictures_.push_back(Pictures::TreePicture(position));
  }
  // The collection lists parents before their children and siblings in order, so appending in
  // collection order rebuilds every row in its place.
  for (const std::shared_ptr<Node>& node : view.GetNodes()) Append(*node, ParentRow(*node));
  view.AddObserver(this);
}

NodeModel::~NodeModel() {
  view_.RemoveObserver(this);
}

QModelIndex NodeModel::IndexOf(const Node* node) const {
  const auto found = rows_.find(node);
  return found == rows_.end() ? QModelIndex() : IndexOf(found->second.get());
}

Node* NodeModel::NodeAt(const QModelIndex& index) const {
  const Row* row = RowOf(index);
  return row == &top_ ? nullptr : row->node;
}

void NodeModel::HighlightNodes(Highlight which) {
  highlight_ = std::move(which);
  RowsRestyled();
}

QModelIndex NodeModel::index(int row, int column, const QModelIndex& parent) const {
  const Row* above = RowOf(parent);
  if (column != 0 || row < 0 || static_cast<size_t>(row) >= above->children.size()) return {};
  return createIndex(row, 0, above->children[static_cast<size_t>(row)]);
}

QModelIndex NodeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOf(RowOf(child)->parent);
}

int NodeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(RowOf(parent)->children.size());
}

int NodeModel::columnCount(const QModelIndex& parent) const {
  (void)parent;
  return 1;
}

QVariant NodeModel::data(const QModelIndex& index, int role) const {
  const Node* node = NodeAt(index);
  if (!node) return {};
  if (role == Qt::DisplayRole) return QString::fromStdU16String(node->Text());
  const bool styling =
      role == Qt::FontRole || role == Qt::BackgroundRole || role == Qt::ForegroundRole;
  if (styling && Highlighted(*node)) return HighlightStyle(role);
  if (role == Qt::DecorationRole) {
    const int position = images_.IndexOf(node->Image());
    if (position > 0 && static_cast<size_t>(position) <= pictures_.size()) {
      return pictures_[static_cast<size_t>(position - 1)];
    }
  }
  return {};
}

// The tree view appends every new node after its siblings.
void NodeModel::NodeAdded(Node& node) {
  Row& above = ParentRow(node);
  const int position = static_cast<int>(above.children.size());
  beginInsertRows(IndexOf(&above), position, position);
  Append(node, above);
  endInsertRows();
}

void NodeModel::NodeRemoving(Node& node) {
  const auto found = rows_.find(&node);
  if (found == rows_.end()) return;
  Row& row = *found->second;
  Row& above = *row.parent;
  beginRemoveRows(IndexOf(&above), row.position, row.position);
  above.children.erase(above.children.begin() + row.position);
  for (size_t i = static_cast<size_t>(row.position); i < above.children.size(); ++i) {
    above.children[i]->position = static_cast<int>(i);
  }
  Forget(row);
  endRemoveRows();
}

void NodeModel::NodeChanged(Node& node) {
  const QModelIndex index = IndexOf(&node);
  if (index.isValid()) emit dataChanged(index, index, {Qt::DisplayRole, Qt::DecorationRole});
}

NodeModel::Row* NodeModel::RowOf(const QModelIndex& index) const {
  if (!index.isValid()) return const_cast<Row*>(&top_);
  return static_cast<Row*>(index.internalPointer());
}

QModelIndex NodeModel::IndexOf(const Row* row) const {
  if (row == &top_) return {};
  return createIndex(row->position, 0, const_cast<Row*>(row));
}

NodeModel::Row& NodeModel::ParentRow(const Node& node) {
  const auto parent = rows_.find(node.ParentNode());
  return parent == rows_.end() ? top_ : *parent->second;
}

void NodeModel::Append(Node& node, Row& above) {
  auto row = std::make_unique<Row>();
  row->node = &node;
  row->parent = &above;
  row->position = static_cast<int>(above.children.size());
  above.children.push_back(row.get());
  rows_.emplace(&node, std::move(row));
}

// Drops the rows of a subtree that has left the tree view.
void NodeModel::Forget(Row& row) {
  std::vector<Row*> pending{&row};
  while (!pending.empty()) {
    Row* each = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), each->children.begin(), each->children.end());
    rows_.erase(each->node);
  }
}

void NodeModel::RowsRestyled() {
  std::vector<const Row*> pending{&top_};
  while (!pending.empty()) {
    const Row* row = pending.back();
    pending.pop_back();
    if (row->children.empty()) continue;
    emit dataChanged(IndexOf(row->children.front()), IndexOf(row->children.back()),
                     {Qt::FontRole, Qt::BackgroundRole, Qt::ForegroundRole});
    pending.insert(pending.end(), row->children.begin(), row->children.end());
  }
}

}  // namespace lintra
