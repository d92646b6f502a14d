#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/SourceText.h"
#include "apps/lintra/Session.h"
#include "rules/Checker.h"

namespace lintra {

// Learns what the rules will ask of the texts that a session's analyses read, on a thread of its
// own, while the analyses go on: a checker learns each text as the session reads it, so that it
// finds most of them made when its rules ask, and so do the checkers alike to it (see
// Checker::Alike), which share its facts. The checker must not check meanwhile.
class TextLearner {
 public:
  // Watches the reads of `session` from now on, and has `learner` learn them on the thread of
  // this until this goes; `session` and `learner` must outlive this.
  TextLearner(Session& session, Checker& learner);
  // Stops watching and learning: the texts not learnt yet are left to the checkers that ask.
  ~TextLearner();
  TextLearner(const TextLearner&) = delete;
  TextLearner& operator=(const TextLearner&) = delete;

 private:
  void Take(const std::shared_ptr<const SourceText>& text);
  void Learn();

  // Texts are handed over this many at a time: waking the learner for each would cost the
  // reading thread more than learning the text does.
  static constexpr size_t Batch = 32;

  Session& session_;
  Checker& learner_;
  std::mutex mutex_;
  std::condition_variable handed_;
  std::vector<std::shared_ptr<const SourceText>> texts_;
  std::atomic<bool> closed_ = false;
  std::thread thread_;
};

}  // namespace lintra
