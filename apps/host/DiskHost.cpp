#include "apps/host/DiskHost.h"

#include <exception>
#include <optional>

void DiskHost::GetFile(Text& FilePath, int32_t& nError, Text& FileText) {
  if (++requests_ > maxRequests_) {
    limitReached_ = true;
    nError = AbortAnalysis;
    return;
  }
  try {
    std::optional<Text> content = files_.Read(FilePath);
    if (content) {
      FileText = std::move(*content);
    } else {
      nError = FileNotFound;
    }
  } catch (const std::exception&) {
    nError = FileNotFound;
  }
}
