#include "apps/qt/widget/Pictures.h"

#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QSvgRenderer>
#include <array>

namespace lintra {

namespace {

// Each picture is a stack of SVG layers painted over each other.
QIcon Layered(const QStringList& layers) {
  QIcon icon;
  for (const int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (const QString& layer : layers) {
      QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(layer));
      renderer.render(&painter, QRectF(0, 0, size, size));
    }
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

namespace Pictures {

QIcon TreePicture(int position) {
  // A page shows its kind by its base and its state by the badge in the lower right corner; a
  // page that was read carries the gear of server code.
  static const std::array<QStringList, TreeCount> layers{{
      {"web-page", "gear"},
      {"text-page"},
      {"web-page", "warning"},
      {"text-page", "warning"},
      {"web-page", "critical"},
      {"text-page", "critical"},
  }};
  if (position < 1 || position > TreeCount) return QIcon();
  return Layered(layers[static_cast<size_t>(position - 1)]);
}

QIcon ToolbarPicture(int position) {
  static const std::array<QString, ToolbarCount> names{
      "collapse-all", "collapse", "expand", "expand-all", "complete-file", "text-tree", "warnings"};
  if (position < 1 || position > ToolbarCount) return QIcon();
  return Layered({names[static_cast<size_t>(position - 1)]});
}

}  // namespace Pictures

}  // namespace lintra
