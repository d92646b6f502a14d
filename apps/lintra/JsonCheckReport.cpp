#include <nlohmann/json.hpp>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

Json Place(const std::optional<LineColumn>& at, int32_t LineColumn::*part) {
  return at ? Json((*at).*part) : Json(nullptr);
}

// One file of a tree with everything below it; `at` is where its directive stands in the
// including file, none for the page.
Json TreeEntry(File& file, const std::optional<LineColumn>& at, LineIndexes& lines) {
  Json entry = {{"path", text::ToUtf8(file.FullPath())},
                {"missing", file.MissingFile()},
                {"circular", file.CircularInclude()},
                {"duplicate", file.DuplicateInclude()},
                {"line", Place(at, &LineColumn::line)},
                {"column", Place(at, &LineColumn::column)},
                {"includes", Json::array()}};
  const Files* includes = file.IncludesIfAny();
  if (!includes || includes->size() == 0) return entry;
  const LineIndex& index = lines.Of(file.Content());
  for (const std::shared_ptr<File>& child : *includes) {
    entry["includes"].push_back(TreeEntry(*child, index.At(child->BaseFileStart()), lines));
  }
  return entry;
}

Json FindingEntry(FindingKind kind, const FindingDetails& finding) {
  return {{"kind", KindName(kind)},
          {"path", text::ToUtf8(finding.path)},
          {"file", text::ToUtf8(finding.file)},
          {"line", Place(finding.at, &LineColumn::line)},
          {"column", Place(finding.at, &LineColumn::column)},
          {"message", text::ToUtf8(finding.message)}};
}

// The pages whose analysis failed, each with its message.
Json Aborted(const std::vector<PageFailure>& failures) {
  Json aborted = Json::array();
  for (const PageFailure& failure : failures) {
    aborted.push_back({{"page", text::ToUtf8(failure.page)}, {"message", failure.message}});
  }
  return aborted;
}

// Builds the whole document in memory and prints it at the end, so that a run that stops
// half-way prints nothing rather than a broken document. Pages whose analysis failed are listed
// under "aborted", which is left out when there are none. The summary counts the findings the
// pages list, so that it adds up to them.
class JsonCheckReport : public CheckReport {
 public:
  explicit JsonCheckReport(const std::filesystem::path& root)
      : document_({{"root", root.string()}, {"pages", Json::array()}}) {}

  void AddPage(File& page, const std::vector<Finding>& findings) override {
    Json entry = {{"page", text::ToUtf8(page.FullPath())},
                  {"tree", TreeEntry(page, std::nullopt, lines_)},
                  {"findings", Json::array()}};
    for (const Finding& finding : findings) {
      entry["findings"].push_back(FindingEntry(finding.kind, Describe(finding, page, lines_)));
      ++listed_[static_cast<size_t>(finding.kind)];
    }
    document_["pages"].push_back(std::move(entry));
    lines_.Forget(page.Content());
  }

  void Finish(const CheckSummary& summary, const std::vector<PageFailure>& failures) override {
    if (!failures.empty()) document_["aborted"] = Aborted(failures);
    document_["summary"] = {{"pages", summary.Pages()},
                            {"missing", listed_[static_cast<size_t>(FindingKind::Missing)]},
                            {"circular", listed_[static_cast<size_t>(FindingKind::Circular)]},
                            {"duplicate", listed_[static_cast<size_t>(FindingKind::Duplicate)]}};
    WriteOutBytes(document_.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
  }

 private:
  Json document_;
  LineIndexes lines_;
  // The findings listed so far, by kind.
  size_t listed_[3] = {};
};

}  // namespace

std::unique_ptr<CheckReport> MakeJsonCheckReport(const std::filesystem::path& root) {
  return std::make_unique<JsonCheckReport>(root);
}

}  // namespace lintra
