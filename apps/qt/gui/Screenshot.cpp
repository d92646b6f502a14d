#include "apps/qt/gui/Screenshot.h"

#include <QApplication>
#include <QPixmap>

#include "apps/qt/gui/MainWindow.h"
#include "apps/qt/widget/LintraWidget.h"

namespace lintra {

namespace {

constexpr int Width = 1180;
constexpr int Height = 700;

// The toolbar position of the button with `key`, or 0.
int ButtonPosition(const Toolbar& toolbar, TextView key) {
  for (const Button& button : toolbar.Buttons()) {
    if (button.Key == key) return button.Index;
  }
  return 0;
}

}  // namespace

bool SaveScreenshot(MainWindow& window, const QString& file) {
  window.resize(Width, Height);
  window.show();
  QApplication::processEvents();
  Lintra& control = window.Trees().Control();
  Nodes& nodes = control.tvLintra().GetNodes();
  if (nodes.size() > 0) control.tvLintra().DoubleClick(nodes.Item(1).get());
  control.tbrLintra().Click(ButtonPosition(control.tbrLintra(), u"ShowTree"));
  QApplication::processEvents();
  return window.grab().save(file, "PNG");
}

}  // namespace lintra
