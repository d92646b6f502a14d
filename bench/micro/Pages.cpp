#include "micro/Pages.h"

#include <string>

namespace lintra {

namespace {

Text PartPath(int n) {
  return text::FromUtf8("inc/g" + std::to_string(n / 100) + "/part_" + std::to_string(n) + ".inc");
}

// Ordinary ASP text of at least `bytes` bytes, in CR LF lines.
Text Lines(size_t bytes) {
  static const char* const lines[] = {"<p class=\"note\">order total amount status</p>\r\n",
                                      "<% Response.Write \"customer\" & userName %>\r\n",
                                      "<!-- navigation block -->\r\n",
                                      "<%\r\nFunction GetPrice(itemId)\r\n  GetPrice = "
                                      "Request.Form(\"price\")\r\nEnd Function\r\n%>\r\n",
                                      "<td align=\"left\">basket stock price</td>\r\n"};
  std::string text;
  for (size_t i = 0; text.size() < bytes; ++i) text += lines[i % 5];
  return text::FromUtf8(text);
}

}  // namespace

Text AddWidePage(MemorySite& site, int includes, int distinct) {
  for (int n = 0; n < distinct; ++n) site.Files[PartPath(n)] = Lines(300);
  Text page;
  for (int i = 0; i < includes; ++i) {
    page += u"<!-- #include virtual=\"/" + PartPath(i % distinct) + u"\" -->\r\n";
    if (i % 4 == 0) page += u"<tr><td>row</td></tr>\r\n";
  }
  const Text path =
      u"wide_" + text::FromNumber(includes) + u"_" + text::FromNumber(distinct) + u".asp";
  site.Files[path] = std::move(page);
  return path;
}

Text AddLargeIncludePage(MemorySite& site, size_t bytes, int uses) {
  const Text library = u"lib/library_" + text::FromNumber(static_cast<int64_t>(bytes)) + u".inc";
  site.Files[library] = Lines(bytes);
  Text page;
  for (int i = 0; i < uses; ++i) {
    page += u"<p>section</p>\r\n<!-- #include file=\"" + library + u"\" -->\r\n";
  }
  const Text path = u"large_" + text::FromNumber(static_cast<int64_t>(bytes)) + u"_" +
                    text::FromNumber(uses) + u".asp";
  site.Files[path] = std::move(page);
  return path;
}

}  // namespace lintra
