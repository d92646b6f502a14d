#pragma once

#include <utility>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"

namespace lintra {

// Calls `visit(file, parent)` on `root` and on every file below it, each before its includes and
// the includes in directive order; `parent` is null for the root. For walks that visit every
// node and need no error trap of their own; the files still to visit wait on an explicit stack,
// so any depth is safe. `Node` is File or const File.
template <class Node, class Visit>
void ForEachFile(Node& root, Visit&& visit) {
  std::vector<std::pair<Node*, Node*>> pending{{&root, nullptr}};
  while (!pending.empty()) {
    const auto [file, parent] = pending.back();
    pending.pop_back();
    visit(*file, parent);
    const Files* includes = file->IncludesIfAny();
    if (!includes) continue;
    for (auto child = includes->end(); child != includes->begin();) {
      --child;
      pending.emplace_back(child->get(), file);
    }
  }
}

}  // namespace lintra
