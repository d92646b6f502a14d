#pragma once

#include <cstddef>
#include <vector>

#include "platform/Text.h"
#include "site/ChangedFiles.h"

namespace lintra {

class SiteAnalysis;
class WindowHost;

// A page that depends on changed files, and the number of nodes its tree takes in the tree view.
struct DependantPage {
  Text page;
  size_t nodes = 0;
};

// What a search for the pages that depend on changed files found.
struct Dependants {
  // The dependent pages, in the order searched.
  std::vector<DependantPage> pages;
  // One message for the user (see FailureMessage) per page whose analysis failed, in order.
  std::vector<Text> failures;
};

// Analyses each of `pages` through `site`, counting each page's file requests afresh in `host`,
// and keeps those that are or include, at any depth, one of the `changed` files. No tree view is
// involved and each tree is let go once it is measured, so neither the view's limits nor memory
// grow with the number of pages.
Dependants FindDependants(SiteAnalysis& site, WindowHost& host, const std::vector<Text>& pages,
                          const ChangedFiles& changed);

}  // namespace lintra
