#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "apps/qt/gui/OpenSite.h"
#include "apps/qt/gui/PagePanel.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "support/ScriptedMessageBox.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace {

// The prompts of the boxes shown, with their styles.
QStringList Prompts(const ScriptedMessageBox& boxes) {
  QStringList prompts;
  for (const ScriptedMessageBox::Shown& box : boxes.Boxes()) {
    prompts << QString::fromStdU16String(box.Title + u"|" + box.Prompt) +
                   QString::number(box.Style);
  }
  return prompts;
}

// The boxes shown while the window is opened on `root` with `encoding`, then "opened" if it was.
QStringList OpeningBoxes(const QString& root, const QString& encoding) {
  GuiOptions options;
  options.root = root;
  options.encoding = encoding;
  ScriptedMessageBox boxes;
  const bool opened = OpenSite(options) != nullptr;
  QStringList prompts;
  for (const ScriptedMessageBox::Shown& box : boxes.Boxes()) {
    prompts << QString::fromStdU16String(box.Title + u"|" + box.Prompt) +
                   QString::number(box.Style);
  }
  if (opened) prompts << "opened";
  return prompts;
}

struct Run {
  int exitCode;
  QString out;
  QString err;
};

Run RunGui(const QStringList& arguments) {
  QProcess gui;
  gui.start(LINTRA_GUI_BINARY, arguments);
  if (!gui.waitForFinished(10000)) gui.kill();
  return {gui.exitStatus() == QProcess::NormalExit ? gui.exitCode() : -1,
          gui.readAllStandardOutput(), gui.readAllStandardError()};
}

}  // namespace

class OpenSiteTest : public QObject {
  Q_OBJECT

 private slots:
  void ABadRootOrEncodingIsToldInOneBox() {
    TempFolder site;
    const QString root = QString::fromStdString(site.Path().string());
    site.Write("page.asp", "");
    QCOMPARE(OpeningBoxes(root + "/missing", ""),
             QStringList{"Lintra|The site's folder " + root + "/missing does not exist.48"});
    QCOMPARE(OpeningBoxes(root + "/page.asp", ""),
             QStringList{"Lintra|" + root +
                         "/page.asp is not a folder; --root names the site's folder.48"});
    QCOMPARE(OpeningBoxes(root, "no-such-code-page"),
             QStringList{"Lintra|Unknown encoding no-such-code-page (iconv --list shows the "
                         "names known).48"});
    QCOMPARE(OpeningBoxes(root, "windows-1252"), QStringList{"opened"});
  }

  // Opened without a root from a repository's folder, the app takes the site as check does from
  // the lintra.toml there: its root, the pages it leaves out, its encoding and its virtual
  // directory, served from a folder outside the root.
  void TheLintraTomlAboveSetsUpTheSiteAsForCheck() {
    TempFolder repository;
    repository.Write("lintra.toml",
                     "root = \"core\"\nexclude = [\"old/**\"]\nencoding = \"windows-1252\"\n"
                     "[virtual-directories]\n\"/lib\" = \"shared\"\n");
    repository.Write("core/default.asp", "<!-- #include virtual=\"/lib/menu.inc\" -->\r\n");
    repository.Write("core/old/gone.asp", "<!-- #include file=\"none.inc\" -->\r\n");
    repository.Write("shared/menu.inc", "caf\xE9");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(repository.Path());
    ScriptedMessageBox boxes;
    const std::unique_ptr<MainWindow> window = OpenSite(GuiOptions());
    std::filesystem::current_path(before);
    QVERIFY(window);
    QCOMPARE(Prompts(boxes), QStringList());
    QCOMPARE(window->Root(), std::filesystem::canonical(repository.Path() / "core"));
    QCOMPARE(window->Pages().Pages(), std::vector<Text>{u"default.asp"});

    window->ShowDependants({u"lib/menu.inc"});
    QCOMPARE(window->StatusLine().text(), QStringLiteral("1 page depends on lib/menu.inc"));
    Lintra& control = window->Trees().Control();
    control.tvLintra().DoubleClick(control.tvLintra().GetNodes().Item(2).get());
    QCOMPARE(window->ViewerPane().toPlainText(), QString::fromUtf8("caf\xC3\xA9"));
  }

  // A lintra.toml that cannot be used is told where check tells it, and the site is shown with
  // the default settings.
  void AnUnusableLintraTomlIsToldAndTheDefaultsTaken() {
    TempFolder site;
    site.Write("lintra.toml", "exclude = [\"old/**\"]\ncolour = 1\n");
    site.Write("old/a.asp", "");
    const QString root = QString::fromStdString(site.Path().string());
    GuiOptions options;
    options.root = root;
    ScriptedMessageBox boxes;
    const std::unique_ptr<MainWindow> window = OpenSite(options);
    QVERIFY(window);
    const QString file =
        QString::fromStdString((std::filesystem::canonical(site.Path()) / "lintra.toml").string());
    QCOMPARE(Prompts(boxes),
             QStringList{"Lintra|" + file +
                         ":2:10: unknown setting colour (the settings are root, pages, exclude, "
                         "encoding, parent-paths, include-extensions, non-script-extensions, "
                         "served-extensions, serve-any-extension, virtual-directories, rules)\n"
                         "The site is shown with the default settings.48"});
    QCOMPARE(window->Pages().Pages(), std::vector<Text>{u"old/a.asp"});
  }

  void TheAppPrintsItsHelpOrEndsWithTheBoxOnABadRootWithoutAWindow() {
    for (const char* option : {"--help", "--help-all"}) {
      const Run run = RunGui({option});
      QCOMPARE(run.exitCode, 0);
      QVERIFY(run.out.startsWith("Usage: lintra-gui [options] [PAGE...]\n"));
      QVERIFY(run.out.contains("--encoding <NAME>"));
      QCOMPARE(run.err, QString());
    }
    TempFolder site;
    const QString missing = QString::fromStdString((site.Path() / "missing").string());
    const Run run = RunGui({"--root", missing, "--screenshot", "shot.png", "page.asp"});
    QCOMPARE(run.exitCode, 2);
    // Qt may say something about the platform first.
    QVERIFY(
        run.err.split('\n').contains("Lintra: The site's folder " + missing + " does not exist."));
    // A page that is not there ends the app as it ends the command line.
    const QString root = QString::fromStdString(site.Path().string());
    const Run page = RunGui({"--root", root, "--screenshot", "shot.png", "gone.asp"});
    QCOMPARE(page.exitCode, 2);
    QVERIFY2(
        page.err.split('\n').contains("Lintra: The page gone.asp does not exist in " + root + "."),
        qPrintable(page.err));
  }

  void VersionPrintsTheProjectVersionAndTheCheckoutItWasBuiltFrom() {
    const Run run = RunGui({"--version"});
    QCOMPARE(run.exitCode, 0);
    const QString name = QStringLiteral("lintra-gui " LINTRA_VERSION);
    QVERIFY2(run.out.startsWith(name), qPrintable(run.out));
    const QRegularExpression description(
        QRegularExpression::anchoredPattern(R"(( \(git [0-9a-z.-]+\))?\n)"));
    QVERIFY2(description.match(run.out.mid(name.size())).hasMatch(), qPrintable(run.out));
    QCOMPARE(run.err, QString());
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(OpenSiteTest)
#include "OpenSiteTest.moc"
