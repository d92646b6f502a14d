#include "apps/lintra/SiteSurvey.h"

#include <algorithm>

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
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

SiteSurvey::SiteSurvey(bool whole, RuleSettings settings)
    : whole_(whole), checker_(std::move(settings)) {
  if (whole_) checker_.JudgeIncludes();
}

uint32_t SiteSurvey::FileId(const File& file) {
  scratch_.assign(file.Path());
  scratch_ += file.Name();
  return PathId(scratch_);
}

uint32_t SiteSurvey::PathId(const Text& path) {
  const auto known = fileIds_.find(path);
  if (known != fileIds_.end()) return known->second;
  const auto id = static_cast<uint32_t>(files_.size());
  fileIds_.emplace(path, id);
  files_.push_back(path);
  pageFiles_.push_back(false);
  return id;
}

uint32_t SiteSurvey::TextlessId(const Text& path) {
  const auto [known, added] = textlessIds_.try_emplace(text::UCase(path), 0);
  if (added) known->second = PathId(path);
  return known->second;
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
  const uint32_t id = file.SharedContent() ? FileId(file) : TextlessId(NamedPath(parent, file));
  const size_t edge = AddEdge(parentId, id, flags, level);
  if (knowable) directives_[key] = edge;
  return id;
}

void SiteSurvey::Add(const PageTree& tree, const PageJudgement& judgement) {
  File& page = tree.Page();
  if (whole_) {
    index_.Add(tree, lines_);
    lines_.Forget(page.Content());
  }
  int64_t expanded = 0;
  SurveyPage surveyed;
  surveyed.file = FileId(page);
  pageFiles_[surveyed.file] = true;
  const std::vector<PageTree::Node>& nodes = tree.Nodes();
  surveyed.tree.reserve(nodes.size());
  for (size_t at = 0; at < nodes.size(); ++at) {
    const PageTree::Node& node = nodes[at];
    const uint32_t id =
        at == 0 ? surveyed.file
                : IncludedId(*node.file, *nodes[node.parent].file, surveyed.tree[node.parent].file,
                             node.parent == 0, node.depth);
    surveyed.tree.push_back({id, FlagsOf(*node.file), node.size});
    expanded += ExpandedShare(*node.file, at == 0);
    surveyed.depth = std::max(surveyed.depth, node.depth);
  }
  surveyed.expandedSize = static_cast<uint64_t>(std::max<int64_t>(0, expanded));
  pages_.push_back(std::move(surveyed));
  if (whole_) NoteUses(judgement.unneededIncludes, static_cast<uint32_t>(pages_.size() - 1));
}

void SiteSurvey::NoteUses(const std::vector<bool>& unneeded, uint32_t page) {
  const std::vector<SurveyNode>& nodes = pages_[page].tree;
  uses_.resize(files_.size());
  notedPage_.resize(files_.size(), 0);
  notedUse_.resize(files_.size(), false);
  std::vector<uint32_t> included;
  for (size_t at = 1; at < nodes.size(); ++at) {
    const uint32_t file = nodes[at].file;
    if (notedPage_[file] != page + 1) {
      notedPage_[file] = page + 1;
      notedUse_[file] = false;
      included.push_back(file);
    }
    if (!unneeded[at]) notedUse_[file] = true;
  }
  for (const uint32_t file : included) {
    FileUse& use = uses_[file];
    ++use.including;
    if (notedUse_[file]) {
      ++use.users;
    } else {
      use.idle.push_back(page);
    }
  }
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
    CheckRun(
        session, options, pages, survey.Rules(), FindingSet::MergeOrder::FirstFound,
        [&](const PageTree& page, const PageJudgement& judgement) { survey.Add(page, judgement); });
  } else {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (std::shared_ptr<File> tree = session.AnalysePage(page)) {
        survey.Add(PageTree(std::move(tree)));
      }
      progress.PageDone();
    }
  }
  survey.Finish();
}

}  // namespace lintra
