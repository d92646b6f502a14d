#include "apps/lintra/ParallelCheck.h"

#include <future>
#include <memory>

#include "analysis/File.h"
#include "analysis/SharedReading.h"
#include "apps/lintra/PageChunks.h"
#include "apps/lintra/TextHandover.h"

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
  // The trees of the analysed pages, kept when they are to be visited, otherwise null.
  std::vector<std::shared_ptr<File>> trees;
};

Chunk CheckChunk(Worker& worker, const std::vector<Text>& pages, size_t first, size_t end,
                 bool keepTrees) {
  Chunk chunk;
  for (size_t i = first; i < end; ++i) {
    if (std::shared_ptr<File> root = worker.session->AnalysePage(pages[i])) {
      worker.checker.Check(*root, static_cast<int64_t>(i) + 1);
      chunk.trees.push_back(keepTrees ? std::move(root) : nullptr);
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
    if (const std::shared_ptr<File> root = session.AnalysePage(page)) {
      checker.Check(*root);
      if (visit) visit(*root);
      ++analysed;
    }
    progress.PageDone();
  }
  return analysed;
}

// Analyses `page` while `handover` takes each text the analysis reads to another thread; returns
// the tree, or null when the analysis failed. Whatever happens, the handover is closed, with the
// tree prepared for reading on two threads or with null.
std::shared_ptr<File> AnalyseWhileLearnt(Session& session, const Text& page,
                                         TextHandover& handover) {
  std::shared_ptr<File> root;
  size_t nodes = 0;
  try {
    session.WatchReads([&](const std::shared_ptr<const SourceText>& text) { handover.Push(text); });
    root = session.AnalysePage(page);
    session.WatchReads({});
    if (root) nodes = PrepareForSharedReading(*root);
  } catch (...) {
    session.WatchReads({});
    handover.Close(nullptr, 0);
    throw;
  }
  handover.Close(root.get(), nodes);
  return root;
}

// One page and a spare core: the page's rules are shared between the run's checker and a second
// checker on a thread of its own, which learns the texts of the page while the calling thread
// analyses it, and then runs the rules that read them. A page that reaches thousands of includes
// is so checked in about the time of its analysis and of the costlier share.
size_t CheckSharingRules(Session& session, const Text& page, Checker& checker, Progress& progress,
                         const CheckedTree& visit) {
  auto partner = std::make_unique<Checker>(checker.Settings());
  TextHandover handover;
  std::future<void> redefinitions = std::async(std::launch::async, [&] {
    for (TextHandover::Texts texts; !(texts = handover.Next()).empty();) {
      for (const std::shared_ptr<const SourceText>& text : texts) partner->Learn(text);
    }
    if (File* tree = handover.Tree()) {
      // Room for a finding or two at every node of the page, so that the calling thread's
      // findings merge into these without moving them.
      partner->ExpectFindings(2 * handover.Nodes());
      partner->Check(*tree, 1, RuleShare::Redefinitions);
    }
  });
  std::shared_ptr<File> root = AnalyseWhileLearnt(session, page, handover);
  if (root) checker.Check(*root, 1, RuleShare::Others);
  redefinitions.get();
  progress.PageDone();
  if (!root) return 0;
  if (visit) visit(*root);
  FindingSet found = partner->TakeFindings();
  checker.TakeNotes(*partner);
  // The partner and the tree are let go on a thread of their own while the findings merge.
  const std::future<void> dropped = std::async(
      std::launch::async, [partner = std::move(partner), root = std::move(root)]() mutable {
        partner.reset();
        root.reset();
      });
  checker.Merge(std::move(found), FindingSet::MergeOrder::Any);
  return 1;
}

}  // namespace

size_t CheckPages(Session& session, const Options& options, const std::vector<Text>& pages,
                  Checker& checker, Progress& progress, FindingSet::MergeOrder order,
                  const CheckedTree& visit) {
  const unsigned jobs = JobsFor(options.jobs, pages.size());
  if (pages.size() == 1 && order == FindingSet::MergeOrder::Any && JobsFor(options.jobs, 2) > 1) {
    return CheckSharingRules(session, pages.front(), checker, progress, visit);
  }
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
          for (const std::shared_ptr<File>& tree : chunk.trees) visit(*tree);
        }
        failures.insert(failures.end(), std::make_move_iterator(chunk.failures.begin()),
                        std::make_move_iterator(chunk.failures.end()));
        analysed += chunk.trees.size();
        for (size_t i = 0; i < chunk.pages; ++i) progress.PageDone();
      });
  for (const std::unique_ptr<Worker>& worker : workers) {
    checker.Merge(worker->checker.TakeFindings(), order);
    checker.TakeNotes(worker->checker);
  }
  // Sessions go in the reverse order of their making, each putting back the message handler it
  // found.
  while (!workers.empty()) workers.pop_back();
  session.ReplaceFailures(std::move(failures));
  return analysed;
}

}  // namespace lintra
