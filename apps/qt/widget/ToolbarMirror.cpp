#include "apps/qt/widget/ToolbarMirror.h"

#include <QAction>
#include <QLayout>
#include <QString>

#include "apps/qt/widget/Pictures.h"

namespace lintra {

namespace {

// Buttons of 23 x 22 pixels around 16 x 16 pictures.
constexpr int ButtonWidth = 23;
constexpr int ButtonHeight = 22;

}  // namespace

ToolbarMirror::ToolbarMirror(Toolbar& toolbar, QWidget* parent)
    : QToolBar(parent), toolbar_(toolbar) {
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 16));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setContentsMargins(0, 0, 0, 0);
  layout()->setContentsMargins(0, 0, 0, 0);
  layout()->setSpacing(0);
  for (const Button& button : toolbar.Buttons()) {
    if (button.Style == Button::Kind::Separator) {
      addSeparator();
      actions_.push_back(nullptr);
      continue;
    }
    QAction* action = addAction(Pictures::ToolbarPicture(button.Image), QString());
    action->setToolTip(QString::fromStdU16String(button.ToolTipText));
    const int position = button.Index;
    connect(action, &QAction::triggered, this, [this, position] { toolbar_.Click(position); });
    widgetForAction(action)->setFixedSize(ButtonWidth, ButtonHeight);
    actions_.push_back(action);
  }
  setVisible(toolbar.Visible());
  toolbar.AddObserver(this);
}

ToolbarMirror::~ToolbarMirror() {
  toolbar_.RemoveObserver(this);
}

QAction* ToolbarMirror::ActionAt(int position) const {
  if (position < 1 || static_cast<size_t>(position) > actions_.size()) return nullptr;
  return actions_[static_cast<size_t>(position - 1)];
}

void ToolbarMirror::VisibleChanged(bool visible) {
  setVisible(visible);
}

}  // namespace lintra
