#include <map>

#include "apps/lintra/IncludeGraph.h"

namespace lintra {

namespace {

// `text` as a DOT string: quoted, with quotes and backslashes escaped and line breaks as "\n".
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (c == '\n') {
      quoted += "\\n";
      continue;
    }
    quoted += c;
  }
  return quoted + "\"";
}

std::string NodeLine(const GraphNode& node, size_t id) {
  std::string line = "  n" + std::to_string(id) + " [label=" + Quoted(NameInFolder(node)) +
                     ", tooltip=" + Quoted(FullName(node));
  if (node.missing) {
    line += std::string(", style=\"rounded,filled,dashed\", color=\"") + colours::Critical +
            "\", fillcolor=\"" + colours::CriticalFill + "\"";
  } else if (node.page) {
    line += std::string(", fillcolor=\"") + colours::PageFill + "\"";
  }
  return line + "];\n";
}

// The attributes that draw `edge` in its style, with its label; none for a plain edge of one file.
std::string EdgeAttributes(const GraphEdge& edge) {
  const char* colour = edge.style == EdgeStyle::Duplicate ? colours::Warning : colours::Critical;
  const std::string label = EdgeLabel(edge);
  std::string attributes = label.empty() ? "" : "label=" + Quoted(label);
  if (edge.style == EdgeStyle::Plain) return attributes;
  attributes += std::string(", color=\"") + colour + "\", fontcolor=\"" + colour + "\"";
  if (edge.style == EdgeStyle::Missing) attributes += ", style=dashed";
  if (edge.style == EdgeStyle::Circular) attributes += ", style=bold";
  return attributes;
}

std::string EdgeLine(const GraphEdge& edge) {
  const std::string attributes = EdgeAttributes(edge);
  return "  n" + std::to_string(edge.from) + " -> n" + std::to_string(edge.to) +
         (attributes.empty() ? "" : " [" + attributes + "]") + ";\n";
}

}  // namespace

std::string DotText(const IncludeGraph& graph) {
  std::map<std::string, std::string> folders;
  for (size_t id = 0; id < graph.nodes.size(); ++id) {
    const std::string folder = FolderOf(graph.nodes[id].path);
    folders[folder] += (folder.empty() ? "" : "  ") + NodeLine(graph.nodes[id], id);
  }
  std::string dot =
      "digraph includes {\n"
      "  rankdir=LR;\n"
      "  fontname=\"sans-serif\";\n"
      "  node [shape=box, style=\"rounded,filled\", fillcolor=\"#ffffff\", fontname=\"sans-serif\","
      " fontsize=10];\n"
      "  edge [fontname=\"sans-serif\", fontsize=9];\n";
  size_t cluster = 0;
  for (const auto& [folder, nodes] : folders) {
    if (folder.empty()) {
      dot += nodes;
      continue;
    }
    dot += "  subgraph cluster_" + std::to_string(cluster++) + " {\n    label=" + Quoted(folder) +
           ";\n    style=rounded;\n    color=\"#9aa7b4\";\n" + nodes + "  }\n";
  }
  for (const GraphEdge& edge : graph.edges) dot += EdgeLine(edge);
  return dot + "}\n";
}

}  // namespace lintra
