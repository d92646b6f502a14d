#pragma once

#include <QToolBar>
#include <vector>

#include "platform/Toolbar.h"

class QAction;

namespace lintra {

// The Qt face of the control's toolbar: one picture button per button of the stand-in, in its
// order, with its tooltip, and a separator where it has one. A click is handed to the stand-in by
// position; whether the toolbar shows follows the stand-in.
class ToolbarMirror : public QToolBar, private ToolbarObserver {
  Q_OBJECT

 public:
  // Shows `toolbar`, which must outlive this widget.
  explicit ToolbarMirror(Toolbar& toolbar, QWidget* parent = nullptr);
  ~ToolbarMirror() override;

  // The action of the button at a 1-based position; null for a separator or outside the toolbar.
  QAction* ActionAt(int position) const;

 private:
  void VisibleChanged(bool visible) override;

  Toolbar& toolbar_;
  std::vector<QAction*> actions_;
};

}  // namespace lintra
