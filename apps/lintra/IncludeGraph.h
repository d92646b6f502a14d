#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apps/lintra/SiteSurvey.h"

namespace lintra {

// The colours that mark findings wherever the site is drawn: in the graphs and, through the same
// values in report.css, in the HTML report.
namespace colours {
inline constexpr const char* Critical = "#d7261e";
inline constexpr const char* CriticalFill = "#fde2e1";
inline constexpr const char* Warning = "#b07d00";
inline constexpr const char* PageFill = "#dde4ec";
}  // namespace colours

// A file of the graph: its position in SiteSurvey::Files, its readable path, and whether it is a
// page or could not be found. A node that stands for the pages of one folder has the folder as
// its path, ending in "/" (empty for the root), and counts them in `pages`.
struct GraphNode {
  uint32_t file = 0;
  std::string path;
  bool page = false;
  bool missing = false;
  size_t pages = 0;
};

// How an edge is drawn: by the worst of its flags, missing before circular before duplicate.
enum class EdgeStyle { Plain, Missing, Circular, Duplicate };

// An include edge between two nodes, by their positions in IncludeGraph::nodes. An edge from the
// node of a folder's pages counts the pages whose edges it stands for in `pages`, and has the
// worst of their styles.
struct GraphEdge {
  size_t from = 0;
  size_t to = 0;
  EdgeStyle style = EdgeStyle::Plain;
  size_t pages = 0;
};

// The include graph of the surveyed pages down to some level: the pages, the files their trees
// show at that level or above, and the edges between them, each in order of first sight.
struct IncludeGraph {
  std::vector<GraphNode> nodes;
  std::vector<GraphEdge> edges;
};

// The most pages a graph draws one by one; past them, the pages of each folder that no file
// includes are drawn as one node, so that a site of hundreds of pages stays a readable drawing.
inline constexpr size_t PagesDrawnApart = 30;

// The graph of `survey` with the edges whose included file some tree shows at level `depth` or
// above (the pages are level 0); every edge when there is no depth. With more than
// PagesDrawnApart pages, those that no file includes are one node per folder.
IncludeGraph GraphOf(const SiteSurvey& survey, std::optional<uint32_t> depth);

// The word that names a style in edge labels: "missing", "circular", "duplicate", "" for plain.
const char* StyleName(EdgeStyle style);

// What labels `edge`: its style's name, and for the edge of a folder's pages how many they are,
// as "missing, 3 pages"; empty for a plain edge of one file.
std::string EdgeLabel(const GraphEdge& edge);

// The name of `node` within its folder: "12 pages" for a folder's pages, else its file name.
std::string NameInFolder(const GraphNode& node);

// The whole name of `node`: its path, or "12 pages in forum/" for a folder's pages ("12 pages" for
// those of the root).
std::string FullName(const GraphNode& node);

// The folder of a readable `path`, up to its last "/" included; empty for the root.
std::string FolderOf(const std::string& path);

// DOT text for Graphviz: files clustered by folder, pages filled, missing files dashed and edges
// coloured as the report colours findings.
std::string DotText(const IncludeGraph& graph);

// A Mermaid flowchart of the same graph, with the same colours.
std::string MermaidText(const IncludeGraph& graph);

}  // namespace lintra
