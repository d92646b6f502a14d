#include "apps/qt/gui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/File.h"
#include "apps/qt/gui/AnalysisAttempt.h"
#include "apps/qt/gui/ChangeChoice.h"
#include "apps/qt/gui/DependantSearch.h"
#include "apps/qt/gui/DependantsReport.h"
#include "apps/qt/gui/FindingsPane.h"
#include "apps/qt/gui/PagePanel.h"
#include "apps/qt/gui/ProjectPages.h"
#include "apps/qt/gui/ViewCapacity.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "platform/MessageBox.h"
#include "rules/ApplicationFile.h"

namespace lintra {

namespace {

// The width of the trees and of the panes on the right, and the height the window opens at.
constexpr int TreesWidth = 360;
constexpr int PanesWidth = 480;
constexpr int OpeningHeight = 700;

// Reports and files end their lines with CR LF; Qt breaks lines at LF.
QString Lines(const Text& text) {
  return QString::fromStdU16String(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* ReadOnlyPane() {
  auto* pane = new QPlainTextEdit;
  pane->setReadOnly(true);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return pane;
}

// A pane with a caption above it.
QWidget* Captioned(QLabel* caption, QWidget* pane) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addWidget(pane);
  return box;
}

void Tell(const Text& message) {
  MessageBox::Show(message, MessageBox::OKOnly + MessageBox::Exclamation, u"Lintra");
}

// The wait cursor, for as long as this lives.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The rules' settings as check takes them for the pages it is given: the project's, with what
// its global.asa, read by `host`, gives every page.
RuleSettings PageRuleSettings(WindowHost& host, RuleSettings settings) {
  Text application(ApplicationFilePath);
  if (const std::shared_ptr<const SourceText> text = host.Read(application)) {
    TakeApplicationFile(text->Value(), settings);
  }
  return settings;
}

// The pages of the project at `files` as check takes them; the entries of its pages setting that
// name no file are told in one message box.
std::vector<Text> PagesTold(const DiskFiles& files, const ProjectSettings& settings) {
  ConfiguredPageList found = ProjectPages::Find(files, settings);
  if (!found.missing.empty()) {
    std::string message;
    for (const std::string& entry : found.missing) {
      message += (message.empty() ? "" : "\r\n") + MissingPageMessage(entry);
    }
    Tell(text::FromUtf8(message));
  }
  return std::move(found.pages);
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& root, uint64_t maxRequests,
                       const ProjectSettings& settings)
    : files_(root),
      host_(
          files_, maxRequests, settings, [this](const Text& report) { ShowReport(report); },
          [this](const Text& path) { ShowFile(path); }),
      site_(host_.Files(), ProjectPath()),
      trees_(new LintraWidget),
      pages_(new PagePanel(PagesTold(files_, settings))),
      report_(ReadOnlyPane()),
      findings_(new FindingsPane(PageRuleSettings(host_, settings.rules))),
      viewer_(ReadOnlyPane()),
      viewerTitle_(new QLabel(tr("File"))),
      status_(new QLabel) {
  setWindowTitle(tr("Lintra - %1").arg(QString::fromStdString(files_.Root().string())));
  trees_->Control().Events(&host_);
  trees_->Control().ToolbarVisible(true);
  trees_->ApplySize();
  connect(&PageList(), &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { AddPage(item->text().toStdU16String()); });
  connect(findings_, &FindingsPane::PlaceChosen, this,
          [this](const Text& webPath, int32_t line) { ShowFile(webPath, line); });
  BuildLayout();
}

MainWindow::~MainWindow() {
  trees_->Control().Events(nullptr);
}

QListWidget& MainWindow::PageList() const {
  return pages_->List();
}

Text MainWindow::ProjectPath() const {
  return text::FromUtf8(files_.Root().string());
}

size_t MainWindow::ShownNodes() const {
  return trees_->Control().tvLintra().GetNodes().size();
}

void MainWindow::AddPage(const Text& page) {
  host_.ReadAfresh();
  std::shared_ptr<File> tree;
  std::optional<Text> failure = TryAnalysis(host_, page, [&] { tree = site_.Tree(page); });
  const size_t nodes = tree ? ViewCapacity::NodeCount(*tree) : 0;
  if (!failure && !ViewCapacity::Fits(ShownNodes(), nodes)) {
    failure = ViewCapacity::NoRoomMessage(page, nodes, ShownNodes());
  }
  if (!failure) failure = ShowTree(page, std::move(tree));
  if (failure) Tell(*failure);
}

void MainWindow::ShowDependants(const std::vector<Text>& changed) {
  const WaitCursor waiting;
  const ChangeChoice files(changed);
  ClearTrees();
  host_.ReadAfresh();
  Dependants found = FindDependants(site_, host_, pages_->Pages(), files.Files());
  const size_t shown = ShowTrees(found);
  HighlightChanged(files);
  std::vector<Text> marked;
  for (const DependantPage& page : found.pages) marked.push_back(page.page);
  pages_->Mark(marked);
  status_->setText(QString::fromStdU16String(DependantsSummary(found, shown, files)));
  ShowReport(DependantsReport(found, shown, files));
  if (!found.failures.empty()) Tell(FailuresMessage(found.failures));
}

size_t MainWindow::ShowTrees(Dependants& found) {
  size_t shown = 0;
  for (const DependantPage& page : found.pages) {
    if (!ViewCapacity::Fits(ShownNodes(), page.nodes)) continue;
    std::shared_ptr<File> tree;
    std::optional<Text> failure =
        TryAnalysis(host_, page.page, [&] { tree = site_.Tree(page.page); });
    if (!failure) failure = ShowTree(page.page, std::move(tree));
    if (failure) {
      found.failures.push_back(*failure);
    } else {
      ++shown;
    }
  }
  return shown;
}

std::optional<Text> MainWindow::ShowTree(const Text& page, std::shared_ptr<File> tree) {
  const std::optional<Text> failure =
      TryAnalysis(host_, page, [&] { trees_->Control().ParseFile(ProjectPath(), page); });
  if (!failure) findings_->Check(std::move(tree));
  return failure;
}

// Highlights the changed files' nodes and selects the first, so that the view shows it.
void MainWindow::HighlightChanged(const ChangeChoice& changed) {
  trees_->Tree().Model().HighlightNodes(
      [changed](const Node& node) { return changed.Shows(node); });
  TreeView& view = trees_->Control().tvLintra();
  const auto first = std::find_if(view.GetNodes().begin(), view.GetNodes().end(),
                                  [&](const auto& node) { return changed.Shows(*node); });
  if (first != view.GetNodes().end()) view.SelectedItem(first->get());
}

void MainWindow::Clear() {
  ClearTrees();
  report_->clear();
  viewer_->clear();
  viewerTitle_->setText(tr("File"));
  status_->clear();
  pages_->Mark({});
}

void MainWindow::ClearTrees() {
  trees_->Tree().Model().HighlightNodes({});
  trees_->Control().ClearTree();
  findings_->Clear();
}

void MainWindow::AddSelectedPages() {
  for (const Text& page : pages_->SelectedPages()) AddPage(page);
}

void MainWindow::ChooseChangedFiles() {
  const QStringList chosen = QFileDialog::getOpenFileNames(
      this, tr("Changed files"), QString::fromStdString(files_.Root().string()));
  if (chosen.isEmpty()) return;
  std::vector<Text> changed;
  for (const QString& file : chosen) {
    if (auto webPath = ProjectPages::WebPathOf(files_.Root(), file.toStdString())) {
      changed.push_back(std::move(*webPath));
    }
  }
  if (changed.empty()) {
    Tell(u"The files chosen lie outside the site's folder " + ProjectPath() + u".");
    return;
  }
  ShowDependants(changed);
}

void MainWindow::ShowReport(const Text& report) {
  report_->setPlainText(Lines(report));
}

void MainWindow::ShowFile(const Text& path, int32_t line) {
  Text webPath = path;
  const std::shared_ptr<const SourceText> text = host_.Read(webPath);
  if (!text) {
    Tell(u"Couldn't open the file " + path);
    return;
  }
  viewerTitle_->setText(QString::fromStdU16String(webPath));
  viewer_->setPlainText(Lines(text->Value()));
  if (line == 0) return;
  viewer_->setTextCursor(QTextCursor(viewer_->document()->findBlockByNumber(line - 1)));
  viewer_->centerCursor();
}

void MainWindow::BuildLayout() {
  QToolBar* actions = addToolBar(tr("Pages"));
  actions->setMovable(false);
  QAction* add = actions->addAction(tr("Add"), this, &MainWindow::AddSelectedPages);
  add->setToolTip(tr("Analyse the selected pages and add their trees"));
  QAction* clear = actions->addAction(tr("Clear"), this, &MainWindow::Clear);
  clear->setToolTip(tr("Remove every tree and empty the report and file panes"));
  QAction* changed =
      actions->addAction(tr("Changed files…"), this, &MainWindow::ChooseChangedFiles);
  changed->setToolTip(tr("Show the pages that depend on files you choose"));
  statusBar()->addWidget(status_, 1);

  auto* right = new QSplitter(Qt::Vertical);
  right->addWidget(Captioned(new QLabel(tr("Report")), report_));
  right->addWidget(Captioned(new QLabel(tr("Findings")), findings_));
  right->addWidget(Captioned(viewerTitle_, viewer_));

  auto* main = new QSplitter(Qt::Horizontal);
  main->addWidget(pages_);
  main->addWidget(trees_);
  main->addWidget(right);
  main->setStretchFactor(0, 0);
  main->setStretchFactor(1, 2);
  main->setStretchFactor(2, 3);
  setCentralWidget(main);

  // The page list as wide as the longest name, within half the screen.
  const QRect screen = this->screen()->availableGeometry();
  const int names = std::min(pages_->NameWidth(), screen.width() / 2);
  main->setSizes({names, TreesWidth, PanesWidth});
  resize(std::min(names + TreesWidth + PanesWidth + 2 * main->handleWidth(), screen.width()),
         std::min(OpeningHeight, screen.height()));
}

}  // namespace lintra
