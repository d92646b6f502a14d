#include "analysis/PathSegments.h"

namespace lintra {

std::vector<TextView> PathSegments(TextView path) {
  std::vector<TextView> segments;
  size_t from = 0;
  for (size_t at = 0; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != u'/' && path[at] != u'\\') continue;
    const TextView segment = path.substr(from, at - from);
    if (!segment.empty() && segment != u".") segments.push_back(segment);
    from = at + 1;
  }
  return segments;
}

Text JoinedSegments(TextView path) {
  Text joined;
  for (const TextView segment : PathSegments(path)) {
    if (!joined.empty()) joined += u'/';
    joined += segment;
  }
  return joined;
}

}  // namespace lintra
