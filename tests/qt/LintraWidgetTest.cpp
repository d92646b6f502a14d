#include <QAction>
#include <QToolButton>
#include <QtTest>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "apps/qt/widget/ToolbarMirror.h"
#include "platform/MessageBox.h"
#include "support/PageHost.h"

namespace {

// The small tree "R.asp" shown in a widget on a window, with the toolbar on.
struct Shown {
  std::shared_ptr<Lintra> control = std::make_shared<Lintra>();
  PageHost host{control};
  QWidget window;
  LintraWidget* widget = new LintraWidget(control, &window);

  Shown() {
    AddSmallTree(host);
    control->ToolbarVisible(true);
    window.resize(400, 300);
    widget->resize(400, 300);
    window.show();
    control->ParseFile(u"", u"R.asp");
  }
  NodeTreeView& Tree() const { return widget->Tree(); }
  Node& At(int position) const { return *control->tvLintra().GetNodes().Item(position); }
  QModelIndex IndexAt(int position) const { return Tree().Model().IndexOf(&At(position)); }
  void Click(int position) const {
    QTest::mouseClick(widget->Bar().widgetForAction(widget->Bar().ActionAt(position)),
                      Qt::LeftButton);
  }
  // What a user's double-click sends: a click, then the double-click and its release.
  void DoubleClick(int position) const {
    const QPoint centre = Tree().visualRect(IndexAt(position)).center();
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, centre);
  }
  // The open state of the nodes R, A, A1, A1a, B, B1 as Qt shows them, after checking that it
  // is the stand-in's.
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

// Records every message box and answers OK.
struct RecordedBoxes {
  QStringList boxes;
  MessageBox::Handler previous =
      MessageBox::SetHandler([this](const Text& prompt, int32_t style, const Text& title) {
        boxes << QStringLiteral("%1|%2|%3")
                     .arg(QString::fromStdU16String(prompt))
                     .arg(style)
                     .arg(QString::fromStdU16String(title));
        return MessageBox::OK;
      });
  ~RecordedBoxes() { MessageBox::SetHandler(std::move(previous)); }
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
  void ShowsTheStandInsButtons() {
    Shown shown;
    const auto& buttons = shown.control->tbrLintra().Buttons();
    for (const Button& button : buttons) {
      QAction* action = shown.widget->Bar().ActionAt(button.Index);
      if (button.Style == Button::Kind::Separator) {
        QCOMPARE(action, nullptr);
        continue;
      }
      QCOMPARE(action->toolTip(), QString::fromStdU16String(button.ToolTipText));
      QVERIFY(!action->icon().isNull());
    }
    QCOMPARE(shown.widget->Bar().actions().size(), qsizetype(buttons.size()));
    QVERIFY(shown.widget->Bar().actions().at(4)->isSeparator());
  }

  void ToolbarButtonsRunTheirCommands() {
    Shown shown;
    shown.control->tvLintra().SelectedItem(&shown.At(2));
    shown.Click(1);  // Collapse All on A
    QCOMPARE(shown.OpenInView(), QStringLiteral("+---++"));
    shown.Click(3);  // Expand
    QCOMPARE(shown.OpenInView(), QStringLiteral("++--++"));
    shown.Click(4);  // Expand All
    QCOMPARE(shown.OpenInView(), QStringLiteral("++++++"));
    shown.Click(2);  // Collapse
    QCOMPARE(shown.OpenInView(), QStringLiteral("++-+++"));

    shown.Click(6);
    shown.Click(7);
    shown.Click(8);
    const std::vector<Text> expected{shown.control->TextTree(), shown.control->GetCompleteFile(),
                                     shown.control->GetWarnings()};
    QCOMPARE(shown.host.Displayed, expected);
  }

  void ExpandAndCollapseShowTheStandInsStates() {
    Shown shown;
    shown.control->tvLintra().SelectedItem(&shown.At(1));
    const QStringList afterCollapse{"++-+-+", "+--+-+", "---+-+", "---+-+"};
    for (const QString& expected : afterCollapse) {
      shown.control->Collapse();
      QCOMPARE(shown.OpenInView(), expected);
    }
    shown.control->CollapseAll();
    const QStringList afterExpand{"+-----", "+-+-+-", "+++-+-", "+++-+-"};
    for (const QString& expected : afterExpand) {
      shown.control->Expand();
      QCOMPARE(shown.OpenInView(), expected);
    }
  }

  void TheUsersOpeningsAndSelectionGoToTheStandIn() {
    Shown shown;
    shown.Tree().collapse(shown.IndexAt(2));
    QVERIFY(!shown.At(2).Expanded());
    QTest::mouseClick(shown.Tree().viewport(), Qt::LeftButton, {},
                      shown.Tree().visualRect(shown.IndexAt(5)).center());
    QCOMPARE(shown.control->tvLintra().SelectedItem().get(), &shown.At(5));
    QTest::keyClick(&shown.Tree(), Qt::Key_Left);
    QVERIFY(!shown.At(5).Expanded());

    // Selecting a node inside a closed one opens nothing.
    shown.control->tvLintra().SelectedItem(&shown.At(3));
    QCOMPARE(shown.Tree().selectionModel()->selectedIndexes(), QModelIndexList{shown.IndexAt(3)});
    QVERIFY(!shown.Tree().isExpanded(shown.IndexAt(2)));
    QVERIFY(!shown.At(2).Expanded());
  }

  void RemovingPagesKeepsTheSelectionInStep() {
    Shown shown;
    shown.control->ParseFile(u"", u"R.asp");
    shown.control->ParseFile(u"", u"R.asp");
    Nodes& nodes = shown.control->tvLintra().GetNodes();
    QTest::mouseClick(shown.Tree().viewport(), Qt::LeftButton, {},
                      shown.Tree().visualRect(shown.IndexAt(8)).center());
    nodes.Remove(1);
    QCOMPARE(shown.control->tvLintra().SelectedItem().get(), &shown.At(2));
    QCOMPARE(shown.Tree().selectionModel()->selectedIndexes(), QModelIndexList{shown.IndexAt(2)});
    nodes.Remove(1);
    QCOMPARE(shown.control->tvLintra().SelectedItem(), nullptr);
    QVERIFY(shown.Tree().selectionModel()->selectedIndexes().isEmpty());

    // Qt would make the next page current and selected; the stand-in has nothing selected.
    shown.control->ParseFile(u"", u"R.asp");
    QTest::mouseClick(shown.Tree().viewport(), Qt::LeftButton, {},
                      shown.Tree().visualRect(shown.IndexAt(1)).center());
    nodes.Remove(1);
    QCOMPARE(shown.control->tvLintra().SelectedItem(), nullptr);
    QVERIFY(shown.Tree().selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(shown.Tree().Model().rowCount(), 1);
  }

  void DoubleClickOpensTheFileOrTellsItIsMissing() {
    Shown shown;
    shown.host.Files.erase(u"B1.inc");
    shown.control->ClearTree();
    shown.control->ParseFile(u"", u"R.asp");
    RecordedBoxes boxes;

    shown.DoubleClick(2);
    QCOMPARE(shown.host.Opened, std::vector<Text>{u"A.inc"});
    QVERIFY(shown.Tree().isExpanded(shown.IndexAt(2)));  // never closed by a double-click
    QVERIFY(boxes.boxes.isEmpty());

    shown.DoubleClick(6);
    QCOMPARE(boxes.boxes, QStringList{"Error : Couldn't find the file B1.inc|48|Corvane"});
    QCOMPARE(shown.host.Opened.size(), size_t{1});
    QCOMPARE(shown.control->tvLintra().SelectedItem().get(), &shown.At(6));
  }

  void BulkChangesArePaintedOnceShown() {
    Shown shown;
    PaintProbe probe(shown.Tree());
    shown.control->tvLintra().AddObserver(&probe);
    shown.control->CollapseAll();
    shown.control->ExpandWholeTree();
    shown.control->tvLintra().RemoveObserver(&probe);
    QVERIFY(!probe.painting.isEmpty());
    QVERIFY(!probe.painting.contains(true));
    QVERIFY(shown.Tree().updatesEnabled());
  }

  void LayoutFollowsResizesWithTheToolbarOnAndOff() {
    Shown shown;
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 400, 278));
    QVERIFY(shown.widget->Bar().isVisible());
    QCOMPARE(shown.widget->Bar().geometry(), QRect(0, 0, 400, 22));

    shown.control->ToolbarVisible(false);
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 400, 278));  // until the next resize
    shown.widget->resize(320, 200);
    QCOMPARE(shown.Tree().geometry(), QRect(0, 0, 320, 200));
    QVERIFY(!shown.widget->Bar().isVisible());

    shown.control->ToolbarVisible(true);
    shown.widget->ApplySize();
    QCOMPARE(shown.Tree().geometry(), QRect(0, 22, 320, 178));
    QVERIFY(shown.widget->Bar().isVisible());
    QCOMPARE(shown.control->Container().ScaleWidth(), 320.0f * 15);
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
    PageHost host(std::static_pointer_cast<Lintra>(widget->Control().shared_from_this()));
    AddSmallTree(host);
    widget->Control().ParseFile(u"", u"R.asp");
    page = std::dynamic_pointer_cast<File>(widget->Control().tvLintra().GetNodes().Item(1)->Tag());
    delete widget;
    QCOMPARE(page->Includes()->size(), size_t{0});
  }
};

QTEST_MAIN(LintraWidgetTest)
#include "LintraWidgetTest.moc"
