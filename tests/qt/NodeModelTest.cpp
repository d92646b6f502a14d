#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <set>

#include "apps/qt/widget/NodeModel.h"
#include "apps/qt/widget/Pictures.h"
#include "support/MemoryHost.h"

namespace lintra {

namespace {

// Every label below `parent`, in pre-order, indented by depth: the whole arrangement at once.
QStringList Outline(const QAbstractItemModel& model, const QModelIndex& parent = {},
                    int depth = 0) {
  QStringList lines;
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    lines << QString(depth, u' ') + index.data().toString();
    lines << Outline(model, index, depth + 1);
  }
  return lines;
}

// The same outline read from the stand-in's nodes, starting at `first` and its siblings.
QStringList Outline(const Node* first, int depth = 0) {
  QStringList lines;
  for (const Node* node = first; node; node = node->NextSibling()) {
    lines << QString(depth, u' ') + QString::fromStdU16String(node->Text());
    lines << Outline(node->FirstChild(), depth + 1);
  }
  return lines;
}

QStringList Outline(Lintra& control) {
  Nodes& nodes = control.tvLintra().GetNodes();
  return Outline(nodes.size() > 0 ? nodes.Item(1).get() : nullptr);
}

QImage Image(const QIcon& icon) {
  return icon.pixmap(16, 16).toImage();
}

}  // namespace

class NodeModelTest : public QObject {
  Q_OBJECT

 private slots:
  void FollowsPagesAddedAndRemoved() {
    auto control = std::make_shared<Lintra>();
    MemoryHost host(control);
    ServeExampleTree(host.Files);
    host.Files[u"x.asp"] = IncludeLine(u"a.inc") + IncludeLine(u"gone.inc");
    NodeModel model(control->tvLintra(), control->imglTree());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    control->ParseFile(u"", u"r.asp");
    control->ParseFile(u"", u"x.asp");
    control->ParseFile(u"", u"r.asp");
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(Outline(model), Outline(*control));

    // A model made for a tree view that already has nodes arranges them alike.
    NodeModel late(control->tvLintra(), control->imglTree());
    QAbstractItemModelTester lateTester(&late,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(Outline(late), Outline(*control));

    // The middle page goes with its subtree; the pages around it keep their rows.
    Nodes& nodes = control->tvLintra().GetNodes();
    nodes.Remove(nodes.Item(1)->NextSibling()->Index());
    QCOMPARE(Outline(model), Outline(*control));
    QCOMPARE(Outline(model).first(), QStringLiteral("r.asp"));
    QCOMPARE(Outline(late), Outline(*control));

    control->ClearTree();
    QCOMPARE(model.rowCount(), 0);
  }

  void ShowsThePictureOfEachNodesKey() {
    auto control = std::make_shared<Lintra>();
    MemoryHost host(control);
    host.Files[u"p.asp"] = IncludeLine(u"d.inc") + IncludeLine(u"d.inc") +
                           IncludeLine(u"gone.inc") + IncludeLine(u"loop.inc");
    host.Files[u"d.inc"] = u"";
    host.Files[u"loop.inc"] = IncludeLine(u"loop.inc");
    control->ParseFile(u"", u"p.asp");
    control->ParseFile(u"", u"missing.asp");
    NodeModel model(control->tvLintra(), control->imglTree());

    std::set<Text> keys;
    for (const std::shared_ptr<Node>& node : control->tvLintra().GetNodes()) {
      const int position = control->imglTree().IndexOf(node->Image());
      const QIcon shown = model.IndexOf(node.get()).data(Qt::DecorationRole).value<QIcon>();
      QCOMPARE(Image(shown), Image(Pictures::TreePicture(position)));
      keys.insert(node->Image());
    }
    QCOMPARE(keys.size(), size_t{5});

    Node& node = *control->tvLintra().GetNodes().Item(2);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    node.Text(u"renamed.inc");
    node.Image(u"ASPFileWarning");
    QCOMPARE(changes.count(), 2);
    QCOMPARE(model.IndexOf(&node).data().toString(), QStringLiteral("renamed.inc"));
    QCOMPARE(Image(model.IndexOf(&node).data(Qt::DecorationRole).value<QIcon>()),
             Image(Pictures::TreePicture(3)));
  }

  void HighlightsTheNodesItIsToldAndRestylesEveryRow() {
    auto control = std::make_shared<Lintra>();
    MemoryHost host(control);
    host.Files[u"p.asp"] = IncludeLine(u"a.inc") + IncludeLine(u"b.inc");
    host.Files[u"a.inc"] = IncludeLine(u"b.inc");
    host.Files[u"b.inc"] = u"";
    control->ParseFile(u"", u"p.asp");
    NodeModel model(control->tvLintra(), control->imglTree());
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    const auto highlighted = [&] {
      QStringList names;
      for (const std::shared_ptr<Node>& node : control->tvLintra().GetNodes()) {
        const QModelIndex index = model.IndexOf(node.get());
        const bool bold = index.data(Qt::FontRole).value<QFont>().bold();
        if (bold != index.data(Qt::BackgroundRole).isValid()) return QStringList{"mixed"};
        if (bold) names << index.data().toString();
      }
      return names;
    };

    model.HighlightNodes([](const Node& node) { return node.Text() == u"b.inc"; });
    QCOMPARE(highlighted(), QStringList({"b.inc", "b.inc"}));
    // One change for the children of each node that has some: the top, the page and a.inc.
    QCOMPARE(changes.count(), 3);

    model.HighlightNodes({});
    QCOMPARE(highlighted(), QStringList());
    QCOMPARE(changes.count(), 6);
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(NodeModelTest)
#include "NodeModelTest.moc"
