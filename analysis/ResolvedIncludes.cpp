#include "analysis/ResolvedIncludes.h"

namespace lintra {

ResolvedIncludes::Entry& ResolvedIncludes::Of(const std::shared_ptr<const SourceText>& text) {
  if (text.get() == last_ && !lastEntry_->text.expired()) return *lastEntry_;
  if (texts_.size() >= dropAt_) {
    std::erase_if(texts_, [](const auto& entry) { return entry.second.text.expired(); });
    dropAt_ = texts_.size() + DeadEntriesKept;
  }
  Entry& entry = texts_[text.get()];
  if (entry.text.expired()) {
    entry.text = text;
    entry.resolved.assign(text->Directives().size(), Resolved());
  }
  last_ = text.get();
  lastEntry_ = &entry;
  return entry;
}

const Text& ResolvedIncludes::Path(const std::shared_ptr<const SourceText>& text, size_t index,
                                   const Text& folder) {
  Resolved& resolved = Of(text).resolved[index];
  const bool anyFolder = text->Directives()[index].Form == SourceText::Directive::Kind::Virtual;
  if (!resolved.known || (!anyFolder && !text::SameUnits(resolved.folder, folder))) {
    resolved.folder = folder;
    resolved.path = text->IncludePath(index, folder);
    resolved.known = true;
  }
  return resolved.path;
}

}  // namespace lintra
