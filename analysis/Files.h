#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Object.h"
#include "platform/Text.h"
#include "platform/Variant.h"

namespace lintra {

class File;

// Walks a Files collection first to last, as a host's for-each does. It holds the entries it had
// when it was made, so removing entries while walking does not disturb it.
class FilesEnumerator : public Object {
 public:
  explicit FilesEnumerator(std::vector<std::shared_ptr<File>> entries)
      : entries_(std::move(entries)) {}
  // The next entry, or null after the last one.
  std::shared_ptr<File> Next() { return at_ < entries_.size() ? entries_[at_++] : nullptr; }

 private:
  std::vector<std::shared_ptr<File>> entries_;
  size_t at_ = 0;
};

// The ordered children of one File. Entries have no key: they are addressed by 1-based
// position, in the order they were added, and the same name may stand any number of times.
class Files : public Object {
 public:
  using Entries = std::vector<std::shared_ptr<File>>;

  // Appends a new File named `Name` whose Parent is `Parent` and whose BaseFile is the root of
  // Parent's tree, and returns it. A null Parent is reported and gives null.
  std::shared_ptr<File> Add(const std::shared_ptr<File>& Parent, Text Name);

  // The entry at a numeric position from 1 to the count. A text index names a key, and no entry
  // has one, so it always fails; failures are reported and give null.
  std::shared_ptr<File> Item(const Variant& Index);

  std::shared_ptr<FilesEnumerator> NewEnum();

  // The number of entries as decimal digits ("0" when empty).
  Text Count();

  // Removes the entry that Index names (as for Item); later entries move up one position.
  void Delete(const Variant& Index);

  // The C++ face of the collection, for the library's own loops.
  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }
  size_t size() const { return entries_.size(); }
  const std::shared_ptr<File>& operator[](size_t i) const { return entries_[i]; }

 private:
  friend class File;

  // The 0-based slot that Index names; raises the platform error for a bad index.
  size_t Slot(const Variant& Index) const;

  Entries entries_;
};

}  // namespace lintra
