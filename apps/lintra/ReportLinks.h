#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "apps/lintra/SiteSurvey.h"
#include "platform/Text.h"

namespace lintra {

// Where the report's script shows a file or a page: "#file-N" opens the file view of the file at
// position N of SiteSurvey::Files, "#page-N" the include tree of the page at position N of
// SiteSurvey::Pages. The plain HTML of the report links its names there.
class ReportLinks {
 public:
  // The links of the files and pages of `survey`.
  explicit ReportLinks(const SiteSurvey& survey);

  // The link to the file view of `file`, by its full path; empty when no tree shows it.
  std::string File(const Text& file) const;
  // The link to the include tree of the page `file`, by its full path; empty when it is not a
  // page of the survey.
  std::string Page(const Text& file) const;
  // The link to the include tree of the page whose file is at `file` in SiteSurvey::Files.
  std::string Page(uint32_t file) const;

 private:
  std::unordered_map<TextView, uint32_t> files_;
  std::unordered_map<uint32_t, uint32_t> pages_;
};

// Appends to `html` a link to `href` of the class `kind` around `text`, UTF-8 that is escaped;
// `text` in a span of that class when `href` is empty.
void AppendLink(std::string& html, const std::string& href, std::string_view text,
                std::string_view kind);

}  // namespace lintra
