#pragma once

#include <QWidget>
#include <vector>

#include "platform/Text.h"

class QLineEdit;
class QListWidget;

namespace lintra {

// The project's pages on the left of the window: a filter box over the list of their names.
// Typing in the box leaves in the list only the pages whose name contains what was typed,
// without regard to letter case. Pages can be marked, in bold.
class PagePanel : public QWidget {
  Q_OBJECT

 public:
  // Lists `pages` in their order.
  explicit PagePanel(const std::vector<Text>& pages, QWidget* parent = nullptr);

  QListWidget& List() const { return *list_; }
  QLineEdit& Filter() const { return *filter_; }

  // Every page listed, filtered out or not, in list order.
  std::vector<Text> Pages() const;
  // The selected pages that the filter leaves in the list, in list order.
  std::vector<Text> SelectedPages() const;
  // Marks exactly `pages` among those listed; none when empty.
  void Mark(const std::vector<Text>& pages);

  // The width of the list that shows the longest name whole, marked or not.
  int NameWidth() const;

 private:
  void ApplyFilter(const QString& filter);

  QLineEdit* filter_;
  QListWidget* list_;
};

}  // namespace lintra
