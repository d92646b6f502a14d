#include "floor/Directives.h"

namespace lintra {

namespace {

// The quoted value after `name="` in `comment`, or nothing.
bool Attribute(std::string_view comment, std::string_view name, std::string& value) {
  const size_t at = comment.find(name);
  if (at == std::string_view::npos) return false;
  const size_t start = at + name.size();
  const size_t end = comment.find('"', start);
  if (end == std::string_view::npos) return false;
  value = comment.substr(start, end - start);
  return true;
}

}  // namespace

std::vector<std::string> IncludedPaths(std::string_view text, const std::string& folder) {
  std::vector<std::string> paths;
  size_t at = 0;
  for (;;) {
    const size_t script = text.find("<%", at);
    const size_t comment = text.find("<!--", at);
    if (comment == std::string_view::npos) break;
    if (script < comment) {
      const size_t end = text.find("%>", script);
      if (end == std::string_view::npos) break;
      at = end + 2;
      continue;
    }
    const size_t end = text.find("-->", comment);
    if (end == std::string_view::npos) break;
    const std::string_view inner = text.substr(comment, end - comment);
    at = end + 3;
    if (inner.find("#include") == std::string_view::npos) continue;
    std::string value;
    if (Attribute(inner, "file=\"", value)) {
      paths.push_back(Normalised(folder + value));
    } else if (Attribute(inner, "virtual=\"", value)) {
      paths.push_back(Normalised(value.starts_with('/') ? value.substr(1) : value));
    }
  }
  return paths;
}

std::string Normalised(const std::string& path) {
  std::vector<std::string> segments;
  size_t start = 0;
  for (;;) {
    const size_t slash = path.find('/', start);
    const std::string segment = path.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (segment != ".") {
      segments.push_back(segment);
    }
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::string joined;
  for (const std::string& segment : segments) {
    if (!joined.empty()) joined += '/';
    joined += segment;
  }
  return joined;
}

}  // namespace lintra
