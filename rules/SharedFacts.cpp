#include "rules/SharedFacts.h"

#include <algorithm>
#include <utility>

namespace lintra {

std::shared_ptr<SharedFacts::Facts> SharedFacts::Of(const SourceText& text) {
  const std::lock_guard lock(mutex_);
  if (facts_.size() >= dropAt_) DropGoneFacts();
  std::weak_ptr<Facts>& held = facts_[text.SharedValue().get()];
  std::shared_ptr<Facts> facts = held.lock();
  // Facts whose units are gone stay with their last holders; new units at the same address get
  // facts of their own.
  if (!facts || facts->units.expired()) {
    facts = std::make_shared<Facts>();
    facts->units = text.SharedValue();
    held = facts;
  }
  return facts;
}

void SharedFacts::DropGoneFacts() {
  std::erase_if(facts_, [](const auto& entry) { return entry.second.expired(); });
  dropAt_ = std::max<size_t>(1024, facts_.size() * 2);
}

template <class Fact>
const Fact* SharedFacts::Known(const std::unique_ptr<const Fact>& slot) {
  const std::lock_guard lock(mutex_);
  return slot.get();
}

template <class Fact>
const Fact& SharedFacts::Keep(std::unique_ptr<const Fact>& slot, std::unique_ptr<Fact> made) {
  const std::lock_guard lock(mutex_);
  if (!slot) slot = std::move(made);
  return *slot;
}

const ScriptScan& SharedFacts::Script(Facts& facts, const SourceText& text, bool withNames) {
  if (const ScriptScan* known = Known(facts.script)) return *known;
  if (withNames) {
    Names(facts, text);
    return *Known(facts.script);
  }
  auto script = std::make_unique<ScriptScan>(ScanScript(text.Value(), Lines(facts, text)));
  Number(script.get(), nullptr);
  return Keep(facts.script, std::move(script));
}

const NameScan& SharedFacts::Names(Facts& facts, const SourceText& text) {
  if (const NameScan* known = Known(facts.names)) return *known;
  // One scan serves the declarations too when they are not known yet.
  auto script = Known(facts.script) ? nullptr : std::make_unique<ScriptScan>();
  auto names =
      std::make_unique<NameScan>(ScanNames(text.Value(), Lines(facts, text), script.get()));
  Number(script.get(), names.get());
  if (script) Keep(facts.script, std::move(script));
  return Keep(facts.names, std::move(names));
}

const LineIndex& SharedFacts::Lines(Facts& facts, const SourceText& text) {
  if (const LineIndex* known = Known(facts.lines)) return *known;
  return Keep(facts.lines, std::make_unique<LineIndex>(text.Value()));
}

const PageCommands& SharedFacts::Commands(Facts& facts, const SourceText& text) {
  if (const PageCommands* known = Known(facts.commands)) return *known;
  return Keep(facts.commands, std::make_unique<PageCommands>(ScanPageCommands(text.Value())));
}

void SharedFacts::Number(ScriptScan* script, NameScan* names) {
  const std::lock_guard lock(mutex_);
  if (script) {
    for (Declaration& declaration : script->declarations) declaration.id = NameId(declaration.key);
  }
  if (names) {
    for (const uint32_t use : names->pageUses) names->uses[use].id = NameId(names->uses[use].key);
  }
}

int32_t SharedFacts::NameId(TextView key) {
  const auto known = names_.find(key);
  if (known != names_.end()) return known->second;
  return names_.emplace(Text(key), static_cast<int32_t>(names_.size())).first->second;
}

}  // namespace lintra
