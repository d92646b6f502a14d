#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lintra {

// The number of threads a run of `pages` pages uses when asked for `jobs` (0: one per core of
// the machine): never more than there are pages, at least one.
unsigned JobsFor(unsigned jobs, size_t pages);

// How work that may run beside the calling thread is launched in a run of `jobs` threads (see
// JobsFor): on a thread of its own, or, with one job, on the calling thread once its result is
// asked for.
std::launch LaunchFor(unsigned jobs);

// The number of consecutive pages that one chunk of a run over `pages` pages with `jobs` threads
// holds: small enough that the threads share the work evenly when pages differ in cost, large
// enough that handing chunks over, and making again in each chunk the findings that many chunks
// reach, costs little.
size_t ChunkSize(size_t pages, unsigned jobs);

// Works through pages 0 to `count` - 1 in chunks of consecutive pages that `jobs` threads take in
// page order, each thread with a worker of its own, and hands the chunks' results to the calling
// thread in page order. Workers are made and destroyed on the calling thread.
//
// `makeWorker(i)` returns the i-th worker as a std::unique_ptr; `work(worker, first, end)` runs
// on a worker's thread and returns the result of pages first to end - 1; `merge(result)` runs on
// the calling thread, once per chunk, in page order. With one job, everything runs on the calling
// thread. Workers are destroyed in the reverse order of their making. An exception from `work`
// stops the run and is thrown again here once the threads are done; chunks after the failed one are
// not merged.
template <class MakeWorker, class Work, class Merge>
void RunInChunks(size_t count, unsigned jobs, MakeWorker makeWorker, Work work, Merge merge);

namespace chunks {

// The results of chunks not yet merged, and the chunks not yet taken.
template <class Result>
class Queue {
 public:
  Queue(size_t count, size_t chunkSize, size_t window)
      : count_(count),
        chunkSize_(chunkSize),
        window_(window),
        results_((count + chunkSize - 1) / chunkSize) {}

  size_t Chunks() const { return results_.size(); }
  size_t First(size_t chunk) const { return chunk * chunkSize_; }
  size_t End(size_t chunk) const { return std::min(count_, (chunk + 1) * chunkSize_); }

  // The next chunk to work on, waiting while the window of unmerged chunks is full; none once
  // every chunk is taken or the run failed.
  std::optional<size_t> Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || next_ >= Chunks() || next_ < merged_ + window_; });
    if (failure_ || next_ >= Chunks()) return std::nullopt;
    return next_++;
  }

  void Done(size_t chunk, Result result) {
    const std::lock_guard lock(mutex_);
    results_[chunk] = std::move(result);
    changed_.notify_all();
  }

  void Fail(std::exception_ptr failure) {
    const std::lock_guard lock(mutex_);
    if (!failure_) failure_ = failure;
    changed_.notify_all();
  }

  // The result of `chunk` once it is done; none when the run failed first.
  std::optional<Result> Wait(size_t chunk) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || results_[chunk].has_value(); });
    if (failure_) return std::nullopt;
    std::optional<Result> result = std::move(results_[chunk]);
    results_[chunk].reset();
    merged_ = chunk + 1;
    changed_.notify_all();
    return result;
  }

  std::exception_ptr Failure() {
    const std::lock_guard lock(mutex_);
    return failure_;
  }

 private:
  const size_t count_;
  const size_t chunkSize_;
  const size_t window_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::optional<Result>> results_;
  size_t next_ = 0;
  size_t merged_ = 0;
  std::exception_ptr failure_;
};

}  // namespace chunks

template <class Worker, class Work, class Merge>
void RunInChunks(size_t count, std::vector<std::unique_ptr<Worker>>& workers, Work work,
                 Merge merge) {
  if (count == 0 || workers.empty()) return;
  using Result = decltype(work(std::declval<Worker&>(), size_t{0}, size_t{0}));
  const auto jobs = static_cast<unsigned>(workers.size());
  chunks::Queue<Result> queue(count, ChunkSize(count, jobs), size_t{4} * jobs);
  if (jobs == 1) {
    for (size_t chunk = 0; chunk < queue.Chunks(); ++chunk) {
      merge(work(*workers[0], queue.First(chunk), queue.End(chunk)));
    }
    return;
  }
  std::vector<std::jthread> threads;
  for (auto& worker : workers) {
    threads.emplace_back([&queue, &work, &worker] {
      try {
        while (const std::optional<size_t> chunk = queue.Take()) {
          queue.Done(*chunk, work(*worker, queue.First(*chunk), queue.End(*chunk)));
        }
      } catch (...) {
        queue.Fail(std::current_exception());
      }
    });
  }
  try {
    for (size_t chunk = 0; chunk < queue.Chunks(); ++chunk) {
      std::optional<Result> result = queue.Wait(chunk);
      if (!result) break;
      merge(std::move(*result));
    }
  } catch (...) {
    queue.Fail(std::current_exception());
  }
  threads.clear();
  if (const std::exception_ptr failure = queue.Failure()) std::rethrow_exception(failure);
}

}  // namespace lintra
