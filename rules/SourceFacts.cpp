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
  if (entry->script) return *entry->script;
  if (namesAsked_) {
    ScanNames(*entry, text);
  } else {
    entry->script = std::make_unique<ScriptScan>(ScanScript(text->Value(), Lines(text)));
    NumberNames(*entry->script);
  }
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
  if (!entry->names) ScanNames(*entry, text);
  return *entry->names;
}

void SourceFacts::ScanNames(Entry& entry, const std::shared_ptr<const SourceText>& text) {
  // One scan serves the declarations too when they are not known yet.
  auto script = entry.script ? nullptr : std::make_unique<ScriptScan>();
  entry.names =
      std::make_unique<NameScan>(lintra::ScanNames(text->Value(), Lines(text), script.get()));
  NameScan& names = *entry.names;
  for (const uint32_t use : names.pageUses) names.uses[use].id = NameId(names.uses[use].key);
  if (script) {
    NumberNames(*script);
    entry.script = std::move(script);
  }
}

void SourceFacts::NumberNames(ScriptScan& script) {
  for (Declaration& declaration : script.declarations) declaration.id = NameId(declaration.key);
}

int32_t SourceFacts::NameId(TextView key) {
  const auto known = names_.find(key);
  if (known != names_.end()) return known->second;
  return names_.emplace(Text(key), static_cast<int32_t>(names_.size())).first->second;
}

const LineIndex& SourceFacts::Lines(const File& file) {
  return Lines(file.SharedContent());
}

const LineIndex& SourceFacts::Lines(const std::shared_ptr<const SourceText>& text) {
  static const LineIndex none{TextView()};
  Entry* entry = Of(text);
  if (!entry) return none;
  if (!entry->lines) entry->lines = std::make_unique<LineIndex>(text->Value());
  return *entry->lines;
}

const PageCommands& SourceFacts::Commands(const File& file) {
  static const PageCommands none;
  Entry* entry = Of(file);
  if (!entry) return none;
  if (!entry->commands) {
    entry->commands = std::make_unique<PageCommands>(ScanPageCommands(file.Content()));
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

SourceFacts::Entry* SourceFacts::Of(const std::shared_ptr<const SourceText>& text) {
  if (!text) return nullptr;
  auto& [recentText, recentEntry] =
      recent_[(reinterpret_cast<uintptr_t>(text.get()) >> 5) % recent_.size()];
  if (recentText == text.get() && !recentEntry->text.expired()) return recentEntry;
  if (entries_.size() >= dropAt_) DropGoneTexts();
  Entry& entry = entries_[text.get()];
  if (entry.text.expired()) entry = Entry{text, nullptr, nullptr, nullptr, nullptr, std::nullopt};
  recentText = text.get();
  recentEntry = &entry;
  return &entry;
}

void SourceFacts::DropGoneTexts() {
  recent_.fill({nullptr, nullptr});
  std::erase_if(entries_, [](const auto& entry) { return entry.second.text.expired(); });
  dropAt_ = std::max<size_t>(1024, entries_.size() * 2);
}

}  // namespace lintra
