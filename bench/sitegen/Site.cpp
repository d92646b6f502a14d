#include "sitegen/Site.h"

#include <cstddef>

namespace lintra {

int Site::Add(std::string path) {
  files_.push_back({std::move(path), {}});
  return static_cast<int>(files_.size()) - 1;
}

void Site::Append(int file, std::string text) {
  Piece piece;
  piece.filler = std::move(text);
  files_[static_cast<size_t>(file)].pieces.push_back(std::move(piece));
}

void Site::Include(int file, int target, Directive kind) {
  Piece piece;
  piece.target = target;
  piece.kind = kind;
  files_[static_cast<size_t>(file)].pieces.push_back(std::move(piece));
}

void Site::IncludeLine(int file, int target, Directive kind) {
  Include(file, target, kind);
  Append(file, "\r\n");
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

std::vector<std::string> Segments(const std::string& path) {
  std::vector<std::string> segments;
  size_t start = 0;
  for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', start)) {
    segments.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  segments.push_back(path.substr(start));
  return segments;
}

}  // namespace

std::string RelativePath(const std::string& folder, const std::string& target) {
  std::vector<std::string> from = Segments(folder);
  from.pop_back();
  const std::vector<std::string> to = Segments(target);
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string relative;
  for (size_t up = common; up < from.size(); ++up) relative += "../";
  for (size_t down = common; down < to.size(); ++down) {
    relative += to[down];
    if (down + 1 < to.size()) relative += '/';
  }
  return relative;
}

}  // namespace lintra
