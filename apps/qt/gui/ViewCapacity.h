#pragma once

#include <cstddef>

#include "platform/Text.h"

namespace lintra {

class File;

// How many files the control's tree view holds: one node per file of each tree shown, and no more
// than its 16-bit count reaches. Past that every count of the nodes overflows, so the window
// shows a tree only when the view can still hold all of it.
namespace ViewCapacity {

// The most nodes the tree view counts.
constexpr size_t MostNodes = 32767;

// The number of files in the tree of `root`, itself included: the nodes it takes in the view.
size_t NodeCount(const File& root);

// Whether a tree of `more` nodes fits beside the `shown` nodes the view holds.
inline bool Fits(size_t shown, size_t more) {
  return more <= MostNodes && shown <= MostNodes - more;
}

// The message that tells the user why the tree of `page`, of `nodes` nodes, is not shown beside
// the `shown` nodes the view holds.
Text NoRoomMessage(const Text& page, size_t nodes, size_t shown);

}  // namespace ViewCapacity

}  // namespace lintra
