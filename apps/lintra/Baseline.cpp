#include "apps/lintra/Baseline.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

constexpr int BaselineVersion = 1;

std::string Key(const std::string& rule, const std::string& file, const std::string& fingerprint) {
  return rule + '\0' + file + '\0' + fingerprint;
}

std::string Key(const ReportedFinding& reported) {
  return Key(reported.finding.ruleId, text::ToUtf8(reported.finding.place.file),
             reported.fingerprint);
}

}  // namespace

Baseline Baseline::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageError("cannot read the baseline " + path);
  Baseline baseline;
  try {
    const Json document = Json::parse(in);
    if (document.at("version") != BaselineVersion) throw std::invalid_argument("version");
    for (const Json& entry : document.at("findings")) {
      baseline.known_.insert(Key(entry.at("rule").get<std::string>(),
                                 entry.at("file").get<std::string>(),
                                 entry.at("fingerprint").get<std::string>()));
    }
  } catch (const std::exception&) {
    throw UsageError("the baseline " + path +
                     " is no baseline of this version (write it again with --write-baseline)");
  }
  return baseline;
}

void Baseline::Write(const std::string& path, const std::vector<ReportedFinding>& findings) {
  Json entries = Json::array();
  for (const ReportedFinding& reported : findings) {
    entries.push_back({{"rule", reported.finding.ruleId},
                       {"file", text::ToUtf8(reported.finding.place.file)},
                       {"fingerprint", reported.fingerprint},
                       {"message", text::ToUtf8(reported.finding.message)}});
  }
  const Json document = {{"version", BaselineVersion}, {"findings", entries}};
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  if (!out.flush()) throw UsageError("cannot write the baseline " + path);
}

void Baseline::LeaveOutKnown(CheckResult& result) const {
  const size_t before = result.findings.size();
  std::erase_if(result.findings,
                [&](const ReportedFinding& reported) { return known_.contains(Key(reported)); });
  result.baselined += before - result.findings.size();
}

}  // namespace lintra
