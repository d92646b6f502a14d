#include <gtest/gtest.h>

#include <string>

#include "platform/ErrorRecord.h"
#include "platform/TreeView.h"
#include "support/Errors.h"
#include "support/ViewLog.h"

namespace lintra {

namespace {

std::shared_ptr<Node> AddTop(Nodes& nodes, const char16_t* text) {
  return nodes.Add(nullptr, Relationship::Last, u"", text, u"ASPFile");
}

std::shared_ptr<Node> AddChild(Nodes& nodes, Node& parent, const char16_t* text) {
  return nodes.Add(&parent, Relationship::Child, u"", text, u"IncludeFile");
}

// The labels of all nodes in position order, each followed by its Index.
std::string Positions(const Nodes& nodes) {
  std::string result;
  for (const auto& node : nodes) {
    if (!result.empty()) result += ' ';
    result += text::ToUtf8(node->Text()) + std::to_string(node->Index());
  }
  return result;
}

}  // namespace

TEST(TreeView, AddPlacesNodesByRelationshipAndRemoveTakesTheSubtree) {
  TreeView view;
  Nodes& nodes = view.GetNodes();
  const auto r = AddTop(nodes, u"r");
  const auto a = AddChild(nodes, *r, u"a");
  const auto s = nodes.Add(r.get(), Relationship::Last, u"", u"s", u"ASPFile");
  const auto b = nodes.Add(a.get(), Relationship::Last, u"", u"b", u"IncludeFile");
  const auto a1 = AddChild(nodes, *a, u"a1");
  const auto t = nodes.Add(a.get(), Relationship::Last, u"", u"t", u"IncludeFile");

  EXPECT_EQ(Positions(nodes), "r1 a2 s3 b4 a15 t6");
  EXPECT_EQ(r->Children(), 3);
  EXPECT_EQ(r->FirstChild(), a.get());
  EXPECT_EQ(a->Next(), b);
  EXPECT_EQ(b->Next(), t);
  EXPECT_EQ(t->Next(), nullptr);
  EXPECT_EQ(r->Next(), s);
  EXPECT_EQ(a1->Parent(), a);
  EXPECT_EQ(ErrorOf([&] { nodes.Item(0); }), 9);
  EXPECT_EQ(ErrorOf([&] { nodes.Item(7); }), 9);

  view.SelectedItem(s.get());
  nodes.Remove(2);
  EXPECT_EQ(Positions(nodes), "r1 s2 b3 t4");
  EXPECT_EQ(r->Children(), 2);
  EXPECT_EQ(r->FirstChild(), b.get());
  EXPECT_EQ(view.SelectedItem(), s);
  // A removed node kept alive by its holder no longer has a place.
  EXPECT_EQ(ErrorOf([&] { a->Index(); }), 91);
  EXPECT_EQ(ErrorOf([&] { a1->Parent(); }), 91);
  EXPECT_EQ(a->FirstChild(), nullptr);
  EXPECT_EQ(a1->ParentNode(), nullptr);

  view.SelectedItem(b.get());
  nodes.Remove(1);
  EXPECT_EQ(Positions(nodes), "s1");
  EXPECT_EQ(view.SelectedItem(), nullptr);
  EXPECT_EQ(r->FirstChild(), nullptr);
  EXPECT_EQ(b->ParentNode(), nullptr);

  // When the last top-level node goes, new top-level nodes follow the one before it.
  AddTop(nodes, u"x");
  nodes.Remove(2);
  const auto y = nodes.Add(s.get(), Relationship::Last, u"", u"y", u"");
  EXPECT_EQ(Positions(nodes), "s1 y2");
  EXPECT_EQ(s->Next(), y);
}

TEST(TreeView, CountsAbove32767AreOverflow) {
  TreeView view;
  Nodes& nodes = view.GetNodes();
  const auto r = AddTop(nodes, u"r");
  for (int i = 0; i < 32766; ++i) AddChild(nodes, *r, u"c");
  EXPECT_EQ(nodes.Count(), 32767);
  EXPECT_EQ(r->Children(), 32766);

  AddChild(nodes, *r, u"c");
  EXPECT_EQ(ErrorOf([&] { nodes.Count(); }), 6);
  EXPECT_EQ(r->Children(), 32767);
  AddChild(nodes, *r, u"c");
  EXPECT_EQ(ErrorOf([&] { r->Children(); }), 6);
  EXPECT_EQ(nodes.Item(32769)->Index(), 32769);
}

TEST(TreeView, ObserversHearChangesInOrder) {
  TreeView view;
  Nodes& nodes = view.GetNodes();
  Text heard;
  {
    ViewLog log(view);
    const auto r = AddTop(nodes, u"r");
    const auto a = AddChild(nodes, *r, u"a");
    view.Visible(false);
    r->Expanded(true);
    r->Expanded(true);
    a->Expanded(false);
    view.Visible(false);
    view.Visible(true);
    view.SelectedItem(a.get());
    view.SelectedItem(a.get());
    nodes.Remove(1);
    AddTop(nodes, u"s");
    nodes.Remove(1);
    heard = log.Log;
  }
  AddTop(nodes, u"t");

  EXPECT_EQ(heard,
            u"add r-\nadd a-\nhide\nopen r\nshow\nselect a\nremove r\nselect none\n"
            u"add s-\nremove s\n");
  EXPECT_EQ(view.HideCount(), 2);
  EXPECT_EQ(view.ShowCount(), 1);
  EXPECT_TRUE(view.Visible());
}

}  // namespace lintra
