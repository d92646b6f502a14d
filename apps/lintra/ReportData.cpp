#include "apps/lintra/ReportData.h"

#include <nlohmann/json.hpp>

#include "apps/lintra/Markup.h"

namespace lintra {

using Json = nlohmann::json;

namespace {

Json Trees(const SiteSurvey& survey) {
  Json trees = Json::array();
  for (const SurveyPage& page : survey.Pages()) {
    std::vector<uint32_t> flat;
    flat.reserve(page.tree.size() * 3);
    for (const SurveyNode& node : page.tree) {
      flat.insert(flat.end(), {node.file, node.flags, node.size});
    }
    trees.push_back(std::move(flat));
  }
  return trees;
}

Json Pages(const SiteSurvey& survey) {
  Json pages = Json::array();
  for (const SurveyPage& page : survey.Pages()) {
    pages.push_back({page.file, page.expandedSize, page.depth});
  }
  return pages;
}

// For each file, what includes it and which pages reach it.
void AddIncluders(const SiteSurvey& survey, Json& data) {
  Json& includedBy = data["includedBy"] = Json::array();
  Json& reachedBy = data["reachedBy"] = Json::array();
  for (const Text& file : survey.Files()) {
    Json directives = Json::array();
    for (const Includer& includer : survey.Index().Includers(file)) {
      directives.push_back({Readable(includer.file), includer.line});
    }
    includedBy.push_back(std::move(directives));
    Json pages = Json::array();
    for (const Text& page : survey.Index().Pages(file, ReportedPagesPerFile)) {
      pages.push_back(Readable(page));
    }
    reachedBy.push_back({survey.Index().PageCount(file), std::move(pages)});
  }
}

Json Includes(const SiteSurvey& survey) {
  std::vector<Json> includes(survey.Files().size(), Json::array());
  for (const SurveyEdge& edge : survey.Edges())
    includes[edge.from].push_back({edge.to, edge.flags});
  return includes;
}

}  // namespace

std::string ReportData(const SiteSurvey& survey) {
  Json data;
  Json& files = data["files"] = Json::array();
  for (const Text& file : survey.Files()) files.push_back(Readable(file));
  data["pages"] = Pages(survey);
  data["trees"] = Trees(survey);
  AddIncluders(survey, data);
  data["includes"] = Includes(survey);
  return ScriptSafeJson(data.dump());
}

}  // namespace lintra
