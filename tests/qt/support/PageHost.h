#pragma once

#include <map>
#include <memory>
#include <vector>

#include "control/Lintra.h"

// A host that serves file texts from memory, by the path the control asks for, and records the
// reports and file requests the control hands back. A path without an entry is missing. It does
// not keep the control alive.
class PageHost : public LintraEvents {
 public:
  explicit PageHost(const std::shared_ptr<Lintra>& control) : control_(control) {
    control->Events(this);
  }
  ~PageHost() override {
    if (const auto control = control_.lock()) control->Events(nullptr);
  }

  std::map<Text, Text> Files;
  std::vector<Text> Displayed;
  std::vector<Text> Opened;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override {
    const auto found = Files.find(FilePath);
    if (found == Files.end()) {
      nError = 1;
    } else {
      FileText = found->second;
    }
  }
  void DisplayText(Text& Report) override { Displayed.push_back(Report); }
  void DisplayFile(Text FilePath) override { Opened.push_back(FilePath); }

 private:
  std::weak_ptr<Lintra> control_;
};

// An include directive for `path`, on a line of its own.
inline Text Include(const Text& path) {
  return u"<!-- #include file=\"" + path + u"\" -->\r\n";
}

// The page "R.asp" of the expand and collapse examples: R includes A and B, A includes A1, A1
// includes A1a, B includes B1.
inline void AddSmallTree(PageHost& host) {
  host.Files[u"R.asp"] = Include(u"A.inc") + Include(u"B.inc");
  host.Files[u"A.inc"] = Include(u"A1.inc");
  host.Files[u"A1.inc"] = Include(u"A1a.inc");
  host.Files[u"A1a.inc"] = u"leaf";
  host.Files[u"B.inc"] = Include(u"B1.inc");
  host.Files[u"B1.inc"] = u"leaf";
}
