#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/MemoryHost.h"

namespace lintra {

namespace {

void PreOrder(File& node, std::vector<File*>& out) {
  for (const auto& child : *node.Includes()) {
    out.push_back(child.get());
    PreOrder(*child, out);
  }
}

// The duplicate test by its definition: a depth-first search of the whole tree below `below`
// for another node, not circular, with exactly the same path.
bool SearchDuplicate(File& target, File& below) {
  for (const auto& item : *below.Includes()) {
    if (item.get() != &target && item->FullPath() == target.FullPath() &&
        !item->CircularInclude()) {
      return true;
    }
    if (SearchDuplicate(target, *item)) return true;
  }
  return false;
}

bool RepeatsAnAncestor(File& node) {
  for (auto up = node.Parent(); up; up = up->Parent()) {
    if (text::UCase(up->FullPath()) == text::UCase(node.FullPath())) return true;
  }
  return false;
}

}  // namespace

// A file among its own includers is circular whatever its letter case, and is asked for all the
// same. Every occurrence of a path found elsewhere in the page, spelt exactly alike and not
// circular, is a duplicate; a missing file goes by its bare name.
TEST(Detection, CircularAndDuplicateIncludesByExample) {
  MemoryHost host;
  host.Files[u"p.asp"] = IncludeDirective(u"inc/a.inc") + IncludeDirective(u"inc/A.inc") +
                         IncludeDirective(u"x/gone.inc") + IncludeDirective(u"gone.inc") +
                         IncludeDirective(u"p.asp");
  host.Files[u"inc/a.inc"] = IncludeDirective(u"A.inc");
  host.Files[u"inc/A.inc"] = u"";
  host.Files[u"gone.inc"] = u"G";
  auto p = host.Control->AnalysePage(u"", u"p.asp");

  EXPECT_EQ(Outline(*p),
            u"inc/a.inc\n"
            u"  inc/A.inc circular duplicate\n"
            u"inc/A.inc\n"
            u"gone.inc missing duplicate\n"
            u"gone.inc duplicate\n"
            u"p.asp circular\n");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"p.asp", u"inc/a.inc", u"inc/A.inc", u"inc/A.inc",
                                              u"x/gone.inc", u"gone.inc", u"p.asp"}));
  EXPECT_FALSE(p->CircularInclude() || p->DuplicateInclude());
}

// Random small sites, with paths that differ only in letter case, missing files that share a
// name with each other or with a readable file, and includes that loop back, checked against the
// definitions of both flags.
TEST(Detection, FlagsMatchTheirDefinitionsOnRandomSites) {
  const std::vector<Text> pool = {u"a.inc",
                                  u"A.inc",
                                  u"inc/a.inc",
                                  u"inc/b.inc",
                                  u"gone.inc",
                                  u"inc/gone.inc",
                                  u"b.inc",
                                  u"inc/Deep/Folder/Name.inc",
                                  u"INC/deep/folder/name.INC",
                                  u"inc/f\u0131le.inc",
                                  u"inc/FILE.inc"};
  std::mt19937 random(20240611);
  int duplicates = 0;
  int circularDuplicates = 0;
  for (int iteration = 0; iteration < 600; ++iteration) {
    MemoryHost host;
    std::vector<Text> targets = pool;
    targets.push_back(u"p.asp");
    std::vector<Text> existing = pool;
    std::shuffle(existing.begin(), existing.end(), random);
    existing.resize(std::uniform_int_distribution<size_t>(2, 5)(random));
    existing.push_back(u"p.asp");
    for (const Text& path : existing) {
      Text content = u"text";
      const int directives =
          path == u"p.asp" ? 3 : std::discrete_distribution<int>({2, 4, 3})(random);
      for (int d = 0; d < directives; ++d) {
        const Text& target = targets[random() % targets.size()];
        content += u"<!-- #include virtual=\"/" + target + u"\" -->\r\n";
      }
      host.Files[path] = content;
    }
    auto root = host.Control->AnalysePage(u"", u"p.asp");
    std::vector<File*> nodes;
    PreOrder(*root, nodes);
    EXPECT_FALSE(root->DuplicateInclude());
    for (File* node : nodes) {
      const bool duplicate = SearchDuplicate(*node, *root);
      EXPECT_EQ(node->DuplicateInclude(), duplicate)
          << "iteration " << iteration << ", " << text::ToUtf8(node->FullPath());
      EXPECT_EQ(node->CircularInclude(), !node->MissingFile() && RepeatsAnAncestor(*node));
      if (node->CircularInclude()) {
        EXPECT_EQ(node->Includes()->Count(), u"0");
      }
      duplicates += duplicate;
      circularDuplicates += duplicate && node->CircularInclude();
    }
  }
  EXPECT_GT(duplicates, 400);
  EXPECT_GT(circularDuplicates, 50);
}

}  // namespace lintra
