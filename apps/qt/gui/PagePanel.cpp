#include "apps/qt/gui/PagePanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

namespace lintra {

namespace {

// The room an item takes around its text.
constexpr int ItemMargin = 12;

QString Name(const Text& page) {
  return QString::fromStdU16String(page);
}

}  // namespace

PagePanel::PagePanel(const std::vector<Text>& pages, QWidget* parent)
    : QWidget(parent), filter_(new QLineEdit), list_(new QListWidget) {
  for (const Text& page : pages) list_->addItem(Name(page));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  filter_->setPlaceholderText(tr("Filter"));
  filter_->setClearButtonEnabled(true);
  filter_->setToolTip(tr("Show only the pages whose name contains this text"));
  connect(filter_, &QLineEdit::textChanged, this, &PagePanel::ApplyFilter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(tr("Pages")));
  layout->addWidget(filter_);
  layout->addWidget(list_);
}

std::vector<Text> PagePanel::Pages() const {
  std::vector<Text> pages;
  for (int row = 0; row < list_->count(); ++row) {
    pages.push_back(list_->item(row)->text().toStdU16String());
  }
  return pages;
}

std::vector<Text> PagePanel::SelectedPages() const {
  std::vector<Text> pages;
  for (int row = 0; row < list_->count(); ++row) {
    const QListWidgetItem* item = list_->item(row);
    if (item->isSelected() && !item->isHidden()) pages.push_back(item->text().toStdU16String());
  }
  return pages;
}

void PagePanel::Mark(const std::vector<Text>& pages) {
  const std::unordered_set<Text> marked(pages.begin(), pages.end());
  for (int row = 0; row < list_->count(); ++row) {
    QListWidgetItem* item = list_->item(row);
    QFont font = item->font();
    font.setBold(marked.contains(item->text().toStdU16String()));
    item->setFont(font);
  }
}

int PagePanel::NameWidth() const {
  QFont bold = list_->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int widest = 0;
  for (int row = 0; row < list_->count(); ++row) {
    widest = std::max(widest, metrics.horizontalAdvance(list_->item(row)->text()));
  }
  return widest + ItemMargin + 2 * list_->frameWidth() +
         style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void PagePanel::ApplyFilter(const QString& filter) {
  for (int row = 0; row < list_->count(); ++row) {
    QListWidgetItem* item = list_->item(row);
    item->setHidden(!item->text().contains(filter, Qt::CaseInsensitive));
  }
}

}  // namespace lintra
