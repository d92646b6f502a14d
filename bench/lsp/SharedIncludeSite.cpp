#include "lsp/SharedIncludeSite.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace lintra {

namespace {

constexpr int kPages = 8000;
constexpr int kFeatures = 50;

void Write(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

std::string Include(const std::string& path) {
  return "<!-- #include virtual=\"/" + path + "\" -->\r\n";
}

// About 2 KB of markup, so that pages weigh what real ones do.
std::string Markup(int page) {
  std::string html;
  for (int row = 0; row < 24; ++row) {
    html += "<tr><td class=\"cell\">Row " + std::to_string(row) + " of page " +
            std::to_string(page) + "</td><td>&nbsp;</td></tr>\r\n";
  }
  return html;
}

std::string Page(int page) {
  std::string text = "<%@ Language=\"VBScript\" %>\r\n<% Option Explicit %>\r\n";
  text += Include("inc/layout/header.inc");
  if (page % 8 < 5) text += Include("inc/common.inc");
  char feature[32];
  std::snprintf(feature, sizeof feature, "inc/feature/f%02d.inc", page % kFeatures);
  text += Include(feature);
  if (page % 100 == 99) text += Include("inc/retired.inc");
  text += "<% Dim pageTitle : pageTitle = \"Page " + std::to_string(page) + "\" %>\r\n";
  if (page % 8 < 5) text += "<% Response.Write Greeting(userName) %>\r\n";
  return text + Markup(page);
}

}  // namespace

void WriteSharedIncludeSite(const std::filesystem::path& root) {
  Write(root / "inc/common.inc",
        "<%\r\nDim siteName, userName\r\nConst SITE_VERSION = 3\r\n"
        "Function Greeting(name)\r\n  Greeting = \"Hello \" & name\r\nEnd Function\r\n%>\r\n");
  Write(root / "inc/layout/header.inc", "<html><body>\r\n" + Include("inc/layout/menu.inc"));
  Write(root / "inc/layout/menu.inc", "<ul><li>Home</li><li>Shop</li></ul>\r\n");
  for (int feature = 0; feature < kFeatures; ++feature) {
    char name[32];
    std::snprintf(name, sizeof name, "inc/feature/f%02d.inc", feature);
    Write(root / name, "<% Sub Feature" + std::to_string(feature) + "()\r\nEnd Sub %>\r\n");
  }
  for (int page = 0; page < kPages; ++page) {
    char name[32];
    std::snprintf(name, sizeof name, "p%02d/page%04d.asp", page / 100, page);
    Write(root / name, Page(page));
  }
}

}  // namespace lintra
