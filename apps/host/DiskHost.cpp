#include "apps/host/DiskHost.h"

#include <exception>
#include <optional>
#include <utility>

namespace lintra {

std::unique_ptr<DiskHost::Found> DiskHost::Load(const Text& requested, bool keep) {
  const std::optional<std::filesystem::path> location = files_.Resolve(requested);
  if (!location) return nullptr;
  Text webPath = files_.WebPath(*location);
  std::shared_ptr<const SourceText> text;
  if (const auto kept = byWebPath_.find(webPath); kept != byWebPath_.end()) {
    text = kept->second;
  } else if ((text = files_.Source(*location, codePage_)) && keep) {
    byWebPath_.emplace(webPath, text);
  }
  if (!text) return nullptr;
  return std::make_unique<Found>(Found{std::move(webPath), std::move(text)});
}

const DiskHost::Found* DiskHost::Find(const Text& requested, bool page) {
  if (const auto known = byRequest_.find(requested); known != byRequest_.end()) {
    return known->second.get();
  }
  std::unique_ptr<Found>& slot = page ? page_ : byRequest_[requested];
  slot = Load(requested, !page);
  return slot.get();
}

void DiskHost::GetSharedFile(Text& FilePath, int32_t& nError,
                             std::shared_ptr<const SourceText>& FileText) {
  if (++requests_ > maxRequests_) {
    limitReached_ = true;
    nError = FileSupply::Abort;
    return;
  }
  const bool page = std::exchange(pageNext_, false);
  try {
    if (const Found* found = Find(FilePath, page)) {
      if (paths_ == Paths::OnDisk) FilePath = found->webPath;
      FileText = found->text;
    } else {
      nError = FileNotFound;
    }
  } catch (const std::exception&) {
    nError = FileNotFound;
  }
}

}  // namespace lintra
