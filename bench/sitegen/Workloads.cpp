#include "sitegen/Workloads.h"

#include <stdexcept>

namespace lintra {

const std::vector<std::string>& WorkloadNames() {
  static const std::vector<std::string> names = {
      "W1", "W2", "W3", "W4", "W5", "W6", "W6x2", "W7", "W1-500", "W1-10000", "W3-2500", "W5-10M",
      "W7-1"};
  return names;
}

Site MakeWorkload(const std::string& name, uint64_t seed) {
  constexpr size_t megabyte = size_t{1} << 20;
  if (name == "W1") return ProjectWorkload(seed, 2000);
  if (name == "W1-500") return ProjectWorkload(seed, 500);
  if (name == "W1-10000") return ProjectWorkload(seed, 10000);
  if (name == "W2") return WidePageWorkload(seed);
  if (name == "W3") return DeepChainWorkload(seed, 5000);
  if (name == "W3-2500") return DeepChainWorkload(seed, 2500);
  if (name == "W4") return ExplosionWorkload(seed);
  if (name == "W5") return BigPageWorkload(seed, 20 * megabyte, 5000);
  if (name == "W5-10M") return BigPageWorkload(seed, 10 * megabyte, 2500);
  if (name == "W6") return LibraryWorkload(seed, 5 * megabyte);
  if (name == "W6x2") return LibraryWorkload(seed, 10 * megabyte);
  if (name == "W7") return CommentLibraryWorkload(seed, 5 * megabyte, 200);
  if (name == "W7-1") return CommentLibraryWorkload(seed, 5 * megabyte, 1);
  throw std::invalid_argument("unknown workload " + name);
}

}  // namespace lintra
