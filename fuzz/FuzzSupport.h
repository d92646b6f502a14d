#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace lintra {

// What the fuzz targets share: a check that stops the run as a finding, and the rule that no
// input may ever lead to an error report.
namespace fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

// An error report means an unexpected run-time error inside the library: a finding. Installed
// once, before the first input.
inline void TreatErrorReportsAsFindings() {
  MessageBox::SetHandler([](const Text& prompt, int32_t, const Text&) -> int32_t {
    std::fprintf(stderr, "unexpected error report:\n%s\n", text::ToUtf8(prompt).c_str());
    std::abort();
  });
}

// The bytes as UTF-16 code units: one unit per byte when the first byte is even (so that plain
// ASCII seeds stay readable), otherwise one unit per pair of bytes, little-endian, which reaches
// every unit, unpaired surrogates included. The first byte only selects.
inline Text Units(std::string_view bytes) {
  Text units;
  if (bytes.empty()) return units;
  const bool wide = (static_cast<unsigned char>(bytes.front()) & 1) != 0;
  bytes.remove_prefix(1);
  if (!wide) {
    for (char byte : bytes) units.push_back(static_cast<unsigned char>(byte));
    return units;
  }
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return units;
}

}  // namespace fuzz

}  // namespace lintra
