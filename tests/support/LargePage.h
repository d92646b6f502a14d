#pragma once

#include "platform/Text.h"

namespace lintra {

// The page "big.asp" of exactly 20,000 files: the page includes 4,000 groups, and each group
// includes 4 distinct leaves, except the last group, which includes 3.
namespace LargePage {

constexpr int Groups = 4000;
constexpr int LeavesPerGroup = 4;
constexpr int NodeCount = 1 + Groups * (1 + LeavesPerGroup) - 1;

// Fills `files` (a map from path to text) with the page and everything it includes.
template <class FileMap>
void Add(FileMap& files) {
  Text page;
  for (int group = 0; group < Groups; ++group) {
    const Text name = u"g" + text::FromNumber(group);
    page += u"<!-- #include file=\"" + name + u".inc\" -->\r\n";
    Text body;
    const int leaves = group == Groups - 1 ? LeavesPerGroup - 1 : LeavesPerGroup;
    for (int leaf = 0; leaf < leaves; ++leaf) {
      const Text leafName = name + u"_" + text::FromNumber(leaf) + u".inc";
      body += u"<!-- #include file=\"" + leafName + u"\" -->\r\n";
      files[leafName] = Text();
    }
    files[name + u".inc"] = body;
  }
  files[u"big.asp"] = page;
}

}  // namespace LargePage

}  // namespace lintra
