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
    std::optional<ProjectFile> file = files_.Read(FilePath);
    if (file) {
      FilePath = std::move(file->webPath);
      FileText = std::move(file->text);
    } else {
      nError = FileNotFound;
    }
  } catch (const std::exception&) {
    nError = FileNotFound;
  }
}
