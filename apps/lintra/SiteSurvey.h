#pragma once

#include <chrono>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "rules/Checker.h"
#include "site/IncludeIndex.h"
#include "site/PageTree.h"
#include "site/TextPosition.h"

namespace lintra {

class File;
class Session;
struct Options;

// How a file stands where a tree shows it, as bits of SurveyNode::flags.
enum SurveyFlag : uint8_t { Missing = 1, Circular = 2, Duplicate = 4 };

// One node of a page's include tree: the file it shows (a position in SiteSurvey::Files), its
// SurveyFlag bits and how many nodes its subtree holds, itself included. A page's nodes are in
// pre-order, so a node's first child follows it and its next sibling follows its subtree.
struct SurveyNode {
  uint32_t file = 0;
  uint8_t flags = 0;
  uint32_t size = 1;
};

// A page with its include tree and what the tree weighs.
struct SurveyPage {
  uint32_t file = 0;
  std::vector<SurveyNode> tree;
  // Characters of the page with every include expanded in place.
  uint64_t expandedSize = 0;
  // The deepest include level, the page being 0.
  uint32_t depth = 0;
};

// An include directive of the site seen as an edge between two files, with the SurveyFlag bits
// of every node that showed it.
struct SurveyEdge {
  uint32_t from = 0;
  uint32_t to = 0;
  uint8_t flags = 0;
  // The shallowest level at which a tree shows the included file.
  uint32_t level = 0;
};

// How the pages that include one file use it: how many include it, how many of those need it (see
// UnneededIncludes), and the others, as positions in SiteSurvey::Pages, in page order.
struct FileUse {
  uint32_t including = 0;
  uint32_t users = 0;
  std::vector<uint32_t> idle;
};

// What a run learns of the pages it analyses, for the views of the whole site: every page's tree
// in compact form, the files the trees name, the edges between them, the checker's findings and
// the reverse index. Trees may go once they are added.
class SiteSurvey {
 public:
  // A survey that, when `whole`, runs the checker's rules at `settings`, judging the includes of
  // each page, and indexes the includers of each page; otherwise it keeps the trees and edges
  // alone, and Findings, Index, Uses and Unused stay empty.
  explicit SiteSurvey(bool whole, RuleSettings settings = {});

  // Indexes and records the analysed tree of a page, and when the survey is whole, notes which
  // of its includes the page uses by `judgement`, what Rules judged of the page as it checked it.
  void Add(const PageTree& page, const PageJudgement& judgement = {});

  // Ends the run, once the checker of a whole survey is finished.
  void Finish();

  // Every file the trees name, by their full path as the trees spell it (a missing file by the
  // path its directive asks for), in order of first sight.
  const std::vector<Text>& Files() const { return files_; }
  // Whether the file at `file` is one of the pages added.
  bool IsPage(uint32_t file) const { return pageFiles_[file]; }
  const std::vector<SurveyPage>& Pages() const { return pages_; }
  // The edges in order of first sight.
  const std::vector<SurveyEdge>& Edges() const { return edges_; }
  const Checker& Findings() const { return checker_; }
  // What checks the pages of a whole survey.
  Checker& Rules() { return checker_; }
  bool Whole() const { return whole_; }
  const IncludeIndex& Index() const { return index_; }
  // By position in Files: how the pages that include the file use it; empty unless whole.
  const std::vector<FileUse>& Uses() const { return uses_; }
  // The files of the checker's unused-file findings, in the order it found them.
  const std::vector<Text>& Unused() const { return unused_; }
  // The time spent analysing so far: from construction to Finish.
  std::chrono::steady_clock::duration Elapsed() const { return elapsed_; }

 private:
  // The position of the file that `file` shows in files_, added when new.
  uint32_t FileId(const File& file);
  // The position of the file at `path` in files_, added when new.
  uint32_t PathId(const Text& path);
  // The same for a file of no text (missing or refused) at `path`, as its directives name it:
  // one file however they spell it, as the server finds files in any letter case; the first
  // spelling names it.
  uint32_t TextlessId(const Text& path);
  // Adds an edge or merges `flags` and `level` into the edge known; returns its position.
  size_t AddEdge(uint32_t from, uint32_t to, uint8_t flags, uint32_t level);
  // The position of `file`, included by `parent` whose file is at `parentId`, with the edge
  // between them recorded. A directive seen before in a text below the page is found by its
  // DirectiveKey, once the including file is seen to be the same.
  uint32_t IncludedId(File& file, File& parent, uint32_t parentId, bool parentIsPage,
                      uint32_t level);

  // Notes in uses_ which files the page at `page` in pages_ includes and which of them it uses:
  // those of the includes that `unneeded`, by node, does not say it can do without.
  void NoteUses(const std::vector<bool>& unneeded, uint32_t page);

  bool whole_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::duration elapsed_{};
  Checker checker_;
  IncludeIndex index_;
  LineIndexes lines_;
  std::vector<Text> files_;
  std::vector<bool> pageFiles_;
  std::unordered_map<Text, uint32_t> fileIds_;
  // The positions of the files of no text, by their paths upper-cased.
  std::unordered_map<Text, uint32_t> textlessIds_;
  std::vector<SurveyPage> pages_;
  std::vector<SurveyEdge> edges_;
  std::unordered_map<uint64_t, size_t> edgeIds_;
  // The edge of each directive seen below a page.
  std::unordered_map<DirectiveKey, size_t, DirectiveKeyHash> directives_;
  // The full path of the file at hand, built here to spare an allocation per node.
  Text scratch_;
  std::vector<Text> unused_;
  std::vector<FileUse> uses_;
  // By file: the last page that noted it, plus one, and whether that page uses it.
  std::vector<uint32_t> notedPage_;
  std::vector<bool> notedUse_;
};

// Surveys every page of the session's run on options.jobs threads (see CheckRun), showing
// progress, and finishes the survey.
void SurveyPages(Session& session, const Options& options, SiteSurvey& survey);

}  // namespace lintra
