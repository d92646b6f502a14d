#include "apps/host/DiskHost.h"

#include <exception>
#include <optional>

#include "apps/host/TextDecoding.h"

const DiskHost::Found* DiskHost::Find(const Text& requested) {
  if (auto known = byRequest_.find(requested); known != byRequest_.end()) {
    return known->second.get();
  }
  std::unique_ptr<Found> found;
  if (const std::optional<std::filesystem::path> location = files_.Resolve(requested)) {
    const Text webPath = files_.WebPath(*location);
    std::shared_ptr<const SourceText>& text = byWebPath_[webPath];
    if (!text) {
      if (const std::optional<std::string> bytes = files_.Bytes(*location)) {
        text = std::make_shared<const SourceText>(DecodeFileBytes(*bytes, codePage_));
      }
    }
    if (text) found = std::make_unique<Found>(Found{webPath, text});
  }
  return (byRequest_[requested] = std::move(found)).get();
}

void DiskHost::GetSharedFile(Text& FilePath, int32_t& nError,
                             std::shared_ptr<const SourceText>& FileText) {
  if (++requests_ > maxRequests_) {
    limitReached_ = true;
    nError = AbortAnalysis;
    return;
  }
  try {
    if (const Found* found = Find(FilePath)) {
      if (paths_ == Paths::OnDisk) FilePath = found->webPath;
      FileText = found->text;
    } else {
      nError = FileNotFound;
    }
  } catch (const std::exception&) {
    nError = FileNotFound;
  }
}
