#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>
#include <string>

#include "apps/qt/gui/MainWindow.h"
#include "apps/qt/gui/ViewCapacity.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "support/ScriptedMessageBox.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace {

constexpr int PageCount = 4000;
// Each page includes common.inc, which includes nine other files and x.inc.
constexpr int NodesPerPage = 12;

// A site where every page reaches inc/x.inc through inc/common.inc, with more nodes in all the
// trees than the tree view holds.
void WriteSite(const TempFolder& site) {
  std::string common;
  for (int i = 0; i < 9; ++i) {
    const std::string name = "f" + std::to_string(i) + ".inc";
    site.Write("inc/" + name, "<p>" + name + "</p>\r\n");
    common += "<!-- #include file=\"" + name + "\" -->\r\n";
  }
  site.Write("inc/x.inc", "<p>x</p>\r\n");
  site.Write("inc/common.inc", common + "<!-- #include file=\"x.inc\" -->\r\n");
  char name[32];
  for (int page = 0; page < PageCount; ++page) {
    std::snprintf(name, sizeof name, "p%04d.asp", page);
    site.Write(name, "<!-- #include virtual=\"/inc/common.inc\" -->\r\n");
  }
}

// The largest resident size the process has had so far, in megabytes.
long PeakMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
  }
  return 0;
}

}  // namespace

class DependantsTest : public QObject {
  Q_OBJECT

 private slots:
  void FourThousandDependantsAreCountedWithoutAnErrorBox() {
    TempFolder site;
    WriteSite(site);
    MainWindow window(site.Path());
    window.show();
    QCoreApplication::processEvents();
    ScriptedMessageBox boxes;
    const long peakBefore = PeakMegabytes();

    window.ShowDependants({u"inc/x.inc"});
    QCoreApplication::processEvents();

    QVERIFY(boxes.Boxes().empty());
    const int shown = static_cast<int>(ViewCapacity::MostNodes / NodesPerPage);
    QCOMPARE(window.StatusLine().text(),
             QString("4000 pages depend on inc/x.inc; %1 of their trees are shown").arg(shown));
    QVERIFY(window.ReportPane().toPlainText().startsWith(
        QString("4000 pages depend on inc/x.inc.\nThe tree view holds at most 32767 files, so it "
                "shows %1 of their trees.")
            .arg(shown)));
    QVERIFY(window.ReportPane().toPlainText().endsWith("\np3998.asp\np3999.asp\n"));
    QCOMPARE(window.Trees().Control().tvLintra().GetNodes().size(), size_t(shown * NodesPerPage));
    int marked = 0;
    for (int row = 0; row < window.PageList().count(); ++row) {
      marked += window.PageList().item(row)->font().bold() ? 1 : 0;
    }
    QCOMPARE(marked, PageCount);
    QVERIFY(PeakMegabytes() - peakBefore < 100);

    // The view is full: a page added by hand is refused in one box.
    window.AddPage(u"p3999.asp");
    QCOMPARE(boxes.Boxes().size(), size_t{1});
    QCOMPARE(boxes.Boxes()[0].Prompt,
             u"The tree of p3999.asp holds 12 files, and the tree view already holds " +
                 text::FromNumber(shown * NodesPerPage) +
                 u" of the 32767 it can hold. Clear the trees to see it.");
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(DependantsTest)
#include "DependantsTest.moc"
