#include "rules/FindingIndex.h"

namespace lintra {

namespace {

// Half the slots at most are used, so that a look-up finds its key or an empty slot soon.
size_t CapacityFor(size_t count) {
  size_t capacity = 16;
  while (capacity < 2 * count) capacity *= 2;
  return capacity;
}

}  // namespace

size_t FindingIndex::Hash(const FindingKey& key) {
  const uint64_t place =
      uint64_t{static_cast<uint32_t>(key.line)} << 32 | static_cast<uint32_t>(key.column);
  const uint64_t what = uint64_t{key.rule} << 32 | key.file;
  const uint64_t mixed = (place * 0x9E3779B97F4A7C15ULL) ^ (what * 0xC2B2AE3D27D4EB4FULL);
  return static_cast<size_t>(mixed ^ (mixed >> 32));
}

std::pair<size_t&, bool> FindingIndex::TryEmplace(const FindingKey& key, size_t at) {
  if (2 * (size_ + 1) > slots_.size()) Rehash(CapacityFor(size_ + 1));
  const size_t mask = slots_.size() - 1;
  for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.at == Empty) {
      slot = {key, at};
      ++size_;
      return {slot.at, true};
    }
    if (slot.key == key) return {slot.at, false};
  }
}

void FindingIndex::Reserve(size_t count) {
  const size_t capacity = CapacityFor(count);
  if (capacity > slots_.size()) Rehash(capacity);
}

void FindingIndex::Rehash(size_t capacity) {
  std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
  const size_t mask = capacity - 1;
  for (const Slot& slot : old) {
    if (slot.at == Empty) continue;
    size_t i = Hash(slot.key) & mask;
    while (slots_[i].at != Empty) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace lintra
