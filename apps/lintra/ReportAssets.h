#pragma once

#include <string_view>

namespace lintra {

// The bytes of a file that the HTML report is made of, by its file name: report.html, report.css,
// report.js and the SVG pictures of the tree and toolbar (web-page.svg, ...); under the name
// followed by ".sha256", the file's SHA-256 in lowercase hex. Empty for a name that is none of
// them.
std::string_view ReportAsset(std::string_view name);

}  // namespace lintra
