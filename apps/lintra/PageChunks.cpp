#include "apps/lintra/PageChunks.h"

namespace lintra {

unsigned JobsFor(unsigned jobs, size_t pages) {
  if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::max<size_t>(1, std::min<size_t>(jobs, pages)));
}

std::launch LaunchFor(unsigned jobs) {
  return jobs == 1 ? std::launch::deferred : std::launch::async;
}

size_t ChunkSize(size_t pages, unsigned jobs) {
  constexpr size_t chunksPerJob = 16;
  constexpr size_t largest = 256;
  return std::clamp<size_t>(pages / (size_t{jobs} * chunksPerJob), 1, largest);
}

}  // namespace lintra
