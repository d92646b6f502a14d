#include "apps/lintra/IncludeGraph.h"

#include <map>
#include <unordered_map>
#include <unordered_set>

#include "apps/lintra/Markup.h"

namespace lintra {

namespace {

EdgeStyle StyleOf(uint8_t flags) {
  if (flags & SurveyFlag::Missing) return EdgeStyle::Missing;
  if (flags & SurveyFlag::Circular) return EdgeStyle::Circular;
  if (flags & SurveyFlag::Duplicate) return EdgeStyle::Duplicate;
  return EdgeStyle::Plain;
}

// How bad a style is: missing before circular before duplicate before plain.
int Rank(EdgeStyle style) {
  static constexpr int ranks[] = {3, 0, 1, 2};
  return ranks[static_cast<int>(style)];
}

// Builds the graph node by node and edge by edge, each once.
class GraphBuilder {
 public:
  GraphBuilder(const SiteSurvey& survey, bool foldPages) : survey_(survey), fold_(foldPages) {
    for (const SurveyEdge& edge : survey.Edges()) included_.insert(edge.to);
  }

  // The node of `file`: its own, or that of its folder's pages when they are folded.
  size_t Node(uint32_t file) {
    if (fold_ && survey_.IsPage(file) && !included_.count(file)) return FolderNode(file);
    const auto [known, added] = positions_.try_emplace(file, graph_.nodes.size());
    if (added) {
      graph_.nodes.push_back(
          {file, text::ToReadable(survey_.Files()[file]), survey_.IsPage(file), false});
    }
    return known->second;
  }

  // Adds the edge `from` `to` in `style`, or merges it into the same edge of a folder's pages.
  void Edge(size_t from, size_t to, EdgeStyle style) {
    if (!graph_.nodes[from].pages) {
      graph_.edges.push_back({from, to, style});
      return;
    }
    const auto [known, added] = folded_.try_emplace({from, to}, graph_.edges.size());
    if (added) graph_.edges.push_back({from, to, style});
    GraphEdge& edge = graph_.edges[known->second];
    if (Rank(style) < Rank(edge.style)) edge.style = style;
    ++edge.pages;
  }

  IncludeGraph& Graph() { return graph_; }

 private:
  size_t FolderNode(uint32_t page) {
    const std::string folder = FolderOf(text::ToReadable(survey_.Files()[page]));
    const auto [known, added] = folders_.try_emplace(folder, graph_.nodes.size());
    if (added) graph_.nodes.push_back({page, folder, true, false});
    if (counted_.insert(page).second) ++graph_.nodes[known->second].pages;
    return known->second;
  }

  const SiteSurvey& survey_;
  bool fold_;
  IncludeGraph graph_;
  std::unordered_set<uint32_t> included_;
  std::unordered_set<uint32_t> counted_;
  std::unordered_map<uint32_t, size_t> positions_;
  std::unordered_map<std::string, size_t> folders_;
  std::map<std::pair<size_t, size_t>, size_t> folded_;
};

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameInFolder(const GraphNode& node) {
  if (node.pages) return std::to_string(node.pages) + (node.pages == 1 ? " page" : " pages");
  return node.path.substr(FolderOf(node.path).size());
}

std::string FullName(const GraphNode& node) {
  if (!node.pages || node.path.empty()) return node.pages ? NameInFolder(node) : node.path;
  return NameInFolder(node) + " in " + node.path;
}

std::string EdgeLabel(const GraphEdge& edge) {
  std::string label = StyleName(edge.style);
  if (!edge.pages) return label;
  return label + (label.empty() ? "" : ", ") + std::to_string(edge.pages) +
         (edge.pages == 1 ? " page" : " pages");
}

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
  GraphBuilder builder(survey, survey.Pages().size() > PagesDrawnApart);
  IncludeGraph& graph = builder.Graph();
  for (const SurveyPage& page : survey.Pages()) {
    GraphNode& node = graph.nodes[builder.Node(page.file)];
    node.missing = node.missing || (page.tree.front().flags & SurveyFlag::Missing);
  }
  for (const SurveyEdge& edge : survey.Edges()) {
    if (depth && edge.level > *depth) continue;
    const size_t from = builder.Node(edge.from);
    const size_t to = builder.Node(edge.to);
    if (edge.flags & SurveyFlag::Missing) graph.nodes[to].missing = true;
    builder.Edge(from, to, StyleOf(edge.flags));
  }
  return std::move(graph);
}

}  // namespace lintra
