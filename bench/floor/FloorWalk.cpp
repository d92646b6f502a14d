#include "floor/FloorWalk.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "floor/Directives.h"

namespace lintra {

namespace {

// How many "<" a text holds, in blocks small enough for byte-wide counters, so that the compiler
// compares many bytes at a time.
uint64_t CountOpeners(const std::string& text) {
  constexpr size_t block = 255;
  const char* bytes = text.data();
  const size_t size = text.size();
  uint64_t total = 0;
  size_t at = 0;
  for (; at + block <= size; at += block) {
    uint8_t count = 0;
    for (size_t i = at; i < at + block; ++i)
      count = static_cast<uint8_t>(count + (bytes[i] == '<'));
    total += count;
  }
  for (; at < size; ++at) total += bytes[at] == '<';
  return total;
}

}  // namespace

FloorWalk::FloorWalk(std::filesystem::path root, uint64_t maxNodes)
    : root_(std::move(root)), maxNodes_(maxNodes) {}

const FloorWalk::Entry& FloorWalk::Load(const std::string& path) {
  const auto found = entries_.find(path);
  if (found != entries_.end()) return found->second;
  Entry entry;
  std::ifstream in(root_ / path, std::ios::binary);
  if (in) {
    entry.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const size_t slash = path.rfind('/');
    entry.includes =
        IncludedPaths(entry.text, slash == std::string::npos ? "" : path.substr(0, slash + 1));
  }
  return entries_.emplace(path, std::move(entry)).first->second;
}

void FloorWalk::Walk(const std::string& page) {
  ++totals_.pages;
  uint64_t nodes = 0;
  std::vector<const std::string*> pending = {&page};
  while (!pending.empty()) {
    if (nodes == maxNodes_) {
      ++totals_.stopped;
      break;
    }
    const std::string* path = pending.back();
    pending.pop_back();
    const Entry& entry = Load(*path);
    ++nodes;
    totals_.bytes += entry.text.size();
    totals_.openers += CountOpeners(entry.text);
    for (auto child = entry.includes.rbegin(); child != entry.includes.rend(); ++child) {
      pending.push_back(&*child);
    }
  }
  totals_.nodes += nodes;
}

std::vector<std::string> FindPages(const std::filesystem::path& root) {
  std::vector<std::string> pages;
  for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
    if (item.is_regular_file() && item.path().extension() == ".asp") {
      pages.push_back(item.path().lexically_relative(root).generic_string());
    }
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

}  // namespace lintra
