#include "apps/lsp/ControlViews.h"

#include <optional>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "site/PageReports.h"
#include "site/TextPosition.h"

namespace lintra::lsp {

namespace {

// How many pages the tree of a file that is no page shows at most.
constexpr size_t MaxRootPages = 100;

const char* KindOf(const File& node) {
  if (node.RootFile()) return "page";
  if (node.MissingFile()) return "missing";
  if (node.CircularInclude()) return "circular";
  if (node.DuplicateInclude()) return "duplicate";
  return "file";
}

Text WithoutLeadingSlash(const Text& path) {
  const size_t start = path.find_first_not_of(u"/");
  return start == Text::npos ? Text() : path.substr(start);
}

Json NodeOf(Workspace& workspace, const File& node, const LineIndex* parentLines) {
  const Text path = WithoutLeadingSlash(node.FullPath());
  const std::string uri = node.MissingFile() ? "" : workspace.UriOf(path);
  Json range = nullptr;
  if (parentLines) {
    const LineColumn start = parentLines->At(node.BaseFileStart());
    const LineColumn end = parentLines->At(node.BaseFileEnd());
    range = RangeOf(start.line, start.column, end.line, end.column);
  }
  Json children = Json::array();
  if (const Files* includes = node.IncludesIfAny(); includes && includes->size() > 0) {
    const LineIndex lines(node.Content());
    for (size_t i = 0; i < includes->size(); ++i) {
      children.push_back(NodeOf(workspace, *(*includes)[i], &lines));
    }
  }
  return {{"name", text::ToReadable(node.Name())},
          {"path", text::ToReadable(path)},
          {"uri", uri.empty() ? Json(nullptr) : Json(uri)},
          {"kind", KindOf(node)},
          {"range", std::move(range)},
          {"children", std::move(children)}};
}

// The pages whose views stand for the document: itself when it is a page, otherwise the pages
// that reach it, at most `most`.
std::vector<uint32_t> PagesFor(Workspace& workspace, const Text& webPath, size_t most) {
  const uint32_t file = workspace.Id(webPath);
  if (workspace.IsPage(file)) return {file};
  std::vector<uint32_t> pages;
  for (const uint32_t page : workspace.Index().Reaching(file)) {
    if (pages.size() == most) break;
    if (workspace.IsPage(page)) pages.push_back(page);
  }
  return pages;
}

}  // namespace

Json IncludeTree(Workspace& workspace, const Text& webPath) {
  Json roots = Json::array();
  for (const uint32_t page : PagesFor(workspace, webPath, MaxRootPages)) {
    if (const std::shared_ptr<File> tree = workspace.Analyse(workspace.Index().Name(page))) {
      roots.push_back(NodeOf(workspace, *tree, nullptr));
    }
  }
  return {{"roots", std::move(roots)}};
}

Json ReportOf(Workspace& workspace, const Text& webPath, ControlReport report) {
  const std::vector<uint32_t> pages = PagesFor(workspace, webPath, 1);
  std::shared_ptr<File> tree;
  if (!pages.empty()) tree = workspace.Analyse(workspace.Index().Name(pages.front()));
  if (!tree) return {{"text", ""}};
  Text out;
  switch (report) {
    case ControlReport::CompleteFile:
      out = CompleteFile(*tree);
      break;
    case ControlReport::TextTree:
      out = PageTextTree(*tree);
      break;
    case ControlReport::Warnings:
      out = PageWarnings(*tree);
      break;
  }
  return {{"text", text::ToUtf8(out)}};
}

}  // namespace lintra::lsp
