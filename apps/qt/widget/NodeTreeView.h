#pragma once

#include <QTreeView>

#include "apps/qt/widget/NodeModel.h"
#include "platform/ImageList.h"
#include "platform/TreeView.h"

namespace lintra {

// The Qt face of the control's tree view. It shows the nodes through a NodeModel and follows the
// stand-in's open states, selection, painting and geometry. What the user does here (select, open,
// close, double-click) is handed to the stand-in, which decides; the view then shows what the
// stand-in reports. It never opens, closes or selects a node on its own.
class NodeTreeView : public QTreeView, private TreeViewObserver {
  Q_OBJECT

 public:
  // Shows `view`, whose node pictures are keys of `images`. Both must outlive this view.
  NodeTreeView(TreeView& view, const ImageList& images, QWidget* parent = nullptr);
  ~NodeTreeView() override;

  NodeModel& Model() { return model_; }

  // Scrolls only when every node above the index is open: showing the current node never opens
  // its parents behind the stand-in's back.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  // A double-click outside the items also reaches the stand-in, which then acts on its selection.
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ExpandedChanged(Node& node) override;
  void SelectionChanged(Node* node) override;
  void VisibleChanged(bool visible) override;
  void GeometryChanged() override;

  void ShowExpanded(const Node& node);
  void ShowSelection();
  void UserExpanded(const QModelIndex& index, bool expanded);
  void UserSelected();

  TreeView& view_;
  NodeModel model_;
  // True while the view takes over the stand-in's state: Qt's signals then echo the stand-in.
  bool following_ = false;
  // True while rows are being removed: Qt's own selection fix-ups are not the user's choice.
  bool removingRows_ = false;
};

}  // namespace lintra
