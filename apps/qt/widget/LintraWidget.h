#pragma once

#include <QWidget>
#include <memory>

#include "control/Lintra.h"

namespace lintra {

class NodeTreeView;
class ToolbarMirror;

// Shows a Lintra control on a Qt window: its toolbar along the top and its tree view, placed as
// the control lays them out. The control keeps all the state; this widget mirrors it and hands
// the user's clicks, double-clicks and resizes back to it.
class LintraWidget : public QWidget {
  Q_OBJECT

 public:
  explicit LintraWidget(std::shared_ptr<Lintra> control = std::make_shared<Lintra>(),
                        QWidget* parent = nullptr);
  // Clears the control's trees: by releasing the control when this widget holds the last
  // reference to it, through ClearTree otherwise.
  ~LintraWidget() override;

  Lintra& Control() const { return *control_; }
  NodeTreeView& Tree() const { return *tree_; }
  ToolbarMirror& Bar() const { return *bar_; }

  // Hands the control the widget's current size, as a resize does; the way to apply a changed
  // ToolbarVisible without changing the size.
  void ApplySize();

  // The control's design size.
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::shared_ptr<Lintra> control_;
  NodeTreeView* tree_;
  ToolbarMirror* bar_;
};

}  // namespace lintra
