#include "apps/lintra/SiteSurvey.h"

#include <algorithm>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/lintra/Progress.h"
#include "apps/lintra/Session.h"
#include "apps/lintra/SiteCheck.h"
#include "rules/UnusedFileRule.h"

namespace lintra {

namespace {

uint8_t FlagsOf(const File& file) {
  return static_cast<uint8_t>((file.MissingFile() ? SurveyFlag::Missing : 0) |
                              (file.CircularInclude() ? SurveyFlag::Circular : 0) |
                              (file.DuplicateInclude() ? SurveyFlag::Duplicate : 0));
}

// The characters that `file` adds to its page once expanded: its text, less the directive in its
// parent's text that it takes the place of.
int64_t ExpandedShare(const File& file, bool root) {
  const auto own = static_cast<int64_t>(file.Content().size());
  return root ? own : own - std::max(0, file.BaseFileEnd() - file.BaseFileStart());
}

}  // namespace

uint32_t SiteSurvey::FileId(const File& file) {
  scratch_.assign(file.Path());
  scratch_ += file.Name();
  const auto known = fileIds_.find(scratch_);
  if (known != fileIds_.end()) return known->second;
  const auto id = static_cast<uint32_t>(files_.size());
  fileIds_.emplace(scratch_, id);
  files_.push_back(scratch_);
  pageFiles_.push_back(false);
  return id;
}

size_t SiteSurvey::AddEdge(uint32_t from, uint32_t to, uint8_t flags, uint32_t level) {
  const uint64_t key = (static_cast<uint64_t>(from) << 32) | to;
  const auto [known, added] = edgeIds_.try_emplace(key, edges_.size());
  if (added) {
    edges_.push_back({from, to, flags, level});
  } else {
    SurveyEdge& edge = edges_[known->second];
    edge.flags |= flags;
    edge.level = std::min(edge.level, level);
  }
  return known->second;
}

uint32_t SiteSurvey::IncludedId(File& file, File& parent, uint32_t parentId, bool parentIsPage,
                                uint32_t level) {
  const uint8_t flags = FlagsOf(file);
  const DirectiveKey key{parent.SharedContent().get(), file.BaseFileStart()};
  const bool knowable = !parentIsPage && key.text;
  if (knowable) {
    const auto known = directives_.find(key);
    if (known != directives_.end()) {
      SurveyEdge& edge = edges_[known->second];
      if (edge.from == parentId) {
        edge.flags |= flags;
        edge.level = std::min(edge.level, level);
        return edge.to;
      }
    }
  }
  const uint32_t id = FileId(file);
  const size_t edge = AddEdge(parentId, id, flags, level);
  if (knowable) directives_[key] = edge;
  return id;
}

void SiteSurvey::Add(File& page) {
  if (whole_) {
    index_.Add(page, lines_);
    lines_.Forget(page.Content());
  }
  int64_t expanded = 0;
  SurveyPage surveyed;
  surveyed.file = FileId(page);
  pageFiles_[surveyed.file] = true;
  // Each file still to visit with its parent, the position of its parent's node and its level.
  struct Pending {
    File* file;
    File* parent;
    size_t parentAt;
    uint32_t level;
  };
  std::vector<Pending> pending{{&page, nullptr, 0, 0}};
  std::vector<size_t> parents;
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const size_t at = surveyed.tree.size();
    const uint32_t id =
        next.parent ? IncludedId(*next.file, *next.parent, surveyed.tree[next.parentAt].file,
                                 next.parent == &page, next.level)
                    : surveyed.file;
    surveyed.tree.push_back({id, FlagsOf(*next.file), 1});
    parents.push_back(next.parentAt);
    expanded += ExpandedShare(*next.file, at == 0);
    surveyed.depth = std::max(surveyed.depth, next.level);
    const lintra::Files* includes = next.file->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) {
      pending.push_back({(*includes)[i - 1].get(), next.file, at, next.level + 1});
    }
  }
  for (size_t i = surveyed.tree.size(); i-- > 1;) {
    surveyed.tree[parents[i]].size += surveyed.tree[i].size;
  }
  surveyed.expandedSize = static_cast<uint64_t>(std::max<int64_t>(0, expanded));
  pages_.push_back(std::move(surveyed));
}

void SiteSurvey::Finish() {
  elapsed_ = std::chrono::steady_clock::now() - start_;
  for (const RuleFinding& finding : checker_.Findings()) {
    if (finding.ruleId == UnusedFileRule::Id) unused_.push_back(finding.place.file);
  }
}

void SurveyPages(Session& session, const Options& options, SiteSurvey& survey) {
  const std::vector<Text> pages = session.Pages();
  if (survey.Whole()) {
    CheckRun(session, options, pages, survey.Rules(), FindingSet::MergeOrder::FirstFound,
             [&](File& page) { survey.Add(page); });
  } else {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (const std::shared_ptr<File> tree = session.AnalysePage(page)) survey.Add(*tree);
      progress.PageDone();
    }
  }
  survey.Finish();
}

}  // namespace lintra
