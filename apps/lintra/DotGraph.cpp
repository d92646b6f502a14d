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

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NodeLine(const GraphNode& node, size_t id) {
  const std::string name = node.path.substr(Folder(node.path).size());
  std::string line =
      "  n" + std::to_string(id) + " [label=" + Quoted(name) + ", tooltip=" + Quoted(node.path);
  if (node.missing) {
    line += std::string(", style=\"rounded,filled,dashed\", color=\"") + colours::Critical +
            "\", fillcolor=\"" + colours::CriticalFill + "\"";
  } else if (node.page) {
    line += std::string(", fillcolor=\"") + colours::PageFill + "\"";
  }
  return line + "];\n";
}

std::string EdgeLine(const GraphEdge& edge) {
  std::string line = "  n" + std::to_string(edge.from) + " -> n" + std::to_string(edge.to);
  switch (edge.style) {
    case EdgeStyle::Missing:
      line += std::string(" [color=\"") + colours::Critical + "\", style=dashed";
      break;
    case EdgeStyle::Circular:
      line += std::string(" [color=\"") + colours::Critical + "\", style=bold";
      break;
    case EdgeStyle::Duplicate:
      line += std::string(" [color=\"") + colours::Warning + "\"";
      break;
    case EdgeStyle::Plain:
      return line + ";\n";
  }
  const char* name = StyleName(edge.style);
  return line + ", label=\"" + name + "\", fontcolor=\"" +
         (edge.style == EdgeStyle::Duplicate ? colours::Warning : colours::Critical) + "\"];\n";
}

}  // namespace

std::string DotText(const IncludeGraph& graph) {
  std::map<std::string, std::string> folders;
  for (size_t id = 0; id < graph.nodes.size(); ++id) {
    const std::string folder = Folder(graph.nodes[id].path);
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
