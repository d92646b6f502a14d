#include <QtTest>

#include "apps/qt/widget/LintraWidget.h"
#include "apps/qt/widget/NodeTreeView.h"
#include "support/LargePage.h"
#include "support/MemoryHost.h"

namespace lintra {

namespace {

// The rows a user reaches by scrolling from the top.
int VisibleRows(const QTreeView& tree) {
  int rows = 0;
  for (QModelIndex i = tree.model()->index(0, 0); i.isValid(); i = tree.indexBelow(i)) ++rows;
  return rows;
}

}  // namespace

class LargeTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void TwentyThousandFilesDisplayAndOpenFully() {
    auto control = std::make_shared<Lintra>();
    MemoryHost host(control);
    LargePage::Add(host.Files);
    QWidget window;
    auto* widget = new LintraWidget(control, &window);
    widget->resize(400, 600);
    window.show();

    control->ParseFile(u"", u"big.asp");
    QCoreApplication::processEvents();

    NodeTreeView& tree = widget->Tree();
    NodeModel& model = tree.Model();
    int closed = 0;
    for (const std::shared_ptr<Node>& node : control->tvLintra().GetNodes()) {
      if (!node->Expanded() || !tree.isExpanded(model.IndexOf(node.get()))) ++closed;
    }
    QCOMPARE(control->tvLintra().GetNodes().size(), size_t{LargePage::NodeCount});
    QCOMPARE(closed, 0);
    QCOMPARE(VisibleRows(tree), LargePage::NodeCount);

    // Once laid out, the tree closes and opens again in full.
    control->CollapseAll();
    QCoreApplication::processEvents();
    QCOMPARE(VisibleRows(tree), 1);
    control->ExpandAll();
    QCoreApplication::processEvents();
    QCOMPARE(VisibleRows(tree), LargePage::NodeCount);
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(LargeTreeTest)
#include "LargeTreeTest.moc"
