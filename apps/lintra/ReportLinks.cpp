#include "apps/lintra/ReportLinks.h"

#include "apps/lintra/Markup.h"

namespace lintra {

ReportLinks::ReportLinks(const SiteSurvey& survey) {
  for (uint32_t file = 0; file < survey.Files().size(); ++file) {
    files_.emplace(survey.Files()[file], file);
  }
  for (uint32_t page = 0; page < survey.Pages().size(); ++page) {
    pages_.emplace(survey.Pages()[page].file, page);
  }
}

std::string ReportLinks::File(const Text& file) const {
  const auto found = files_.find(file);
  return found == files_.end() ? std::string() : "#file-" + std::to_string(found->second);
}

std::string ReportLinks::Page(const Text& file) const {
  const auto found = files_.find(file);
  return found == files_.end() ? std::string() : Page(found->second);
}

std::string ReportLinks::Page(uint32_t file) const {
  const auto found = pages_.find(file);
  return found == pages_.end() ? std::string() : "#page-" + std::to_string(found->second);
}

void AppendLink(std::string& html, const std::string& href, std::string_view text,
                std::string_view kind) {
  if (href.empty()) {
    html += "<span class=\"";
  } else {
    html += "<a href=\"" + href + "\" class=\"";
  }
  html += kind;
  html += "\">";
  AppendHtmlEscaped(html, text);
  html += href.empty() ? "</span>" : "</a>";
}

}  // namespace lintra
