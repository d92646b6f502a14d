#include "apps/lintra/Baseline.h"
#include "apps/host/PathText.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

constexpr int BaselineVersion = 1;

std::string Key(std::string_view rule, const std::string& fingerprint) {
  return std::string(rule) + '\0' + fingerprint;
}

// The key of the finding at `at` of `result`.
std::string Key(const CheckResult& result, size_t at) {
  return Key(result.findings[at].ruleId, result.fingerprints[at]);
}

}  // namespace

Baseline Baseline::Read(const std::string& path) {
  std::ifstream in(PathOfText(path), std::ios::binary);
  if (!in) throw UsageError("cannot read the baseline " + path);
  Baseline baseline;
  try {
    const Json document = Json::parse(in);
    if (document.at("version") != BaselineVersion) throw std::invalid_argument("version");
    for (const Json& entry : document.at("findings")) {
      baseline.known_.insert(
          Key(entry.at("rule").get<std::string>(), entry.at("fingerprint").get<std::string>()));
    }
  } catch (const std::exception&) {
    throw UsageError("the baseline " + path +
                     " is no baseline of this version (write it again with --write-baseline)");
  }
  return baseline;
}

void Baseline::Write(const std::string& path, const CheckResult& result, const ReportPaths& paths) {
  Json entries = Json::array();
  for (size_t i = 0; i < result.findings.size(); ++i) {
    const RuleFinding& finding = result.findings[i];
    entries.push_back({{"rule", finding.ruleId},
                       {"file", paths.Of(finding.place.file)},
                       {"fingerprint", result.fingerprints[i]},
                       {"message", text::ToReadable(finding.message)}});
  }
  const Json document = {{"version", BaselineVersion}, {"findings", entries}};
  std::ofstream out(PathOfText(path), std::ios::binary | std::ios::trunc);
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  if (!out.flush()) throw UsageError("cannot write the baseline " + path);
}

void Baseline::LeaveOutKnown(CheckResult& result) const {
  size_t kept = 0;
  for (size_t i = 0; i < result.findings.size(); ++i) {
    if (known_.contains(Key(result, i))) continue;
    result.findings[kept] = std::move(result.findings[i]);
    result.fingerprints[kept] = std::move(result.fingerprints[i]);
    ++kept;
  }
  result.baselined += result.findings.size() - kept;
  result.findings.resize(kept);
  result.fingerprints.resize(kept);
}

}  // namespace lintra
