// Analyses a page that the host serves from memory through the installed control, and prints its
// text tree.
#include <cstdio>
#include <memory>

#include "control/Lintra.h"

using lintra::Text;

class Host : public lintra::LintraEvents {
  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override {
    if (FilePath == u"page.asp")
      FileText = u"<!-- #include file=\"inc/gone.inc\" -->";
    else
      nError = 53;
  }
};

int main() {
  Host host;
  auto control = std::make_shared<lintra::Lintra>();
  control->Events(&host);
  control->ParseFile(u"/site", u"page.asp");
  std::fputs(lintra::text::ToBytes(control->TextTree()).c_str(), stdout);
}
