#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintra {

// The files that one text includes, in text order, as root-relative web paths. It steps over
// "<% %>" blocks and reads the "file" and "virtual" attributes of include comments, which is
// enough for the generated workloads; `folder` is the including file's folder ("" or ending in
// "/"). An opener without its closer ends the scan.
std::vector<std::string> IncludedPaths(std::string_view text, const std::string& folder);

// `path` with its "." and ".." segments resolved.
std::string Normalised(const std::string& path);

}  // namespace lintra
