#include "apps/lintra/IncludeGraph.h"

#include <unordered_map>

#include "apps/lintra/Markup.h"

namespace lintra {

namespace {

EdgeStyle StyleOf(uint8_t flags) {
  if (flags & SurveyFlag::Missing) return EdgeStyle::Missing;
  if (flags & SurveyFlag::Circular) return EdgeStyle::Circular;
  if (flags & SurveyFlag::Duplicate) return EdgeStyle::Duplicate;
  return EdgeStyle::Plain;
}

}  // namespace

const char* StyleName(EdgeStyle style) {
  switch (style) {
    case EdgeStyle::Missing:
      return "missing";
    case EdgeStyle::Circular:
      return "circular";
    case EdgeStyle::Duplicate:
      return "duplicate";
    case EdgeStyle::Plain:
      break;
  }
  return "";
}

IncludeGraph GraphOf(const SiteSurvey& survey, std::optional<uint32_t> depth) {
  IncludeGraph graph;
  std::unordered_map<uint32_t, size_t> positions;
  const auto node = [&](uint32_t file) {
    const auto [known, added] = positions.try_emplace(file, graph.nodes.size());
    if (added) {
      graph.nodes.push_back({file, Readable(survey.Files()[file]), survey.IsPage(file), false});
    }
    return known->second;
  };
  for (const SurveyPage& page : survey.Pages()) {
    graph.nodes[node(page.file)].missing = page.tree.front().flags & SurveyFlag::Missing;
  }
  for (const SurveyEdge& edge : survey.Edges()) {
    if (depth && edge.level > *depth) continue;
    const size_t from = node(edge.from);
    const size_t to = node(edge.to);
    if (edge.flags & SurveyFlag::Missing) graph.nodes[to].missing = true;
    graph.edges.push_back({from, to, StyleOf(edge.flags)});
  }
  return graph;
}

}  // namespace lintra
