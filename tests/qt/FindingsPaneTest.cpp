#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QtTest>

#include "apps/qt/gui/FindingsPane.h"
#include "apps/qt/gui/MainWindow.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace {

// Two pages that share a header, each bringing it twice, one under another letter case, a page
// with an include that is not there, and a page calling a procedure of the global.asa and one
// that nothing declares, beside an include it has no use for.
struct Site : TempFolder {
  Site() {
    Write("global.asa",
          "<script language=\"VBScript\" runat=\"Server\">\r\nSub Greet()\r\n"
          "End Sub\r\n</script>\r\n");
    Write("use.asp",
          "<% Option Explicit %>\r\n<!-- #include file=\"inc/tools.asp\" -->\r\n<% Greet()\r\n"
          "Farewell() %>\r\n");
    Write("inc/tools.asp", "<% Sub Tool() : End Sub %>\r\n");
    Write("default.asp",
          "<!-- #include file=\"inc/head.inc\" -->\r\n<!-- #include file=\"inc/Head.inc\" -->\r\n"
          "<!-- #include file=\"inc/gone.inc\" -->\r\n");
    Write("shop/cart.asp",
          "<!-- #include virtual=\"/inc/head.inc\" -->\r\n<!-- #include file=\"../inc/head.inc\" "
          "-->\r\n");
    Write("inc/head.inc", "<p>head</p>\r\n");
  }
};

// Each finding as "rule file:line:column".
QStringList Places(const std::vector<RuleFinding>& findings) {
  QStringList places;
  for (const RuleFinding& finding : findings) {
    places << QStringLiteral("%1 %2:%3:%4")
                  .arg(QString::fromUtf8(finding.ruleId),
                       QString::fromStdU16String(finding.place.file))
                  .arg(finding.place.line)
                  .arg(finding.place.column);
  }
  return places;
}

// The same of what check finds in `pages` of the site at `root`, in its order.
QStringList CheckPlaces(const std::filesystem::path& root, const QStringList& pages) {
  QProcess lintra;
  lintra.start(LINTRA_BINARY, QStringList{"check", "--format", "json", "--root",
                                          QString::fromStdString(root.string())} +
                                  pages);
  lintra.waitForFinished();
  QStringList places;
  for (const QJsonValue& finding :
       QJsonDocument::fromJson(lintra.readAllStandardOutput())["findings"].toArray()) {
    places << QStringLiteral("%1 %2:%3:%4")
                  .arg(finding["rule"].toString(), finding["file"].toString())
                  .arg(finding["line"].toInt())
                  .arg(finding["column"].toInt());
  }
  return places;
}

QStringList Rows(const QTreeWidget& pane) {
  QStringList rows;
  for (int row = 0; row < pane.topLevelItemCount(); ++row) {
    const QTreeWidgetItem* cause = pane.topLevelItem(row);
    rows << cause->text(0) + " | " + cause->text(1) + " | " + cause->text(2);
    for (int place = 0; place < cause->childCount(); ++place) {
      rows << "  " + cause->child(place)->text(0);
    }
  }
  return rows;
}

}  // namespace

class FindingsPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsWhatCheckFindsInThePagesShown() {
    Site site;
    MainWindow window(site.Path());
    window.AddPage(u"default.asp");
    window.AddPage(u"shop/cart.asp");
    window.AddPage(u"use.asp");
    QCOMPARE(Places(window.Findings().Findings()),
             CheckPlaces(site.Path(), {"default.asp", "shop/cart.asp", "use.asp"}));
    QCOMPARE(Places(window.Findings().Findings()).size(), 7);
  }

  void GroupsThePlacesOfOneCause() {
    Site site;
    site.Write("about.asp", "<!-- #include file=\"inc/gone.inc\" -->\r\n");
    MainWindow window(site.Path());
    window.AddPage(u"default.asp");
    window.AddPage(u"about.asp");
    window.AddPage(u"default.asp");
    QCOMPARE(Rows(window.Findings()),
             (QStringList{
                 "error: include file not found: inc/gone.inc [missing-include] (ASP 0126) | 2 | 2",
                 "  about.asp:1:1", "  default.asp:3:1",
                 "warning: case mismatch: inc/Head.inc is spelt inc/head.inc on disk "
                 "[case-mismatch] | 1 | 1",
                 "  default.asp:2:1",
                 "warning: duplicate include: inc/head.inc was already included at "
                 "default.asp:1 [duplicate-include] | 1 | 1",
                 "  default.asp:2:1"}));
  }

  void FollowsTheProjectsRuleSettings() {
    Site site;
    ProjectSettings settings;
    settings.rules.severities["case-mismatch"] = std::nullopt;
    settings.rules.severities["missing-include"] = Severity::Note;
    MainWindow window(site.Path(), WindowHost::DefaultMaxRequests, settings);
    window.AddPage(u"default.asp");
    const QStringList rows = Rows(window.Findings());
    QVERIFY(rows.contains(
        "note: include file not found: inc/gone.inc [missing-include] (ASP 0126) | 1 | 1"));
    QVERIFY(!rows.join("\n").contains("case-mismatch"));
    // The note, which check lists first, comes after the warning.
    QCOMPARE(rows.last(), "  default.asp:3:1");
  }

  void OpensTheFileOfAPlaceAtItsLine() {
    Site site;
    MainWindow window(site.Path());
    window.AddPage(u"shop/cart.asp");
    QTreeWidgetItem* place = window.Findings().topLevelItem(0)->child(0);
    QCOMPARE(place->text(0), "shop/cart.asp:2:1");
    emit window.Findings().itemActivated(place, 0);
    QCOMPARE(window.ViewerPane().textCursor().blockNumber(), 1);
    QVERIFY(window.ViewerPane().toPlainText().startsWith("<!-- #include virtual"));
  }

  void ClearingTheTreesForgetsTheirFindings() {
    Site site;
    MainWindow window(site.Path());
    window.AddPage(u"default.asp");
    window.Clear();
    QCOMPARE(window.Findings().topLevelItemCount(), 0);
    window.AddPage(u"shop/cart.asp");
    QCOMPARE(Places(window.Findings().Findings()),
             (QStringList{"duplicate-include shop/cart.asp:2:1", "parent-path shop/cart.asp:2:1"}));
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(FindingsPaneTest)
#include "FindingsPaneTest.moc"
