#pragma once

#include <QMainWindow>
#include <filesystem>
#include <optional>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "apps/qt/gui/WindowHost.h"
#include "platform/Text.h"
#include "site/SiteAnalysis.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace lintra {

class ChangeChoice;
class LintraWidget;
class PagePanel;
struct Dependants;

// The desktop app's window: the project's pages on the left, the include trees in the middle,
// on the right the last report and the file last opened from a tree, and a status line below.
// It opens at a size that shows the pages' names whole, as far as the screen allows.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Shows the project at `root` as its `settings` ask: the pages they leave out are not listed,
  // files that are not UTF-8 are decoded from their encoding, their virtual directories are
  // served from their folders. Throws std::filesystem::filesystem_error when the root or the
  // folder of a virtual directory does not exist, std::invalid_argument when one is not a folder
  // or no code page is named by the encoding. A page that asks for more than `maxRequests` files
  // is stopped.
  explicit MainWindow(const std::filesystem::path& root,
                      uint64_t maxRequests = WindowHost::DefaultMaxRequests,
                      const ProjectSettings& settings = {});
  ~MainWindow() override;

  // Analyses `page` (a web path relative to the root) and adds its tree when the tree view can
  // still hold all of it. A failed analysis, or a tree that does not fit, is told in one message
  // box and leaves the trees as they were.
  void AddPage(const Text& page);

  // Finds the pages of the project that include, at any depth, one of `changed` (web paths
  // relative to the root) or are one of them, without the tree view, so however many there are.
  // Tells how many there are in the status line and the report pane, marks them in the page
  // list, and shows in place of the trees shown as many of their trees as the tree view holds,
  // smaller ones where a larger one does not fit, with the changed files' nodes highlighted. Pages
  // that fail are told in one message box.
  void ShowDependants(const std::vector<Text>& changed);

  // Removes every tree and empties the report and file panes, the status line and the marks.
  void Clear();

  // The project root, fully resolved.
  const std::filesystem::path& Root() const { return files_.Root(); }
  LintraWidget& Trees() const { return *trees_; }
  PagePanel& Pages() const { return *pages_; }
  QListWidget& PageList() const;
  QPlainTextEdit& ReportPane() const { return *report_; }
  QPlainTextEdit& ViewerPane() const { return *viewer_; }
  QLabel& StatusLine() const { return *status_; }

 private:
  Text ProjectPath() const;
  // The nodes the tree view holds.
  size_t ShownNodes() const;
  // Shows the trees of the dependants, in order, that the tree view still holds beside those
  // shown before; adds the pages that fail to `found`. Returns how many are shown.
  size_t ShowTrees(Dependants& found);
  void HighlightChanged(const ChangeChoice& changed);
  void ClearTrees();
  void AddSelectedPages();
  void ChooseChangedFiles();
  void ShowReport(const Text& report);
  void ShowFile(const Text& path);
  void BuildLayout();

  DiskFiles files_;
  WindowHost host_;
  SiteAnalysis site_;
  LintraWidget* trees_;
  PagePanel* pages_;
  QPlainTextEdit* report_;
  QPlainTextEdit* viewer_;
  QLabel* viewerTitle_;
  QLabel* status_;
};

}  // namespace lintra
