#include "rules/FindingIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

namespace lintra {

namespace {

// Keys that differ in one field at a time, many of them alike but for the place.
FindingKey KeyNumbered(uint32_t n) {
  return {n % 3, n % 7, static_cast<int32_t>(n / 21), static_cast<int32_t>(n % 5)};
}

}  // namespace

TEST(FindingIndex, KeepsEachKeysFirstPositionThroughGrowth) {
  FindingIndex index;
  const uint32_t count = 5000;
  for (uint32_t n = 0; n < count; ++n) {
    const auto [at, added] = index.TryEmplace(KeyNumbered(n), n);
    EXPECT_TRUE(added) << n;
    EXPECT_EQ(at, n);
  }
  for (uint32_t n = 0; n < count; ++n) {
    const auto [at, added] = index.TryEmplace(KeyNumbered(n), count + n);
    EXPECT_FALSE(added) << n;
    EXPECT_EQ(at, n);
  }
  const auto [at, added] = index.TryEmplace({0, 0, -1, 0}, 7);
  EXPECT_TRUE(added);
  EXPECT_EQ(at, 7u);
}

TEST(FindingIndex, VisitsEachKeyOnceAndTakesNewPositions) {
  FindingIndex index;
  index.Reserve(3);
  for (uint32_t n = 0; n < 100; ++n) index.TryEmplace(KeyNumbered(n), n);
  index.Each([](const FindingKey&, size_t& at) { at = 1000 + at; });
  std::map<std::tuple<uint32_t, uint32_t, int32_t, int32_t>, size_t> seen;
  std::as_const(index).Each([&](const FindingKey& key, size_t at) {
    EXPECT_TRUE(seen.emplace(std::tuple(key.rule, key.file, key.line, key.column), at).second);
  });
  ASSERT_EQ(seen.size(), 100u);
  for (uint32_t n = 0; n < 100; ++n) {
    const FindingKey key = KeyNumbered(n);
    EXPECT_EQ(seen.at(std::tuple(key.rule, key.file, key.line, key.column)), 1000 + n);
  }
}

}  // namespace lintra
