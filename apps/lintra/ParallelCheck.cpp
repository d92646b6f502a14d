#include "apps/lintra/ParallelCheck.h"

#include <future>
#include <memory>

#include "analysis/File.h"
#include "apps/lintra/PageChunks.h"
#include "apps/lintra/TextLearner.h"

namespace lintra {

namespace {

// A session of its own for a thread of the run, that shares the run's `texts`.
std::unique_ptr<Session> SessionSharing(const Options& options,
                                        const std::shared_ptr<SharedTexts>& texts) {
  auto session = std::make_unique<Session>(options);
  session->ShareTexts(texts);
  return session;
}

// What one thread checks pages with: the run's own session for the first thread, a new one for
// the others that reads the files' texts with it, and a checker of its own that checks and
// judges as the run's does.
struct Worker {
  Worker(Session& runSession, const Checker& run)
      : session(&runSession), failuresSeen(runSession.Failures().size()), checker(run.Alike()) {}
  Worker(const Options& options, const std::shared_ptr<SharedTexts>& texts, const Checker& run)
      : owned(SessionSharing(options, texts)), session(owned.get()), checker(run.Alike()) {}

  std::unique_ptr<Session> owned;
  Session* session;
  size_t failuresSeen = 0;
  Checker checker;
};

// An analysed page kept to be visited, with what the checker judged of it.
struct CheckedPage {
  PageTree tree;
  PageJudgement judgement;
};

// What a worker made of a chunk of consecutive pages, less the findings, which its checker
// keeps over all its chunks so that a place that many chunks reach is made once a worker.
struct Chunk {
  size_t pages = 0;
  std::vector<PageFailure> failures;
  // The analysed pages, kept when they are to be visited.
  std::vector<CheckedPage> checked;
  size_t analysed = 0;
};

Chunk CheckChunk(Worker& worker, const std::vector<Text>& pages, size_t first, size_t end,
                 bool keepTrees) {
  Chunk chunk;
  for (size_t i = first; i < end; ++i) {
    if (std::shared_ptr<File> root = worker.session->AnalysePage(pages[i])) {
      PageTree tree(std::move(root));
      PageJudgement judgement = worker.checker.Check(tree, static_cast<int64_t>(i) + 1);
      if (keepTrees) chunk.checked.push_back({std::move(tree), std::move(judgement)});
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
      const PageJudgement judgement = checker.Check(tree);
      if (visit) visit(tree, judgement);
      ++analysed;
    }
    progress.PageDone();
  }
  return analysed;
}

// One page and a spare core: the run's checker learns the page's texts on the spare core while
// the page is analysed (see TextLearner), so that the rules the calling thread then takes find
// them learnt; it and a second checker alike to it share out the page's rules, one on each core,
// and the second one's findings join the run's in any order; the tree is freed on the spare core.
size_t CheckWithPartner(Session& session, const Text& page, Checker& checker, Progress& progress,
                        const CheckedTree& visit) {
  Checker partner = checker.Alike();
  std::shared_ptr<File> root;
  {
    const TextLearner learner(session, checker);
    root = session.AnalysePage(page);
  }
  if (!root) {
    progress.PageDone();
    return 0;
  }
  PageTree tree(std::move(root));
  RuleShare share;
  std::future<PageJudgement> partnerDone =
      std::async(std::launch::async, [&] { return partner.Check(tree, 1, share); });
  const PageJudgement judgement = checker.Check(tree, 1, share);
  partnerDone.get();
  checker.Merge(partner.TakeFindings(), FindingSet::MergeOrder::Any);
  checker.TakeNotes(partner);
  if (visit) visit(tree, judgement);
  progress.PageDone();
  session.FreeLater(std::move(tree));
  return 1;
}

}  // namespace

size_t CheckPages(Session& session, const Options& options, const std::vector<Text>& pages,
                  Checker& checker, Progress& progress, FindingSet::MergeOrder order,
                  const CheckedTree& visit) {
  const unsigned jobs = JobsFor(options.jobs, pages.size());
  if (pages.size() == 1 && JobsFor(options.jobs, 2) > 1 && order == FindingSet::MergeOrder::Any) {
    return CheckWithPartner(session, pages.front(), checker, progress, visit);
  }
  if (jobs == 1) return CheckInOrder(session, pages, checker, progress, visit);
  const auto texts = std::make_shared<SharedTexts>();
  session.ShareTexts(texts);
  std::vector<std::unique_ptr<Worker>> workers;
  workers.push_back(std::make_unique<Worker>(session, checker));
  for (unsigned i = 1; i < jobs; ++i) {
    workers.push_back(std::make_unique<Worker>(options, texts, checker));
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
          for (const CheckedPage& page : chunk.checked) visit(page.tree, page.judgement);
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
