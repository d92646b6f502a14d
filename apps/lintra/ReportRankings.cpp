#include "apps/lintra/ReportRankings.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "apps/lintra/Markup.h"

namespace lintra {

namespace {

// The pages listed in each ranking.
constexpr size_t Listed = 20;
// A chain of more files than this shows its first ChainHead and last ChainTail files.
constexpr size_t ChainShown = 6;
constexpr size_t ChainHead = 3;
constexpr size_t ChainTail = 2;

using Weight = std::tuple<uint64_t, uint64_t>;

// The Listed pages of `survey` of most `weight`, the first of equals first.
std::vector<const SurveyPage*> Heaviest(const SiteSurvey& survey,
                                        const std::function<Weight(const SurveyPage&)>& weight) {
  std::vector<const SurveyPage*> pages;
  for (const SurveyPage& page : survey.Pages()) pages.push_back(&page);
  const size_t listed = std::min(Listed, pages.size());
  std::partial_sort(pages.begin(), pages.begin() + static_cast<std::ptrdiff_t>(listed), pages.end(),
                    [&](const SurveyPage* a, const SurveyPage* b) {
                      const Weight x = weight(*a), y = weight(*b);
                      return x != y ? x > y : a < b;
                    });
  pages.resize(listed);
  return pages;
}

uint64_t Includes(const SurveyPage& page) {
  return page.tree.size() - 1;
}

std::string NumberCell(uint64_t value) {
  return "<td class=\"num\">" + std::to_string(value) + "</td>";
}

std::string PageCell(const SiteSurvey& survey, const ReportLinks& links, const SurveyPage& page) {
  std::string html = "<td>";
  AppendLink(html, links.Page(page.file), text::ToReadable(survey.Files()[page.file]), "path");
  return html + "</td>";
}

// The positions of the nodes from the root of `tree` down to its first deepest node.
std::vector<size_t> DeepestChain(const std::vector<SurveyNode>& tree) {
  std::vector<size_t> chain, deepest, ends;
  for (size_t at = 0; at < tree.size(); ++at) {
    while (!ends.empty() && at >= ends.back()) {
      ends.pop_back();
      chain.pop_back();
    }
    chain.push_back(at);
    ends.push_back(at + tree[at].size);
    if (chain.size() > deepest.size()) deepest = chain;
  }
  return deepest;
}

// The file names of the deepest chain of `page`, joined by arrows, its middle left out when long.
std::string ChainCell(const SiteSurvey& survey, const SurveyPage& page) {
  const std::vector<size_t> chain = DeepestChain(page.tree);
  std::string text;
  for (size_t i = 0; i < chain.size(); ++i) {
    if (chain.size() > ChainShown && i >= ChainHead && i < chain.size() - ChainTail) {
      if (i == ChainHead) text += " \u2192 \u2026";
      continue;
    }
    const std::string path = text::ToReadable(survey.Files()[page.tree[chain[i]].file]);
    text += (i ? " \u2192 " : "") + path.substr(path.rfind('/') + 1);
  }
  return "<td class=\"chain\">" + HtmlEscaped(text) + "</td>";
}

}  // namespace

std::string BySizeRows(const SiteSurvey& survey, const ReportLinks& links) {
  std::string html;
  for (const SurveyPage* page :
       Heaviest(survey, [](const SurveyPage& p) { return Weight(p.expandedSize, Includes(p)); })) {
    html += "<tr>" + PageCell(survey, links, *page) + NumberCell(page->expandedSize) +
            NumberCell(page->depth) + NumberCell(Includes(*page)) + "</tr>\n";
  }
  return html;
}

std::string ByDepthRows(const SiteSurvey& survey, const ReportLinks& links) {
  std::string html;
  for (const SurveyPage* page :
       Heaviest(survey, [](const SurveyPage& p) { return Weight(p.depth, Includes(p)); })) {
    html += "<tr>" + PageCell(survey, links, *page) + NumberCell(page->depth) +
            NumberCell(Includes(*page)) + ChainCell(survey, *page) + "</tr>\n";
  }
  return html;
}

}  // namespace lintra
