#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
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
class File;
class FindingsPane;
class LintraWidget;
class PagePanel;
struct Dependants;

// The desktop app's window: the project's pages on the left, the include trees in the middle,
// on the right the last report, the findings of the pages shown and the file last opened from a
// tree or a finding, and a status line below.
// It opens at a size that shows the pages' names whole, as far as the screen allows.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Shows the project at `root` as its `settings` ask: the pages they leave out are not listed,
  // files that are not UTF-8 are decoded from their encoding, their virtual directories are
  // served from their folders, their rules run as check runs them. Throws
  // std::filesystem::filesystem_error when the root or the folder of a virtual directory does not
  // exist, std::invalid_argument when one is not a folder or no code page is named by the encoding.
  // A page that asks for more than `maxRequests` files is stopped.
  explicit MainWindow(const std::filesystem::path& root,
                      uint64_t maxRequests = WindowHost::DefaultMaxRequests,
                      const ProjectSettings& settings = {});
  ~MainWindow() override;

  // Analyses `page` (a web path relative to the root) and adds its tree and its findings when the
  // tree view can still hold all of it. A failed analysis, or a tree that does not fit, is told in
  // one message box and leaves the trees as they were.
  void AddPage(const Text& page);

  // Finds the pages of the project that include, at any depth, one of `changed` (web paths
  // relative to the root) or are one of them, without the tree view, so however many there are.
  // Tells how many there are in the status line and the report pane, marks them in the page
  // list, and shows in place of the trees shown as many of their trees as the tree view holds,
  // smaller ones where a larger one does not fit, with the changed files' nodes highlighted, and
  // the findings of the pages shown. Pages that fail are told in one message box.
  void ShowDependants(const std::vector<Text>& changed);

  // Removes every tree and its findings, and empties the report and file panes, the status line
  // and the marks.
  void Clear();

  // The project root, fully resolved.
  const std::filesystem::path& Root() const { return files_.Root(); }
  LintraWidget& Trees() const { return *trees_; }
  PagePanel& Pages() const { return *pages_; }
  QListWidget& PageList() const;
  QPlainTextEdit& ReportPane() const { return *report_; }
  FindingsPane& Findings() const { return *findings_; }
  QPlainTextEdit& ViewerPane() const { return *viewer_; }
  QLabel& StatusLine() const { return *status_; }

 private:
  Text ProjectPath() const;
  // The nodes the tree view holds.
  size_t ShownNodes() const;
  // Shows the trees of the dependants, in order, that the tree view still holds beside those
  // shown before; adds the pages that fail to `found`. Returns how many are shown.
  size_t ShowTrees(Dependants& found);
  // Adds the tree of `page`, whose analysis is `tree`, to the tree view and its findings to the
  // findings pane; returns the message for the user when the control's analysis fails.
  std::optional<Text> ShowTree(const Text& page, std::shared_ptr<File> tree);
  void HighlightChanged(const ChangeChoice& changed);
  void ClearTrees();
  void AddSelectedPages();
  void ChooseChangedFiles();
  void ShowReport(const Text& report);
  // Shows the file `path` names in the file pane, at `line` when it is not 0.
  void ShowFile(const Text& path, int32_t line = 0);
  void BuildLayout();

  DiskFiles files_;
  WindowHost host_;
  SiteAnalysis site_;
  LintraWidget* trees_;
  PagePanel* pages_;
  QPlainTextEdit* report_;
  FindingsPane* findings_;
  QPlainTextEdit* viewer_;
  QLabel* viewerTitle_;
  QLabel* status_;
};

}  // namespace lintra
