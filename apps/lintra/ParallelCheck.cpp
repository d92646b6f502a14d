#include "apps/lintra/ParallelCheck.h"

#include <memory>

#include "analysis/File.h"
#include "apps/lintra/PageChunks.h"

namespace lintra {

namespace {

// What one thread checks pages with: the run's own session for the first thread, a new one for
// the others, and a checker of its own.
struct Worker {
  Worker(Session& runSession, const RuleSettings& settings)
      : session(&runSession), failuresSeen(runSession.Failures().size()), checker(settings) {}
  Worker(const Options& options, const RuleSettings& settings)
      : owned(std::make_unique<Session>(options)), session(owned.get()), checker(settings) {}

  std::unique_ptr<Session> owned;
  Session* session;
  size_t failuresSeen = 0;
  Checker checker;
};

// What a worker made of a chunk of consecutive pages, less the findings, which its checker
// keeps over all its chunks so that a place that many chunks reach is made once a worker.
struct Chunk {
  size_t pages = 0;
  std::vector<PageFailure> failures;
  // The trees of the analysed pages, kept when they are to be visited.
  std::vector<PageTree> trees;
  size_t analysed = 0;
};

Chunk CheckChunk(Worker& worker, const std::vector<Text>& pages, size_t first, size_t end,
                 bool keepTrees) {
  Chunk chunk;
  for (size_t i = first; i < end; ++i) {
    if (std::shared_ptr<File> root = worker.session->AnalysePage(pages[i])) {
      PageTree tree(std::move(root));
      worker.checker.Check(tree, static_cast<int64_t>(i) + 1);
      if (keepTrees) chunk.trees.push_back(std::move(tree));
      ++chunk.analysed;
    }
    ++chunk.pages;
  }
  const std::vector<PageFailure>& failures = worker.session->Failures();
  chunk.failures.assign(failures.begin() + static_cast<ptrdiff_t>(worker.failuresSeen),
                        failures.end());
  worker.failuresSeen = failures.size();
  return chunk;
}

// One job: every page goes straight into the run's checker, so that no finding is made twice.
size_t CheckInOrder(Session& session, const std::vector<Text>& pages, Checker& checker,
                    Progress& progress, const CheckedTree& visit) {
  size_t analysed = 0;
  for (const Text& page : pages) {
    if (std::shared_ptr<File> root = session.AnalysePage(page)) {
      const PageTree tree(std::move(root));
      checker.Check(tree);
      if (visit) visit(tree);
      ++analysed;
    }
    progress.PageDone();
  }
  return analysed;
}

}  // namespace

size_t CheckPages(Session& session, const Options& options, const std::vector<Text>& pages,
                  Checker& checker, Progress& progress, FindingSet::MergeOrder order,
                  const CheckedTree& visit) {
  const unsigned jobs = JobsFor(options.jobs, pages.size());
  if (jobs == 1) return CheckInOrder(session, pages, checker, progress, visit);
  std::vector<std::unique_ptr<Worker>> workers;
  workers.push_back(std::make_unique<Worker>(session, checker.Settings()));
  for (unsigned i = 1; i < jobs; ++i) {
    workers.push_back(std::make_unique<Worker>(options, checker.Settings()));
  }
  std::vector<PageFailure> failures = session.Failures();
  size_t analysed = 0;
  RunInChunks(
      pages.size(), workers,
      [&](Worker& worker, size_t first, size_t end) {
        return CheckChunk(worker, pages, first, end, static_cast<bool>(visit));
      },
      [&](Chunk&& chunk) {
        if (visit) {
          for (const PageTree& tree : chunk.trees) visit(tree);
        }
        failures.insert(failures.end(), std::make_move_iterator(chunk.failures.begin()),
                        std::make_move_iterator(chunk.failures.end()));
        analysed += chunk.analysed;
        for (size_t i = 0; i < chunk.pages; ++i) progress.PageDone();
      });
  for (const std::unique_ptr<Worker>& worker : workers) {
    checker.Merge(worker->checker.TakeFindings(), order);
    checker.TakeNotes(worker->checker);
    if (worker->owned) session.TakeUnreadableFiles(*worker->owned);
  }
  session.ReplaceFailures(std::move(failures));
  return analysed;
}

}  // namespace lintra
