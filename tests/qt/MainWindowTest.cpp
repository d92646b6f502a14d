#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "apps/host/Utf8Escapes.h"
#include "apps/qt/gui/MainWindow.h"
#include "apps/qt/gui/PagePanel.h"
#include "apps/qt/gui/ProjectPages.h"
#include "apps/qt/gui/Screenshot.h"
#include "apps/qt/widget/LintraWidget.h"
#include "platform/MessageBox.h"
#include "tests/apps/TempFolder.h"

namespace {

// A small site: two pages that include the header, one in a folder that includes the other
// include file, and a page in a hidden folder.
struct Site {
  QTemporaryDir dir;
  Site() {
    Write("default.asp",
          "<!-- #include file=\"inc/head.inc\" -->\r\n<!-- #include file=\"inc/gone.inc\" -->\r\n");
    Write("about.ASP", "<!-- #include virtual=\"/inc/head.inc\" -->\r\n");
    Write("shop/cart.asp", "<!-- #include file=\"../inc/other.inc\" -->\r\n");
    Write("inc/head.inc", "<p>head</p>\r\n");
    Write("inc/other.inc", "");
    Write(".old/x.asp", "");
  }
  void Write(const QString& path, const QByteArray& content) const {
    QDir(dir.path()).mkpath(QFileInfo(path).path());
    QFile file(dir.filePath(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  std::filesystem::path Root() const { return dir.path().toStdString(); }
};

// The window's page list as the bytes of the names, one per line.
QByteArray ListedPages(const MainWindow& window) {
  QByteArray listed;
  for (int row = 0; row < window.PageList().count(); ++row) {
    listed += EncodeUtf8Escaped(window.PageList().item(row)->text().toStdU16String()) + "\n";
  }
  return listed;
}

// What the command line lists as the pages below `root` that include "common.inc": with every
// page including it, the pages it takes when none are named.
QByteArray CommandLinePages(const std::filesystem::path& root) {
  QProcess lintra;
  lintra.start(LINTRA_BINARY, {"depends", "--root", QString::fromStdString(root.string()),
                               "--changed", "common.inc"});
  lintra.waitForFinished();
  return lintra.readAllStandardOutput();
}

// The pages listed that the filter leaves.
QStringList Listed(const MainWindow& window) {
  QStringList listed;
  for (int row = 0; row < window.PageList().count(); ++row) {
    const QListWidgetItem* item = window.PageList().item(row);
    if (!item->isHidden()) listed << item->text();
  }
  return listed;
}

void Trigger(MainWindow& window, const QString& action) {
  for (QAction* each : window.findChildren<QAction*>()) {
    if (each->text() == action) each->trigger();
  }
}

QStringList Pages(const MainWindow& window) {
  QStringList pages;
  for (const std::shared_ptr<Node>& node : window.Trees().Control().tvLintra().GetNodes()) {
    if (!node->ParentNode()) pages << QString::fromStdU16String(node->Text());
  }
  return pages;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsTheSitesPagesAndNamesFilesByWebPath() {
    Site site;
    MainWindow window(site.Root());
    QStringList listed;
    for (int row = 0; row < window.PageList().count(); ++row) {
      listed << window.PageList().item(row)->text();
    }
    QCOMPARE(listed, QStringList({"about.ASP", "default.asp", "shop/cart.asp"}));
    QCOMPARE(ProjectPages::WebPathOf(site.Root(), site.Root() / "shop" / ".." / "inc/head.inc"),
             Text(u"inc/head.inc"));
    QVERIFY(!ProjectPages::WebPathOf(site.Root() / "shop", site.Root() / "inc/head.inc"));
    QVERIFY(!ProjectPages::WebPathOf(site.Root(), site.Root()));
  }

  void ListsThePagesTheCommandLineTakesByDefault() {
    TempFolder site;
    site.Write("common.inc", "");
    for (const char* page : {"a.asp", "caf\xE9.asp", "_vti_cnf/a.asp", "shop/_vti_cnf/b.asp",
                             "shop/\xFFx.ASP", "\xC3\xA9t\xC3\xA9.asp", ".git/c.asp"}) {
      site.Write(page, "<!-- #include virtual=\"/common.inc\" -->");
    }
    MainWindow window(site.Path());
    QCOMPARE(ListedPages(window), CommandLinePages(site.Path()));
    QCOMPARE(ListedPages(window),
             QByteArray("a.asp\ncaf\xE9.asp\nshop/\xFFx.ASP\n\xC3\xA9t\xC3\xA9.asp\n"));
    window.AddPage(window.PageList().item(1)->text().toStdU16String());
    QCOMPARE(Pages(window), QStringList{window.PageList().item(1)->text()});
    QCOMPARE(window.Trees().Control().tvLintra().GetNodes().size(), size_t{2});
  }

  void ReportsAndOpenedFilesGoToTheirPanes() {
    Site site;
    MainWindow window(site.Root());
    window.AddPage(u"default.asp");
    Lintra& control = window.Trees().Control();
    control.tbrLintra().Click(6);
    QCOMPARE(window.ReportPane().toPlainText(),
             QString::fromStdU16String(control.TextTree()).replace("\r\n", "\n"));
    QVERIFY(!window.ReportPane().toPlainText().contains(u'\r'));

    control.tvLintra().DoubleClick(control.tvLintra().GetNodes().Item(2).get());
    QCOMPARE(window.ViewerPane().toPlainText(), QStringLiteral("<p>head</p>\n"));
    QVERIFY(window.ViewerPane().isReadOnly());
  }

  void AFailedAnalysisIsToldAndLeavesTheTrees() {
    Site site;
    MainWindow window(site.Root(), 2);
    QStringList boxes;
    const MessageBox::Handler previous =
        MessageBox::SetHandler([&](const Text& prompt, int32_t style, const Text& title) {
          boxes << QString::fromStdU16String(title + u"|" + prompt) + QString::number(style);
          return MessageBox::OK;
        });
    window.AddPage(u"about.ASP");
    window.AddPage(u"default.asp");
    MessageBox::SetHandler(previous);
    QCOMPARE(boxes, QStringList{
                        "Lintra|Couldn't analyse default.asp\r\nError -2147220503 - Could not find "
                        "the file : inc/gone.inc\r\nThe page asked for more than 2 files.48"});
    QCOMPARE(Pages(window), QStringList{"about.ASP"});
  }

  void ChangedFilesShowOnlyTheirDependants() {
    Site site;
    MainWindow window(site.Root());
    window.AddPage(u"default.asp");
    window.ShowDependants({u"inc/Other.inc"});
    QCOMPARE(Pages(window), QStringList{"cart.asp"});
    window.ShowDependants({u"inc/head.inc", u"shop/cart.asp"});
    QCOMPARE(Pages(window), QStringList({"about.ASP", "default.asp", "cart.asp"}));
  }

  void TheFilterLeavesPagesContainingItsTextInAnyCase() {
    Site site;
    MainWindow window(site.Root());
    QTest::keyClicks(&window.Pages().Filter(), "AB");
    QCOMPARE(Listed(window), QStringList{"about.ASP"});
    window.Pages().Filter().setText("T.as");
    QCOMPARE(Listed(window), QStringList({"about.ASP", "default.asp", "shop/cart.asp"}));
    window.Pages().Filter().setText("SHOP/");
    QCOMPARE(Listed(window), QStringList{"shop/cart.asp"});

    // Add takes only the selected pages that the filter leaves.
    window.PageList().selectAll();
    Trigger(window, "Add");
    QCOMPARE(Pages(window), QStringList{"cart.asp"});
    window.Pages().Filter().clear();
    QCOMPARE(Listed(window).size(), 3);
  }

  void ClearEmptiesTheTreesAndPanes() {
    Site site;
    MainWindow window(site.Root());
    window.AddPage(u"default.asp");
    Lintra& control = window.Trees().Control();
    control.tbrLintra().Click(6);
    control.tvLintra().DoubleClick(control.tvLintra().GetNodes().Item(2).get());
    QVERIFY(!window.ReportPane().toPlainText().isEmpty());
    QVERIFY(!window.ViewerPane().toPlainText().isEmpty());

    Trigger(window, "Clear");
    QCOMPARE(control.tvLintra().GetNodes().size(), size_t{0});
    QCOMPARE(window.ReportPane().toPlainText(), QString());
    QCOMPARE(window.ViewerPane().toPlainText(), QString());
  }

  void FilesAreDecodedFromTheEncodingChosen() {
    TempFolder site;
    site.Write("a.asp", "<!-- #include file=\"menu.inc\" -->");
    site.Write("menu.inc", "caf\xE9");
    MainWindow window(site.Path(), WindowHost::DefaultMaxRequests, "windows-1252");
    window.AddPage(u"a.asp");
    Lintra& control = window.Trees().Control();
    control.tvLintra().DoubleClick(control.tvLintra().GetNodes().Item(2).get());
    QCOMPARE(window.ViewerPane().toPlainText(), QString::fromUtf8("caf\xC3\xA9"));
  }

  void OpensWideEnoughForTheLongestPageName() {
    TempFolder site;
    const QString longest = "a-folder-with-a-long-name/the-page-itself.asp";
    site.Write(longest.toStdString(), "");
    site.Write("b.asp", "");
    MainWindow window(site.Path());
    window.show();
    QFont bold = window.PageList().font();
    bold.setBold(true);
    const int screen = window.screen()->availableGeometry().width();
    QVERIFY(QFontMetrics(bold).horizontalAdvance(longest) < screen / 2 - 60);
    QVERIFY(window.PageList().viewport()->width() > QFontMetrics(bold).horizontalAdvance(longest));
    QVERIFY(window.width() <= screen);
  }

  void ScreenshotShowsTheTextTreeAndFirstPage() {
    Site site;
    MainWindow window(site.Root());
    window.AddPage(u"default.asp");
    const QString file = site.dir.filePath("shot.png");
    QVERIFY(SaveScreenshot(window, file));
    const QImage shot(file);
    QCOMPARE(shot.size(), window.size());
    QVERIFY(window.ViewerPane().toPlainText().contains("inc/head.inc"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
