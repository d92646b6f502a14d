#include "analysis/Files.h"

#include <utility>

#include "analysis/File.h"
#include "errors/modPendryError.h"

namespace lintra {

std::shared_ptr<File> Files::Add(const std::shared_ptr<File>& Parent, Text Name) {
  ErrorTrap trap(u"Files", u"Add");
  std::shared_ptr<File> file;
  if (!trap.Step([&] { file = std::make_shared<File>(); })) return nullptr;
  file->Name(std::move(Name));
  file->Parent(Parent);
  if (!trap.Step([&] {
        if (!Parent) RaisePlatformError(ErrorNumber::ObjectNotSet);
        file->BaseFile(Parent->RootFile() ? Parent : Parent->BaseFile());
      })) {
    return nullptr;
  }
  file->RootFile(false);
  if (!trap.Step([&] { entries_.push_back(file); })) return nullptr;
  return file;
}

size_t Files::Slot(const Variant& Index) const {
  if (!Index.IsNumber()) RaisePlatformError(ErrorNumber::InvalidCall);
  const int32_t position = Index.Number();
  if (position < 1 || static_cast<size_t>(position) > entries_.size()) {
    RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  }
  return static_cast<size_t>(position - 1);
}

std::shared_ptr<File> Files::Item(const Variant& Index) {
  ErrorTrap trap(u"Files", u"Item");
  std::shared_ptr<File> item;
  trap.Step([&] { item = entries_[Slot(Index)]; });
  return item;
}

std::shared_ptr<FilesEnumerator> Files::NewEnum() {
  ErrorTrap trap(u"Files", u"NewEnum");
  std::shared_ptr<FilesEnumerator> enumerator;
  trap.Step([&] { enumerator = std::make_shared<FilesEnumerator>(entries_); });
  return enumerator;
}

Text Files::Count() {
  ErrorTrap trap(u"Files", u"Count");
  Text count;
  trap.Step([&] { count = text::FromNumber(static_cast<int64_t>(entries_.size())); });
  return count;
}

void Files::Delete(const Variant& Index) {
  ErrorTrap trap(u"Files", u"Delete");
  trap.Step([&] { entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(Slot(Index))); });
}

}  // namespace lintra
