#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// An array of text of one or two dimensions, each with its own lower and upper bound, as hosts
// hand lists of paths to the control. Reaching outside the bounds, or with the wrong number of
// subscripts, is the subscript-out-of-range error (9).
class TextArray {
 public:
  // One dimension, lower1 to upper1 (upper1 = lower1 - 1 for none).
  TextArray(int32_t lower1, int32_t upper1);
  // Two dimensions: rows lower1 to upper1, columns lower2 to upper2.
  TextArray(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2);

  // The upper bound of dimension 1 or 2; any other dimension is subscript out of range.
  int32_t UBound(int32_t dimension = 1) const;

  // The element at `index` of a one-dimensional array, for the host that fills it.
  Text& At(int32_t index);
  // The element at `row` and `column` of a two-dimensional array.
  const Text& At(int32_t row, int32_t column) const;
  Text& At(int32_t row, int32_t column);

 private:
  size_t Slot(int32_t row, int32_t column, int32_t subscripts) const;

  int32_t dimensions_;
  int32_t lower_[2];
  int32_t upper_[2];
  std::vector<Text> cells_;
};

}  // namespace lintra
