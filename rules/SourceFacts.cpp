#include "rules/SourceFacts.h"

#include <algorithm>

#include "analysis/File.h"
#include "analysis/SourceText.h"

namespace lintra {

const ScriptScan& SourceFacts::Script(const File& file) {
  return Script(file.SharedContent());
}

const ScriptScan& SourceFacts::Script(const std::shared_ptr<const SourceText>& text) {
  static const ScriptScan none;
  Entry* entry = Of(text);
  if (!entry) return none;
  if (!entry->script) entry->script = &shared_->Script(*entry->shared, *text, namesAsked_);
  return *entry->script;
}

const NameScan& SourceFacts::Names(const File& file) {
  return Names(file.SharedContent());
}

const NameScan& SourceFacts::Names(const std::shared_ptr<const SourceText>& text) {
  static const NameScan none;
  Entry* entry = Of(text);
  if (!entry) return none;
  namesAsked_ = true;
  if (!entry->names) entry->names = &shared_->Names(*entry->shared, *text);
  return *entry->names;
}

const LineIndex& SourceFacts::Lines(const File& file) {
  return Lines(file.SharedContent());
}

const LineIndex& SourceFacts::Lines(const std::shared_ptr<const SourceText>& text) {
  static const LineIndex none{TextView()};
  Entry* entry = Of(text);
  if (!entry) return none;
  if (!entry->lines) entry->lines = &shared_->Lines(*entry->shared, *text);
  return *entry->lines;
}

const PageCommands& SourceFacts::Commands(const File& file) {
  static const PageCommands none;
  Entry* entry = Of(file);
  if (!entry) return none;
  if (!entry->commands) {
    entry->commands = &shared_->Commands(*entry->shared, *file.SharedContent());
  }
  return *entry->commands;
}

TextBytes SourceFacts::Bytes(const File& file) {
  Entry* entry = Of(file);
  if (!entry) return {};
  if (!entry->bytes) {
    const TextBytes& supplied = file.SharedContent()->Bytes();
    entry->bytes = supplied.encoding == TextBytes::Encoding::Unknown ? Utf8TextBytes(file.Content())
                                                                     : supplied;
  }
  return *entry->bytes;
}

SourceFacts::Entry* SourceFacts::Of(const File& file) {
  return Of(file.SharedContent());
}

size_t SourceFacts::RecentSlot(const SourceText* text) {
  return (reinterpret_cast<uintptr_t>(text) >> 5) % RecentSlots;
}

SourceFacts::Entry* SourceFacts::Of(const std::shared_ptr<const SourceText>& text) {
  if (!text) return nullptr;
  auto& [recentText, recentEntry] = recent_[RecentSlot(text.get())];
  if (recentText == text.get() && !recentEntry->text.expired()) return recentEntry;
  if (entries_.size() >= dropAt_) DropGoneTexts();
  Entry& entry = entries_[text.get()];
  if (entry.text.expired()) {
    entry = Entry();
    entry.text = text;
    entry.shared = shared_->Of(*text);
  }
  recentText = text.get();
  recentEntry = &entry;
  return &entry;
}

void SourceFacts::DropGoneTexts() {
  std::erase_if(entries_, [this](const auto& entry) {
    if (!entry.second.text.expired()) return false;
    auto& recent = recent_[RecentSlot(entry.first)];
    if (recent.first == entry.first) recent = {nullptr, nullptr};
    return true;
  });
  dropAt_ = entries_.size() + DeadEntriesKept;
}

}  // namespace lintra
