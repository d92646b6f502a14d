#include "apps/lintra/IncludeGraph.h"

namespace lintra {

namespace {

// `text` as a Mermaid label in quotes: the characters that Mermaid or HTML would read as markup
// written as Mermaid's numeric entity codes ("#34;" for a quote).
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '#' || c == '<' || c == '>' || c == '&' || c == '\n') {
      quoted += "#" + std::to_string(static_cast<unsigned char>(c)) + ";";
      continue;
    }
    quoted += c;
  }
  return quoted + "\"";
}

// The arrow of `edge`, with its label (see EdgeLabel) when it has one.
std::string Arrow(const GraphEdge& edge) {
  const std::string label = EdgeLabel(edge);
  if (label.empty()) return " --> ";
  switch (edge.style) {
    case EdgeStyle::Missing:
      return " -. " + label + " .-> ";
    case EdgeStyle::Circular:
      return " == " + label + " ==> ";
    case EdgeStyle::Duplicate:
    case EdgeStyle::Plain:
      break;
  }
  return " -- " + label + " --> ";
}

}  // namespace

std::string MermaidText(const IncludeGraph& graph) {
  std::string text = "flowchart LR\n";
  std::string classes;
  for (size_t id = 0; id < graph.nodes.size(); ++id) {
    const GraphNode& node = graph.nodes[id];
    text += "  n" + std::to_string(id) + "[" + Quoted(FullName(node)) + "]\n";
    if (node.missing || node.page) {
      classes += "  class n" + std::to_string(id) + (node.missing ? " missing\n" : " page\n");
    }
  }
  std::string linkStyles;
  for (size_t at = 0; at < graph.edges.size(); ++at) {
    const GraphEdge& edge = graph.edges[at];
    text += "  n" + std::to_string(edge.from) + Arrow(edge) + "n" + std::to_string(edge.to) + "\n";
    if (edge.style == EdgeStyle::Plain) continue;
    linkStyles +=
        "  linkStyle " + std::to_string(at) +
        " stroke:" + (edge.style == EdgeStyle::Duplicate ? colours::Warning : colours::Critical) +
        ",color:" + (edge.style == EdgeStyle::Duplicate ? colours::Warning : colours::Critical) +
        "\n";
  }
  text += std::string("  classDef page fill:") + colours::PageFill + "\n" +
          "  classDef missing fill:" + colours::CriticalFill + ",stroke:" + colours::Critical +
          ",stroke-dasharray:4 2\n";
  return text + classes + linkStyles;
}

}  // namespace lintra
