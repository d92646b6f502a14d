#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace lintra {

// A depth-first walk over a tree of any depth, on an explicit stack instead of the call stack.
// Each node whose children are being visited has a frame of the caller's type, holding what a
// recursive call would hold in its locals, with the error trap of that call where the node's own
// call would report its errors. Every walk over the include tree or the tree view goes through
// it, so that none deepens the call stack with the depth of the tree.
template <class Frame>
class TreeWalk {
 public:
  // Opens a frame on top of the stack, made from `parts`, and returns it. Frames below keep their
  // addresses while frames above them come and go.
  template <class... Parts>
  Frame& Enter(Parts&&... parts) {
    if (depth_ == blocks_.size() * kBlockFrames) {
      blocks_.push_back(std::make_unique<std::optional<Frame>[]>(kBlockFrames));
    }
    std::optional<Frame>& slot = Slot(depth_++);
    changed_ = true;
    return slot.emplace(Frame{std::forward<Parts>(parts)...});
  }

  // Closes the frame on top of the stack, for a node that turns out to need no visit.
  void Leave() {
    Slot(--depth_).reset();
    changed_ = true;
  }

  // Closes every frame: the walk is over.
  void Stop() {
    while (depth_ > 0) Leave();
  }

  // Calls `step(frame)` on the top frame until no frame is left. A step does one piece of its
  // frame's work, which may be to Enter a child's frame, and returns false when its frame is
  // done: that frame is then closed, unless the step entered or closed frames itself.
  template <class Step>
  void Run(Step&& step) {
    while (depth_ > 0) {
      changed_ = false;
      if (!step(*Slot(depth_ - 1)) && !changed_) Leave();
    }
  }

 private:
  // Frames are kept in blocks that stay allocated for the length of the walk, so that going down
  // and up a deep chain allocates nothing after the first descent.
  static constexpr size_t kBlockFrames = 64;

  std::optional<Frame>& Slot(size_t index) {
    return blocks_[index / kBlockFrames][index % kBlockFrames];
  }

  std::vector<std::unique_ptr<std::optional<Frame>[]>> blocks_;
  size_t depth_ = 0;
  bool changed_ = false;
};

}  // namespace lintra
