#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lintra {

// What tells the findings of a set apart: the rule and the file, by their numbers in the set,
// and the start of the place.
struct FindingKey {
  uint32_t rule;
  uint32_t file;
  int32_t line;
  int32_t column;
  bool operator==(const FindingKey&) const = default;
};

// The position of each finding of a set, by its key, in one table probed slot after slot. Keys
// are only ever added, and a set adds one for nearly every node of a page, so none of them costs
// an allocation of its own.
class FindingIndex {
 public:
  // The position kept for `key`, and whether it was not there before and `at` is kept now.
  std::pair<size_t&, bool> TryEmplace(const FindingKey& key, size_t at);
  // Makes room for `count` keys in all.
  void Reserve(size_t count);
  // Calls `visit(key, position)` for each key, in no order; the position may be changed.
  template <class Visit>
  void Each(Visit&& visit) {
    for (Slot& slot : slots_) {
      if (slot.at != Empty) visit(std::as_const(slot.key), slot.at);
    }
  }
  template <class Visit>
  void Each(Visit&& visit) const {
    for (const Slot& slot : slots_) {
      if (slot.at != Empty) visit(slot.key, slot.at);
    }
  }

 private:
  static constexpr size_t Empty = SIZE_MAX;
  struct Slot {
    FindingKey key{};
    size_t at = Empty;
  };
  static size_t Hash(const FindingKey& key);
  // Moves the keys into a table of `capacity` slots, a power of two.
  void Rehash(size_t capacity);

  std::vector<Slot> slots_;
  size_t size_ = 0;
};

}  // namespace lintra
