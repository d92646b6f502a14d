#include "apps/lintra/TextLearner.h"

#include <utility>

namespace lintra {

TextLearner::TextLearner(Session& session, Checker& learner)
    : session_(session), learner_(learner), thread_([this] { Learn(); }) {
  session_.WatchReads([this](const std::shared_ptr<const SourceText>& text) { Take(text); });
}

TextLearner::~TextLearner() {
  session_.WatchReads({});
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
  }
  handed_.notify_one();
  thread_.join();
}

void TextLearner::Take(const std::shared_ptr<const SourceText>& text) {
  bool enough = false;
  {
    const std::lock_guard lock(mutex_);
    texts_.push_back(text);
    enough = texts_.size() == Batch;
  }
  if (enough) handed_.notify_one();
}

void TextLearner::Learn() {
  std::vector<std::shared_ptr<const SourceText>> texts;
  for (;;) {
    texts.clear();
    {
      std::unique_lock lock(mutex_);
      handed_.wait(lock, [this] { return closed_ || texts_.size() >= Batch; });
      if (closed_) return;
      std::swap(texts, texts_);
    }
    for (const std::shared_ptr<const SourceText>& text : texts) {
      if (closed_) return;
      learner_.Learn(text);
    }
  }
}

}  // namespace lintra
