#include "apps/qt/widget/NodeTreeView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "apps/qt/widget/Twips.h"

namespace lintra {

NodeTreeView::NodeTreeView(TreeView& view, const ImageList& images, QWidget* parent)
    : QTreeView(parent), view_(view), model_(view, images) {
  header()->hide();
  setUniformRowHeights(true);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  // The stand-in's double-click handler decides what a double-click opens.
  setExpandsOnDoubleClick(false);
  // When the current row goes, Qt selects a neighbour; the stand-in decides instead. Connected
  // before the model is set, this runs ahead of Qt's own handling.
  connect(&model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this] { removingRows_ = true; });
  setModel(&model_);

  connect(this, &QTreeView::expanded, this,
          [this](const QModelIndex& i) { UserExpanded(i, true); });
  connect(this, &QTreeView::collapsed, this,
          [this](const QModelIndex& i) { UserExpanded(i, false); });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UserSelected(); });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { view_.DoubleClick(model_.NodeAt(index)); });
  connect(&model_, &QAbstractItemModel::rowsRemoved, this, [this] {
    removingRows_ = false;
    ShowSelection();
  });

  for (const std::shared_ptr<Node>& node : view.GetNodes()) ShowExpanded(*node);
  ShowSelection();
  VisibleChanged(view.Visible());
  GeometryChanged();
  view.AddObserver(this);
}

NodeTreeView::~NodeTreeView() {
  view_.RemoveObserver(this);
  setModel(nullptr);
}

void NodeTreeView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
    if (!isExpanded(above)) return;
  }
  QTreeView::scrollTo(index, hint);
}

void NodeTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  if (!indexAt(event->position().toPoint()).isValid()) view_.DoubleClick(nullptr);
}

void NodeTreeView::ExpandedChanged(Node& node) {
  ShowExpanded(node);
}

void NodeTreeView::SelectionChanged(Node* node) {
  (void)node;
  ShowSelection();
}

// The stand-in hides its tree view around bulk changes. Painting stops meanwhile, and the rows
// are laid out once when it shows again instead of after every node that opens or closes.
void NodeTreeView::VisibleChanged(bool visible) {
  setUpdatesEnabled(visible);
  if (!visible) scheduleDelayedItemsLayout();
}

void NodeTreeView::GeometryChanged() {
  setGeometry(Twips::ToPixels(view_.Left()), Twips::ToPixels(view_.Top()),
              Twips::ToPixels(view_.Width()), std::max(0, Twips::ToPixels(view_.Height())));
}

void NodeTreeView::ShowExpanded(const Node& node) {
  const QModelIndex index = model_.IndexOf(&node);
  if (!index.isValid() || isExpanded(index) == node.Expanded()) return;
  following_ = true;
  setExpanded(index, node.Expanded());
  following_ = false;
}

void NodeTreeView::ShowSelection() {
  const QModelIndex index = model_.IndexOf(view_.SelectedItem().get());
  QItemSelectionModel& selection = *selectionModel();
  following_ = true;
  if (!index.isValid()) {
    selection.clearSelection();
  } else if (!selection.isSelected(index)) {
    selection.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  }
  following_ = false;
}

void NodeTreeView::UserExpanded(const QModelIndex& index, bool expanded) {
  if (following_) return;
  if (Node* node = model_.NodeAt(index)) node->Expanded(expanded);
}

void NodeTreeView::UserSelected() {
  if (following_ || removingRows_) return;
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  view_.SelectedItem(selected.isEmpty() ? nullptr : model_.NodeAt(selected.first()));
}

}  // namespace lintra
