#include "apps/qt/gui/MainWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "apps/qt/gui/PagePanel.h"
#include "apps/qt/gui/ProjectPages.h"
#include "apps/qt/widget/LintraWidget.h"
#include "platform/ErrorRecord.h"
#include "platform/MessageBox.h"
#include "site/MatchList.h"

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

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& root, uint64_t maxRequests,
                       const std::string& encoding)
    : files_(root),
      codePage_(encoding.empty() ? std::nullopt : std::make_optional<CodePage>(encoding)),
      host_(
          files_, maxRequests, codePage_ ? &*codePage_ : nullptr,
          [this](const Text& report) { ShowReport(report); },
          [this](const Text& path) { ShowFile(path); }),
      trees_(new LintraWidget),
      pages_(new PagePanel(ProjectPages::Find(files_.Root()))),
      report_(ReadOnlyPane()),
      viewer_(ReadOnlyPane()),
      viewerTitle_(new QLabel(tr("File"))) {
  setWindowTitle(tr("Lintra - %1").arg(QString::fromStdString(files_.Root().string())));
  trees_->Control().Events(&host_);
  trees_->Control().ToolbarVisible(true);
  trees_->ApplySize();
  connect(&PageList(), &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { AddPage(item->text().toStdU16String()); });
  BuildLayout();
}

MainWindow::~MainWindow() {
  trees_->Control().Events(nullptr);
}

QListWidget& MainWindow::PageList() const {
  return pages_->List();
}

void MainWindow::AddPage(const Text& page) {
  Analyse(page, [&](const Text& projectPath) { trees_->Control().ParseFile(projectPath, page); });
}

void MainWindow::ShowDependants(const std::vector<Text>& changed) {
  const TextArray matches = MatchList(changed);
  trees_->Control().ClearTree();
  for (const Text& page : pages_->Pages()) {
    Analyse(page, [&](const Text& projectPath) {
      trees_->Control().DisplayIfDependant(projectPath, page, matches);
    });
  }
}

template <class Run>
void MainWindow::Analyse(const Text& page, Run run) {
  host_.StartPage();
  try {
    run(text::FromUtf8(files_.Root().string()));
  } catch (const RuntimeError& error) {
    const ErrorRecord& record = error.Record();
    Text message = u"Couldn't analyse " + page + u"\r\nError " + text::FromNumber(record.Number) +
                   u" - " + record.Description;
    if (host_.LimitReached()) {
      message += u"\r\nThe page asked for more than " +
                 text::FromNumber(static_cast<int64_t>(host_.MaxRequests())) + u" files.";
    }
    MessageBox::Show(message, MessageBox::OKOnly + MessageBox::Exclamation, u"Lintra");
  }
}

void MainWindow::Clear() {
  trees_->Control().ClearTree();
  report_->clear();
  viewer_->clear();
  viewerTitle_->setText(tr("File"));
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
  ShowDependants(changed);
}

void MainWindow::ShowReport(const Text& report) {
  report_->setPlainText(Lines(report));
}

void MainWindow::ShowFile(const Text& path) {
  const std::optional<std::filesystem::path> file = files_.Resolve(path);
  const std::optional<Text> text =
      file ? files_.Decoded(*file, codePage_ ? &*codePage_ : nullptr) : std::nullopt;
  if (!text) {
    MessageBox::Show(u"Couldn't open the file " + path,
                     MessageBox::OKOnly + MessageBox::Exclamation, u"Lintra");
    return;
  }
  viewerTitle_->setText(QString::fromStdU16String(files_.WebPath(*file)));
  viewer_->setPlainText(Lines(*text));
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

  auto* right = new QSplitter(Qt::Vertical);
  right->addWidget(Captioned(new QLabel(tr("Report")), report_));
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
