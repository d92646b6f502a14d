#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include "apps/qt/gui/MainWindow.h"
#include "apps/qt/gui/PagePanel.h"
#include "apps/qt/gui/ProjectPages.h"
#include "apps/qt/gui/Screenshot.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "platform/Utf8.h"
#include "support/ScriptedMessageBox.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace {

// A small site: two pages that include the header, one in a folder that includes the other
// include file, and a page in a hidden folder.
struct Site : TempFolder {
  Site() {
    Write("default.asp",
          "<!-- #include file=\"inc/head.inc\" -->\r\n<!-- #include file=\"inc/gone.inc\" -->\r\n");
    Write("about.ASP", "<!-- #include virtual=\"/inc/head.inc\" -->\r\n");
    Write("shop/cart.asp", "<!-- #include file=\"../inc/other.inc\" -->\r\n");
    Write("inc/head.inc", "<p>head</p>\r\n");
    Write("inc/other.inc", "");
    Write(".old/x.asp", "");
  }
  const std::filesystem::path& Root() const { return Path(); }
};

// What the command line lists as the pages below `root` that include "common.inc": with every
// page including it, the pages it takes when none are named.
QByteArray CommandLinePages(const std::filesystem::path& root) {
  QProcess lintra;
  lintra.start(LINTRA_BINARY, {"depends", "--root", QString::fromStdString(root.string()),
                               "--changed", "common.inc"});
  lintra.waitForFinished();
  return lintra.readAllStandardOutput();
}

// The pages listed that the filter leaves, and those of them in bold.
QStringList Listed(const MainWindow& window, bool boldOnly = false) {
  QStringList listed;
  for (int row = 0; row < window.PageList().count(); ++row) {
    const QListWidgetItem* item = window.PageList().item(row);
    if (!item->isHidden() && (!boldOnly || item->font().bold())) listed << item->text();
  }
  return listed;
}

// The nodes of the trees shown that stand out in bold, as "page/file".
QStringList BoldNodes(const MainWindow& window) {
  QStringList bold;
  NodeModel& model = window.Trees().Tree().Model();
  for (const std::shared_ptr<Node>& node : window.Trees().Control().tvLintra().GetNodes()) {
    if (!model.data(model.IndexOf(node.get()), Qt::FontRole).value<QFont>().bold()) continue;
    const Node* page = node.get();
    while (page->ParentNode()) page = page->ParentNode();
    bold << QString::fromStdU16String(page->Text() + u"/" + node->Text());
  }
  return bold;
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
  void ListsThePagesTheCommandLineTakesByDefault() {
    TempFolder site;
    site.Write("common.inc", "");
    for (const char* page : {"a.asp", "caf\xE9.asp", "_vti_cnf/a.asp", "shop/_vti_cnf/b.asp",
                             "shop/\xFFx.ASP", "\xC3\xA9t\xC3\xA9.asp", ".git/c.asp"}) {
      site.Write(page, "<!-- #include virtual=\"/common.inc\" -->");
    }
    MainWindow window(site.Path());
    QByteArray listed;
    for (const QString& page : Listed(window))
      listed += text::ToBytes(page.toStdU16String()) + "\n";
    QCOMPARE(listed, CommandLinePages(site.Path()));
    QCOMPARE(listed, QByteArray("a.asp\ncaf\xE9.asp\nshop/\xFFx.ASP\n\xC3\xA9t\xC3\xA9.asp\n"));
    window.AddPage(window.PageList().item(1)->text().toStdU16String());
    QCOMPARE(Pages(window), QStringList{window.PageList().item(1)->text()});
    QCOMPARE(window.Trees().Control().tvLintra().GetNodes().size(), size_t{2});
  }

  void ListsALinkedPageOnceByItsRealNameAsCheckDoes() {
    TempFolder folder;
    folder.Write("site/p.asp", "p");
    folder.Write("outside/x.asp", "x");
    if (!folder.Link("p.asp", "site/A.asp") || !folder.Link("../outside/x.asp", "site/out.asp")) {
      QSKIP("no symbolic links on this system");
    }
    QCOMPARE(ProjectPages::Find(DiskFiles(folder.Path() / "site")).pages,
             std::vector<Text>{u"p.asp"});
    MainWindow window(folder.Path() / "site");
    QCOMPARE(Listed(window), QStringList{"p.asp"});
  }

  void ListsThePagesThatTheSettingsNameAsCheckTakesThem() {
    Site site;
    ProjectSettings settings;
    settings.pages = {"About.asp", "./default.asp", "shop/cart.asp", "gone.asp", "default.asp"};
    settings.excludes = {"shop"};
    ScriptedMessageBox boxes;
    MainWindow window(site.Root(), WindowHost::DefaultMaxRequests, settings);
    QCOMPARE(Listed(window), (QStringList{"about.ASP", "default.asp"}));
    QCOMPARE(boxes.Reports(),
             std::vector<Text>{u"the page gone.asp that lintra.toml names does not exist; it is "
                               u"left out"});
  }

  void NamesFilesByTheirWebPathInsideTheRootOnly() {
    Site site;
    QCOMPARE(ProjectPages::WebPathOf(site.Root(), site.Root() / "shop" / ".." / "inc/head.inc"),
             Text(u"inc/head.inc"));
    QVERIFY(!ProjectPages::WebPathOf(site.Root() / "shop", site.Root() / "inc/head.inc"));
    QVERIFY(!ProjectPages::WebPathOf(site.Root(), site.Root()));
  }

  void FailedAnalysesAreToldInOneBoxAndLeaveTheTrees() {
    Site site;
    MainWindow window(site.Root(), 2);
    ScriptedMessageBox boxes;
    window.AddPage(u"about.ASP");
    window.AddPage(u"default.asp");
    const Text failure =
        u"Couldn't analyse default.asp\r\nError -2147220503 - Could not find the file : "
        u"inc/gone.inc\r\nThe page asked for more than 2 files.";
    QCOMPARE(boxes.Reports(), std::vector<Text>{failure});
    QCOMPARE(Pages(window), QStringList{"about.ASP"});

    window.ShowDependants({u"inc/head.inc"});
    QCOMPARE(boxes.Reports(), std::vector<Text>({failure, failure}));
    QCOMPARE(window.StatusLine().text(),
             QStringLiteral("1 page depends on inc/head.inc; 1 page could not be analysed"));

    MainWindow starved(site.Root(), 1);
    starved.ShowDependants({u"inc/head.inc"});
    QCOMPARE(boxes.Reports().size(), size_t{3});
    QCOMPARE(boxes.Reports().back(),
             Text(u"3 pages could not be analysed; the report lists them all. The first:\r\n"
                  u"Couldn't analyse about.ASP\r\nError -2147220503 - Could not find the file : "
                  u"inc/head.inc\r\nThe page asked for more than 1 files."));
    QVERIFY(starved.ReportPane().toPlainText().startsWith(
        "No page depends on inc/head.inc.\n\n3 pages could not be analysed:\nCouldn't analyse "
        "about.ASP\n"));
  }

  void ChangedFilesShowOnlyTheirDependantsWithTheFilesHighlighted() {
    Site site;
    MainWindow window(site.Root());
    window.AddPage(u"default.asp");
    window.ShowDependants({u"inc/Other.inc"});
    QCOMPARE(Pages(window), QStringList{"cart.asp"});
    QCOMPARE(window.StatusLine().text(), QStringLiteral("1 page depends on inc/Other.inc"));
    QCOMPARE(BoldNodes(window), QStringList{"cart.asp/other.inc"});

    window.ShowDependants({u"inc/head.inc", u"shop/cart.asp"});
    QCOMPARE(Pages(window), QStringList({"about.ASP", "default.asp", "cart.asp"}));
    QCOMPARE(window.StatusLine().text(),
             QStringLiteral("3 pages depend on inc/head.inc, shop/cart.asp"));
    QCOMPARE(window.ReportPane().toPlainText(),
             QStringLiteral("3 pages depend on inc/head.inc, shop/cart.asp.\n\nDependent pages:\n"
                            "about.ASP\ndefault.asp\nshop/cart.asp\n"));
    QCOMPARE(BoldNodes(window),
             QStringList({"about.ASP/head.inc", "default.asp/head.inc", "cart.asp/cart.asp"}));
    QCOMPARE(Listed(window, true), QStringList({"about.ASP", "default.asp", "shop/cart.asp"}));

    window.ShowDependants({u"inc/none.inc"});
    QCOMPARE(Pages(window), QStringList());
    QCOMPARE(window.StatusLine().text(), QStringLiteral("No page depends on inc/none.inc"));
    QCOMPARE(Listed(window, true), QStringList());

    // A missing include is not another file that bears its name.
    site.Write("gone.inc", "");
    window.ShowDependants({u"gone.inc"});
    QCOMPARE(Pages(window), QStringList());
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

  void ReportsAndOpenedFilesGoToTheirPanesAndClearEmptiesThem() {
    Site site;
    MainWindow window(site.Root());
    window.ShowDependants({u"inc/head.inc"});
    Lintra& control = window.Trees().Control();
    control.tbrLintra().Click(6);
    QCOMPARE(window.ReportPane().toPlainText(),
             QString::fromStdU16String(control.TextTree()).replace("\r\n", "\n"));
    control.tvLintra().DoubleClick(control.tvLintra().GetNodes().Item(2).get());
    QCOMPARE(window.ViewerPane().toPlainText(), QStringLiteral("<p>head</p>\n"));
    QVERIFY(window.ViewerPane().isReadOnly());

    Trigger(window, "Clear");
    QCOMPARE(control.tvLintra().GetNodes().size(), size_t{0});
    QCOMPARE(window.ReportPane().toPlainText(), QString());
    QCOMPARE(window.ViewerPane().toPlainText(), QString());
    QCOMPARE(window.StatusLine().text(), QString());
    QCOMPARE(Listed(window, true), QStringList());
    window.AddPage(u"about.ASP");
    QCOMPARE(BoldNodes(window), QStringList());
  }

  void FilesAreDecodedFromTheEncodingChosen() {
    TempFolder site;
    site.Write("a.asp", "<!-- #include file=\"menu.inc\" -->");
    site.Write("menu.inc", "caf\xE9");
    ProjectSettings settings;
    settings.encoding = "windows-1252";
    MainWindow window(site.Path(), WindowHost::DefaultMaxRequests, settings);
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
    window.ShowDependants({longest.toStdU16String()});
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
    const QString file = QString::fromStdString((site.Path() / "shot.png").string());
    QVERIFY(SaveScreenshot(window, file));
    const QImage shot(file);
    QCOMPARE(shot.size(), window.size());
    QVERIFY(window.ViewerPane().toPlainText().contains("inc/head.inc"));
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
