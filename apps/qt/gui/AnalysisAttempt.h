#pragma once

#include <optional>

#include "apps/qt/gui/WindowHost.h"
#include "platform/ErrorRecord.h"
#include "platform/Text.h"

namespace lintra {

// The message that tells the user the analysis of `page` failed with `error`, and why when
// `host` stopped the page for asking too many files.
Text FailureMessage(const Text& page, const ErrorRecord& error, const WindowHost& host);

// Runs `run`, one analysis of `page`, with the page's file requests counted afresh in `host`.
// Returns the message for the user (see FailureMessage) when it fails, otherwise nothing.
template <class Run>
std::optional<Text> TryAnalysis(WindowHost& host, const Text& page, Run run) {
  host.StartPage();
  try {
    run();
    return std::nullopt;
  } catch (const RuntimeError& error) {
    return FailureMessage(page, error.Record(), host);
  }
}

}  // namespace lintra
