#include "platform/TextArray.h"

#include "platform/ErrorRecord.h"

namespace lintra {

namespace {

size_t Extent(int32_t lower, int32_t upper) {
  if (static_cast<int64_t>(upper) < static_cast<int64_t>(lower) - 1) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  return static_cast<size_t>(static_cast<int64_t>(upper) - lower + 1);
}

}  // namespace

TextArray::TextArray(int32_t lower1, int32_t upper1)
    : dimensions_(1), lower_{lower1, 0}, upper_{upper1, -1} {
  cells_.resize(Extent(lower1, upper1));
}

TextArray::TextArray(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2)
    : dimensions_(2), lower_{lower1, lower2}, upper_{upper1, upper2} {
  cells_.resize(Extent(lower1, upper1) * Extent(lower2, upper2));
}

int32_t TextArray::UBound(int32_t dimension) const {
  if (dimension < 1 || dimension > dimensions_) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  return upper_[dimension - 1];
}

size_t TextArray::Slot(int32_t row, int32_t column, int32_t subscripts) const {
  if (subscripts != dimensions_ || row < lower_[0] || row > upper_[0]) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  const auto rowSlot = static_cast<size_t>(static_cast<int64_t>(row) - lower_[0]);
  if (dimensions_ == 1) return rowSlot;
  if (column < lower_[1] || column > upper_[1]) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  const size_t columns = Extent(lower_[1], upper_[1]);
  return rowSlot * columns + static_cast<size_t>(static_cast<int64_t>(column) - lower_[1]);
}

Text& TextArray::At(int32_t index) {
  return cells_[Slot(index, 0, 1)];
}
const Text& TextArray::At(int32_t row, int32_t column) const {
  return cells_[Slot(row, column, 2)];
}
Text& TextArray::At(int32_t row, int32_t column) {
  return cells_[Slot(row, column, 2)];
}

}  // namespace lintra
