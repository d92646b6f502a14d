#include "apps/qt/widget/LintraWidget.h"

#include <QResizeEvent>

#include "apps/qt/widget/NodeTreeView.h"
#include "apps/qt/widget/ToolbarMirror.h"
#include "apps/qt/widget/Twips.h"

namespace lintra {

LintraWidget::LintraWidget(std::shared_ptr<Lintra> control, QWidget* parent)
    : QWidget(parent),
      control_(std::move(control)),
      tree_(new NodeTreeView(control_->tvLintra(), control_->imglTree(), this)),
      bar_(new ToolbarMirror(control_->tbrLintra(), this)) {}

LintraWidget::~LintraWidget() {
  delete tree_;
  delete bar_;
  if (control_.use_count() == 1) {
    control_.reset();
  } else {
    control_->ClearTree();
  }
}

void LintraWidget::ApplySize() {
  // The toolbar keeps itself along the top edge; the control places the tree view.
  bar_->setGeometry(0, 0, width(), Twips::ToPixels(control_->tbrLintra().Height()));
  control_->Container().Resize(Twips::FromPixels(width()), Twips::FromPixels(height()));
}

QSize LintraWidget::sizeHint() const {
  return QSize(Twips::ToPixels(UserControl::DesignWidth),
               Twips::ToPixels(UserControl::DesignHeight));
}

void LintraWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplySize();
}

}  // namespace lintra
