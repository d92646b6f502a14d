#include "site/ShownTrees.h"

#include <utility>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/TextTree.h"
#include "errors/modPendryError.h"
#include "platform/ErrorRecord.h"

namespace {

// The most nodes the tree view counts, and the most children a node counts.
constexpr size_t MostCounted = 32767;

size_t IncludeCount(const File& file) {
  const Files* includes = file.IncludesIfAny();
  return includes ? includes->size() : 0;
}

// Visits the files of the tree of `page` in pre-order, `page` first, until `visit` returns false.
template <class Visit>
void PreOrder(File& page, Visit visit) {
  std::vector<File*> pending{&page};
  while (!pending.empty()) {
    File& file = *pending.back();
    pending.pop_back();
    if (!visit(file)) return;
    const Files* includes = file.IncludesIfAny();
    if (!includes) continue;
    for (auto child = includes->end(); child != includes->begin();) {
      pending.push_back((--child)->get());
    }
  }
}

// Reports an overflow as the control's procedure `procedure` reports one.
void ReportOverflow(const char16_t* procedure) {
  ErrorTrap trap(u"Lintra", procedure);
  trap.Step([] { RaisePlatformError(ErrorNumber::Overflow); });
}

// Adds the overflows that opening every node below `start` meets: the nodes are opened in
// pre-order, and at a file with too many includes the walk leaves that file and its later
// siblings and goes on after their parent.
void AddWalkOverflows(File& start, std::vector<const char16_t*>& overflows) {
  std::vector<std::pair<const Files*, size_t>> walks{{start.IncludesIfAny(), 0}};
  while (!walks.empty()) {
    auto& [includes, next] = walks.back();
    if (next == includes->size()) {
      walks.pop_back();
      continue;
    }
    File& child = *(*includes)[next++];
    const size_t count = IncludeCount(child);
    if (count > MostCounted) {
      overflows.push_back(u"ExpandAllNodes");
      walks.pop_back();
    } else if (count > 0) {
      walks.emplace_back(child.IncludesIfAny(), 0);
    }
  }
}

}  // namespace

// The view opens every node in position order and everything below each; a file with too many
// includes ends the opening.
ShownTrees::Opening ShownTrees::OpeningOf(File& page) {
  Opening opening;
  PreOrder(page, [&](File& file) {
    const size_t count = IncludeCount(file);
    if (count > MostCounted) {
      opening.overflows.push_back(u"ExpandWholeTree");
      opening.stops = true;
      return false;
    }
    if (count > 0) AddWalkOverflows(file, opening.overflows);
    return true;
  });
  return opening;
}

void ShownTrees::Show(std::shared_ptr<File> page) {
  if (nodes_ > MostCounted) {
    ReportOverflow(u"DisplayTree");
  } else {
    bool crowded = false;
    PreOrder(*page, [&](File& file) {
      ++nodes_;
      crowded = crowded || IncludeCount(file) > MostCounted;
      return true;
    });
    openings_.push_back(crowded ? OpeningOf(*page) : Opening{});
    pages_.push_back(std::move(page));
  }
  OpenAll();
}

void ShownTrees::OpenAll() const {
  for (const Opening& opening : openings_) {
    for (const char16_t* procedure : opening.overflows) ReportOverflow(procedure);
    if (opening.stops) return;
  }
}

Text ShownTrees::TextTree() const {
  ErrorTrap trap(u"Lintra", u"TextTree");
  Text drawing;
  for (const std::shared_ptr<File>& page : pages_) {
    const size_t mark = drawing.size();
    if (!trap.Step([&] { AppendTextTree(*page, drawing); })) {
      drawing.resize(mark);
      break;
    }
  }
  return drawing;
}
