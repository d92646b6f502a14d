#include "apps/lintra/SiteSurvey.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/lintra/Progress.h"
#include "apps/lintra/ProjectFiles.h"
#include "apps/lintra/Session.h"

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

// The extension of `path` in capitals, empty for none.
Text Extension(const Text& path) {
  const size_t dot = path.rfind(u'.');
  const size_t slash = path.find_last_of(u"/\\");
  if (dot == Text::npos || (slash != Text::npos && dot < slash)) return Text();
  return text::UCase(path.substr(dot + 1));
}

}  // namespace

uint32_t SiteSurvey::FileId(const Text& path) {
  const auto [known, added] = fileIds_.try_emplace(path, static_cast<uint32_t>(files_.size()));
  if (added) {
    files_.push_back(path);
    pageFiles_.push_back(false);
  }
  return known->second;
}

void SiteSurvey::AddEdge(uint32_t from, uint32_t to, uint8_t flags, uint32_t level) {
  const uint64_t key = (static_cast<uint64_t>(from) << 32) | to;
  const auto [known, added] = edgeIds_.try_emplace(key, edges_.size());
  if (added) {
    edges_.push_back({from, to, flags, level});
    return;
  }
  SurveyEdge& edge = edges_[known->second];
  edge.flags |= flags;
  edge.level = std::min(edge.level, level);
}

void SiteSurvey::Add(File& page) {
  checker_.Check(page);
  index_.Add(page, lines_);
  lines_.Forget(page.Content());
  int64_t expanded = 0;
  SurveyPage surveyed;
  surveyed.file = FileId(page.FullPath());
  pageFiles_[surveyed.file] = true;
  // Each pending file with the position of its parent's node and its level.
  std::vector<std::tuple<File*, size_t, uint32_t>> pending{{&page, 0, 0}};
  std::vector<size_t> parents;
  while (!pending.empty()) {
    const auto [file, parent, level] = pending.back();
    pending.pop_back();
    const size_t at = surveyed.tree.size();
    const uint8_t flags = FlagsOf(*file);
    surveyed.tree.push_back({FileId(file->FullPath()), flags, 1});
    parents.push_back(parent);
    expanded += ExpandedShare(*file, at == 0);
    surveyed.depth = std::max(surveyed.depth, level);
    if (at != 0) AddEdge(surveyed.tree[parent].file, surveyed.tree[at].file, flags, level);
    const lintra::Files* includes = file->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) {
      pending.emplace_back((*includes)[i - 1].get(), at, level + 1);
    }
  }
  for (size_t i = surveyed.tree.size(); i-- > 1;) {
    surveyed.tree[parents[i]].size += surveyed.tree[i].size;
  }
  surveyed.expandedSize = static_cast<uint64_t>(std::max<int64_t>(0, expanded));
  pages_.push_back(std::move(surveyed));
}

void SiteSurvey::Finish(const std::vector<Text>& projectFiles) {
  checker_.Finish(projectFiles);
  std::unordered_set<Text> kinds{u"INC"};
  for (const SurveyEdge& edge : edges_) {
    if (!(edge.flags & SurveyFlag::Missing)) kinds.insert(Extension(files_[edge.to]));
  }
  for (const Text& file : projectFiles) {
    const Text kind = Extension(file);
    if (kind != u"ASP" && kinds.contains(kind) && index_.PageCount(file) == 0) {
      unused_.push_back(file);
    }
  }
  elapsed_ = std::chrono::steady_clock::now() - start_;
}

void SurveyPages(Session& session, SiteSurvey& survey) {
  const std::vector<Text> pages = session.Pages();
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (const std::shared_ptr<File> tree = session.AnalysePage(page)) survey.Add(*tree);
      progress.PageDone();
    }
  }
  survey.Finish(FindProjectFiles(session.Root()));
}

}  // namespace lintra
