#include "apps/host/DiskHost.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>
#include <utility>

#include "platform/ErrorRecord.h"

namespace lintra {

DiskHost::DiskHost(const DiskFiles& files, uint64_t maxRequests, Paths paths,
                   const std::string& encoding,
                   const std::vector<VirtualDirectory>& virtualDirectories)
    : files_(files),
      maxRequests_(maxRequests),
      paths_(paths),
      codePage_(encoding.empty() ? nullptr : std::make_unique<CodePage>(encoding)) {
  for (const VirtualDirectory& directory : virtualDirectories) {
    virtual_.emplace_back(text::FromUtf8(directory.name),
                          std::make_unique<DiskFiles>(files.Root() / directory.folder));
  }
}

size_t DiskHost::PathHash::operator()(TextView path) const {
  constexpr uint64_t Multiplier = 0x9E3779B97F4A7C15u;
  const auto* bytes = reinterpret_cast<const unsigned char*>(path.data());
  const size_t size = path.size() * sizeof(char16_t);
  uint64_t hash = size;
  size_t at = 0;
  for (uint64_t word; at + 8 <= size; at += 8) {
    std::memcpy(&word, bytes + at, 8);
    hash = (hash ^ word) * Multiplier;
  }
  for (; at < size; ++at) hash = (hash ^ bytes[at]) * Multiplier;
  return static_cast<size_t>(hash ^ hash >> 29);
}

DiskHost::Route DiskHost::RouteOf(const Text& requested) const {
  const size_t first = requested.find_first_not_of(u"/\\");
  if (first != Text::npos && !virtual_.empty()) {
    const size_t end = std::min(requested.find_first_of(u"/\\", first), requested.size());
    const Text folder = text::UCase(TextView(requested).substr(first, end - first));
    for (const auto& [name, files] : virtual_) {
      if (text::UCase(name) == folder) return {*files, requested.substr(end), name + u'/'};
    }
  }
  return {files_, requested, Text()};
}

Text DiskHost::WebPathOf(const Route& route, const std::filesystem::path& location) const {
  if (route.webRoot.empty()) return files_.WebPath(location);
  const Text belowRoot = files_.WebPath(location);
  if (!belowRoot.starts_with(u"..") && RouteOf(belowRoot).webRoot.empty() &&
      files_.Resolve(belowRoot) == location) {
    return belowRoot;
  }
  return route.webRoot + route.files.WebPath(location);
}

std::optional<DiskHost::Located> DiskHost::Locate(const Text& requested) const {
  const Route route = RouteOf(requested);
  std::optional<std::filesystem::path> location = route.files.Resolve(route.path);
  if (!location) return std::nullopt;
  return Located{route, std::move(*location)};
}

std::optional<Text> DiskHost::WebPathOnDisk(const Text& webPath) const {
  const std::optional<Located> found = Locate(webPath);
  if (!found) return std::nullopt;
  return WebPathOf(found->route, found->location);
}

std::optional<std::filesystem::path> DiskHost::Location(const Text& webPath) const {
  std::optional<Located> found = Locate(webPath);
  if (!found) return std::nullopt;
  return std::move(found->location);
}

std::optional<Text> DiskHost::VirtualWebPath(const std::filesystem::path& location) const {
  for (const auto& [name, files] : virtual_) {
    const std::filesystem::path below = location.lexically_relative(files->Root());
    if (below.empty() || *below.begin() == "..") continue;
    return WebPathOf({*files, Text(), name + u'/'}, location);
  }
  return std::nullopt;
}

std::shared_ptr<const SourceText> DiskHost::ReadNow(const Text& webPath) const {
  const std::optional<Located> found = Locate(webPath);
  if (!found) return nullptr;
  try {
    return found->route.files.Source(found->location, codePage_.get());
  } catch (const disk::UnreadableFile&) {
    return nullptr;
  }
}

std::optional<Text> DiskHost::WebPathServed(const Text& fullPath) const {
  if (paths_ == Paths::OnDisk) return fullPath;
  if (const auto known = byRequest_.find(fullPath); known != byRequest_.end()) {
    if (!known->second) return std::nullopt;
    return known->second->webPath;
  }
  if (page_ && pageRequest_ == fullPath) return page_->webPath;
  return WebPathOnDisk(fullPath);
}

std::unique_ptr<DiskHost::Found> DiskHost::Load(const Text& requested, bool keep) {
  const std::optional<Located> found = Locate(requested);
  if (!found) return nullptr;
  Text webPath = WebPathOf(found->route, found->location);
  std::shared_ptr<const SourceText> text;
  try {
    text = TextOf(found->route.files, found->location, webPath, keep);
  } catch (const disk::VanishedFile&) {
    return nullptr;
  } catch (const UnreadableFile& failure) {
    unreadable_.emplace(webPath, failure.what());
    return std::make_unique<Found>(Found{std::move(webPath), nullptr, failure.what()});
  }
  if (watch_) watch_(text);
  return std::make_unique<Found>(Found{std::move(webPath), std::move(text), {}});
}

std::shared_ptr<const SourceText> DiskHost::TextOf(const DiskFiles& files,
                                                   const std::filesystem::path& location,
                                                   const Text& webPath, bool keep) {
  if (const auto kept = byWebPath_.find(webPath); kept != byWebPath_.end()) return kept->second;
  std::shared_ptr<const SourceText> text = shared_ ? shared_->Find(webPath) : nullptr;
  if (!text) {
    text = files.Source(location, codePage_.get());
    if (keep && shared_) text = shared_->Keep(webPath, std::move(text));
  }
  if (keep) byWebPath_.emplace(webPath, text);
  return text;
}

const DiskHost::Found* DiskHost::Find(const Text& requested, bool page) {
  if (const auto known = byRequest_.find(requested); known != byRequest_.end()) {
    return known->second.get();
  }
  if (page) pageRequest_ = requested;
  std::unique_ptr<Found>& slot = page ? page_ : byRequest_[requested];
  slot = Load(requested, !page);
  return slot.get();
}

std::shared_ptr<const SourceText> DiskHost::fsGetFile(Text& FilePath) {
  if (++requests_ > maxRequests_) {
    limitReached_ = true;
    RaiseError(Abort, u"DiskHost", u"Could not find the file : " + FilePath);
  }
  const bool page = std::exchange(pageNext_, false);
  const Found* found = nullptr;
  try {
    found = Find(FilePath, page);
  } catch (const std::exception&) {
  }
  if (!found) RaiseError(NotFound, u"DiskHost", u"Could not find the file : " + FilePath);
  if (paths_ == Paths::OnDisk) FilePath = found->webPath;
  if (!found->text) RaiseError(Unreadable, u"DiskHost", text::FromUtf8(found->unreadable));
  return found->text;
}

}  // namespace lintra
