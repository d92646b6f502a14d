#pragma once

#include <QMainWindow>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "apps/host/CodePage.h"
#include "apps/host/DiskFiles.h"
#include "apps/qt/gui/WindowHost.h"
#include "platform/Text.h"

class LintraWidget;
class PagePanel;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// The desktop app's window: the project's pages on the left, the include trees in the middle,
// and on the right the last report and the file last opened from a tree. It opens at a size that
// shows the pages' names whole, as far as the screen allows.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Shows the project at `root`; throws std::filesystem::filesystem_error when it does not exist
  // and std::invalid_argument when it is not a folder or no code page is named `encoding`. A
  // page that asks for more than `maxRequests` files is stopped. Files that are not UTF-8 are
  // decoded from `encoding` when it is not empty.
  explicit MainWindow(const std::filesystem::path& root,
                      uint64_t maxRequests = WindowHost::DefaultMaxRequests,
                      const std::string& encoding = {});
  ~MainWindow() override;

  // Analyses `page` (a web path relative to the root) and adds its tree. A failed analysis is
  // told in a message box and leaves the trees as they were.
  void AddPage(const Text& page);

  // Shows the trees of exactly those pages of the project that include, at any depth, one of
  // `changed` (web paths relative to the root) or are one of them, in place of the trees shown.
  void ShowDependants(const std::vector<Text>& changed);

  // Removes every tree and empties the report and file panes.
  void Clear();

  LintraWidget& Trees() const { return *trees_; }
  PagePanel& Pages() const { return *pages_; }
  QListWidget& PageList() const;
  QPlainTextEdit& ReportPane() const { return *report_; }
  QPlainTextEdit& ViewerPane() const { return *viewer_; }

 private:
  // Runs one analysis of `page`, handed the project path, and tells the user when it fails.
  template <class Run>
  void Analyse(const Text& page, Run run);
  void AddSelectedPages();
  void ChooseChangedFiles();
  void ShowReport(const Text& report);
  void ShowFile(const Text& path);
  void BuildLayout();

  DiskFiles files_;
  std::optional<CodePage> codePage_;
  WindowHost host_;
  LintraWidget* trees_;
  PagePanel* pages_;
  QPlainTextEdit* report_;
  QPlainTextEdit* viewer_;
  QLabel* viewerTitle_;
};
