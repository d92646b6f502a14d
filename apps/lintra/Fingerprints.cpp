#include "apps/lintra/Fingerprints.h"

#include <cstdio>
#include <map>
#include <string>

namespace lintra {

namespace {

// FNV-1a over `bytes`, continuing from `hash`.
uint64_t Hash(std::string_view bytes, uint64_t hash) {
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

Text Trimmed(const Text& line) {
  const size_t first = line.find_first_not_of(u" \t");
  if (first == Text::npos) return {};
  return line.substr(first, line.find_last_not_of(u" \t") - first + 1);
}

std::string Hex(uint64_t number) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(number));
  return digits;
}

}  // namespace

std::vector<std::string> Fingerprints(const std::vector<RuleFinding>& findings,
                                      const LineText& lineOf) {
  std::map<std::string, int> seen;
  std::vector<std::string> fingerprints;
  fingerprints.reserve(findings.size());
  for (const RuleFinding& finding : findings) {
    const Text line =
        finding.place.line > 0 ? Trimmed(lineOf(finding.place.file, finding.place.line)) : Text();
    uint64_t hash = Hash(finding.ruleId, 0xcbf29ce484222325ULL);
    hash = Hash(std::string_view("\0", 1), hash);
    hash = Hash(text::ToUtf8(finding.place.file), hash);
    hash = Hash(std::string_view("\0", 1), hash);
    const std::string key = Hex(Hash(text::ToUtf8(line), hash));
    fingerprints.push_back(key + ":" + std::to_string(seen[key]++));
  }
  return fingerprints;
}

std::string CauseKey(const RuleFinding& finding) {
  const uint64_t hash =
      Hash(std::string_view("\0", 1), Hash(finding.ruleId, 0xcbf29ce484222325ULL));
  return Hex(Hash(text::ToUtf8(finding.message), hash));
}

}  // namespace lintra
