#include <QAction>
#include <QtTest>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "apps/qt/widget/ToolbarMirror.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// The small tree "r.asp" shown in a widget on a window, with the toolbar on.
struct Shown {
  std::shared_ptr<Lintra> control = std::make_shared<Lintra>();
  MemoryHost host{control};
  QWidget window;
  LintraWidget* widget = new LintraWidget(control, &window);

  Shown() {
    ServeExampleTree(host.Files);
    control->ToolbarVisible(true);
    widget->resize(400, 300);
    window.show();
    control->ParseFile(u"", u"r.asp");
  }
  NodeTreeView& Tree() const { return widget->Tree(); }
  Node& At(int position) const { return *control->tvLintra().GetNodes().Item(position); }
  QModelIndex IndexAt(int position) const { return Tree().Model().IndexOf(&At(position)); }
  QPoint CentreOf(int position) const { return Tree().visualRect(IndexAt(position)).center(); }
  void Click(int button) const {
    QTest::mouseClick(widget->Bar().widgetForAction(widget->Bar().ActionAt(button)),
                      Qt::LeftButton);
  }
  // What a user's double-click sends: a click, then the double-click and its release.
  void DoubleClick(int position) const {
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, CentreOf(position));
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, CentreOf(position));
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, CentreOf(position));
  }
  // The open states of r, a, a1, a1a, b, b1 as Qt shows them, once checked against the stand-in.
  QString OpenInView() const {
    QString states;
    for (int position = 1; position <= 6; ++position) {
      const bool open = Tree().isExpanded(IndexAt(position));
      if (open != At(position).Expanded()) return QStringLiteral("differs at %1").arg(position);
      states += open ? u'+' : u'-';
    }
    return states;
  }
};

// Records whether the tree view paints at every change of an open state.
struct PaintProbe : TreeViewObserver {
  const QWidget& view;
  QList<bool> painting;
  explicit PaintProbe(const QWidget& v) : view(v) {}
  void ExpandedChanged(Node&) override { painting << view.updatesEnabled(); }
};

}  // namespace

class LintraWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void ToolbarButtonsShowTheStandInsAndRunTheirCommands() {
    Shown shown;
    for (const Button& button : shown.control->tbrLintra().Buttons()) {
      const QAction* action = shown.widget->Bar().ActionAt(button.Index);
      QCOMPARE(action == nullptr, button.Style == Button::Kind::Separator);
      if (action) QCOMPARE(action->toolTip(), QString::fromStdU16String(button.ToolTipText));
    }
    QVERIFY(shown.widget->Bar().actions().at(4)->isSeparator());

    // On A: Collapse All, Expand, Expand All, Collapse.
    shown.control->tvLintra().SelectedItem(&shown.At(2));
    const QList<QPair<int, QString>> clicks{
        {1, "+---++"}, {3, "++--++"}, {4, "++++++"}, {2, "++-+++"}};
    for (const auto& [button, states] : clicks) {
      shown.Click(button);
      QCOMPARE(shown.OpenInView(), states);
    }
    for (int button = 6; button <= 8; ++button) shown.Click(button);
    const std::vector<Text> expected{shown.control->TextTree(), shown.control->GetCompleteFile(),
                                     shown.control->GetWarnings()};
    QCOMPARE(shown.host.Displayed, expected);
  }

  void TheUsersChoicesGoToTheStandInAndQtAddsNone() {
    Shown shown;
    shown.Tree().collapse(shown.IndexAt(2));
    QVERIFY(!shown.At(2).Expanded());
    QTest::mouseClick(shown.Tree().viewport(), Qt::LeftButton, {}, shown.CentreOf(5));
    QCOMPARE(shown.control->tvLintra().SelectedItem().get(), &shown.At(5));
    QTest::keyClick(&shown.Tree(), Qt::Key_Left);
    QVERIFY(!shown.At(5).Expanded());

    // Showing a selected node inside a closed one does not open it.
    shown.control->tvLintra().SelectedItem(&shown.At(3));
    QCOMPARE(shown.Tree().selectionModel()->selectedIndexes(), QModelIndexList{shown.IndexAt(3)});
    QCOMPARE(shown.OpenInView(), QStringLiteral("+-++-+"));

    // Qt would make the next page current and selected when the selected page goes.
    shown.control->ParseFile(u"", u"r.asp");
    QTest::mouseClick(shown.Tree().viewport(), Qt::LeftButton, {}, shown.CentreOf(1));
    shown.control->tvLintra().GetNodes().Remove(1);
    QCOMPARE(shown.control->tvLintra().SelectedItem(), nullptr);
    QVERIFY(shown.Tree().selectionModel()->selectedIndexes().isEmpty());
  }

  void DoubleClickOpensTheFileOrTellsItIsMissing() {
    Shown shown;
    shown.host.Files.erase(u"b1.inc");
    shown.control->ClearTree();
    shown.control->ParseFile(u"", u"r.asp");
    ScriptedMessageBox boxes;

    shown.DoubleClick(2);
    QCOMPARE(shown.host.OpenedFiles, std::vector<Text>{u"a.inc"});
    QVERIFY(shown.Tree().isExpanded(shown.IndexAt(2)));  // a double-click never closes
    shown.DoubleClick(6);
    QCOMPARE(boxes.Reports(), std::vector<Text>{u"Error : Couldn't find the file b1.inc"});
    QCOMPARE(shown.host.OpenedFiles.size(), size_t{1});
  }

  void BulkChangesArePaintedOnceShown() {
    Shown shown;
    PaintProbe probe(shown.Tree());
    shown.control->tvLintra().AddObserver(&probe);
    shown.control->CollapseAll();
    shown.control->ExpandWholeTree();
    shown.control->tvLintra().RemoveObserver(&probe);
    QVERIFY(!probe.painting.isEmpty() && !probe.painting.contains(true));
    QVERIFY(shown.Tree().updatesEnabled());
  }

  void LayoutFollowsResizesWithTheToolbarOnAndOff() {
    Shown shown;
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 400, 278));
    QCOMPARE(shown.widget->Bar().geometry(), QRect(0, 0, 400, 22));
    QVERIFY(shown.widget->Bar().isVisible());

    shown.control->ToolbarVisible(false);
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 400, 278));  // until the next resize
    shown.widget->resize(320, 200);
    QCOMPARE(shown.Tree().geometry(), QRect(0, 0, 320, 200));
    QVERIFY(!shown.widget->Bar().isVisible());

    shown.control->ToolbarVisible(true);
    shown.widget->ApplySize();
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 320, 178));
    QVERIFY(shown.widget->Bar().isVisible());
  }

  void DestroyingTheWidgetClearsTheTrees() {
    std::shared_ptr<File> page;
    {
      Shown shown;
      page = std::dynamic_pointer_cast<File>(shown.At(1).Tag());
      delete shown.widget;
      QCOMPARE(shown.control->tvLintra().GetNodes().size(), size_t{0});
    }
    QCOMPARE(page->Includes()->size(), size_t{0});

    // Holding the last reference, the widget lets the control go, which clears the trees.
    auto* widget = new LintraWidget;
    MemoryHost host(std::static_pointer_cast<Lintra>(widget->Control().shared_from_this()));
    ServeExampleTree(host.Files);
    widget->Control().ParseFile(u"", u"r.asp");
    page = std::dynamic_pointer_cast<File>(widget->Control().tvLintra().GetNodes().Item(1)->Tag());
    delete widget;
    QCOMPARE(page->Includes()->size(), size_t{0});
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(LintraWidgetTest)
#include "LintraWidgetTest.moc"
