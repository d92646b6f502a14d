// Analyses an arbitrary page whose includes are served from a small site of arbitrary texts,
// shows it, runs every command and report on it, and checks that the tree view, the text tree
// and the reports agree with the tree that was built.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/File.h"
#include "analysis/FileSupply.h"
#include "analysis/Files.h"
#include "apps/host/TextDecoding.h"
#include "control/Lintra.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ErrorRecord.h"

using namespace lintra;

using fuzz::Require;

namespace {

// The parts of an input, in order, are the texts of these files (the first is the page).
constexpr std::u16string_view kSite[] = {
    u"shop/cart.asp",  u"inc/functions.inc", u"inc/header.inc",       u"inc/menu.inc",
    u"inc/footer.inc", u"inc/config.inc",    u"shop/cart_totals.inc", u"default.asp"};

// Parts are separated by this byte; each part is decoded as a file on disk would be.
constexpr char kSeparator = '\x01';

// Serves the site. A path that matches a file only without regard to letter case is answered
// with the file's own path, as a host on a case-insensitive disk would. Past a fixed number of
// requests for one page it answers with the abort code, which keeps include explosions small.
class SiteHost : public LintraEvents {
 public:
  static constexpr size_t kRequestLimit = 400;

  std::map<Text, Text> Files;
  size_t Requests = 0;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override {
    if (++Requests > kRequestLimit) {
      nError = FileSupply::Abort;
      return;
    }
    const Text wanted = text::UCase(FilePath);
    for (const auto& [path, text] : Files) {
      if (text::UCase(path) != wanted) continue;
      FilePath = path;
      FileText = text;
      return;
    }
    nError = 53;
  }
};

struct Census {
  size_t nodes = 0;
  size_t flagged = 0;  // missing or circular
  size_t duplicates = 0;
  bool lineBreakInPath = false;  // a directive's value may run over a line break
};

Census Count(File& root) {
  Census census;
  std::vector<File*> pending{&root};
  while (!pending.empty()) {
    File& file = *pending.back();
    pending.pop_back();
    ++census.nodes;
    if (file.MissingFile() || file.CircularInclude()) ++census.flagged;
    if (file.DuplicateInclude() && !file.CircularInclude()) ++census.duplicates;
    if (file.FullPath().find_first_of(u"\r\n") != Text::npos) census.lineBreakInPath = true;
    for (const auto& child : *file.Includes()) pending.push_back(child.get());
  }
  return census;
}

size_t Occurrences(TextView text, TextView piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != TextView::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

// Parses `page` into the control and checks the outcome. Returns false when the host stopped the
// analysis, which must leave the tree view as it was.
bool ShowPage(Lintra& control, SiteHost& host, const Text& page) {
  const size_t before = control.tvLintra().GetNodes().size();
  host.Requests = 0;
  try {
    control.ParseFile(u"/site", page);
  } catch (const RuntimeError& error) {
    Require(error.Record().Number == FileSupply::Abort && host.Requests > SiteHost::kRequestLimit,
            "ParseFile: fails only on the host's abort answer");
    Require(error.Record().Source == u"Lintra.Lintra.ParseFile", "ParseFile: names itself");
    Require(control.tvLintra().GetNodes().size() == before, "ParseFile: a failure shows nothing");
    return false;
  }
  return true;
}

void CheckShownPage(Lintra& control, const Census& census, size_t firstNode) {
  const Nodes& nodes = control.tvLintra().GetNodes();
  Require(nodes.size() == firstNode + census.nodes, "DisplayTree: one tree-view node per file");
  for (size_t i = firstNode; i < nodes.size(); ++i) {
    Require(nodes.begin()[static_cast<ptrdiff_t>(i)]->Expanded(), "ExpandWholeTree: all open");
  }

  const Text warnings = control.GetWarnings();
  Require(warnings.starts_with(u"File : "), "GetWarnings: names the page");
  Require(Occurrences(warnings, u"\r\n   Error opening file. \r\n") +
                  Occurrences(warnings, u"\r\n   Circular include error. \r\n") >=
              census.flagged,
          "GetWarnings: every missing or circular file is listed");
  Require(Occurrences(warnings, u"\r\n   Duplicate include warning : File ") >= census.duplicates,
          "GetWarnings: every duplicate is listed");
  control.GetCompleteFile();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::TreatErrorReportsAsFindings();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SiteHost host;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::u16string_view name : kSite) {
    const size_t end = bytes.find(kSeparator);
    host.Files[Text(name)] = DecodeFileBytes(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }

  auto control = std::make_shared<Lintra>();
  control->Events(&host);
  size_t lines = 0;
  bool countLines = true;
  for (const Text page : {u"shop/cart.asp", u"default.asp"}) {
    const size_t firstNode = control->tvLintra().GetNodes().size();
    if (!ShowPage(*control, host, page)) continue;
    const auto root = std::dynamic_pointer_cast<File>(
        control->tvLintra().GetNodes().begin()[static_cast<ptrdiff_t>(firstNode)]->Tag());
    Require(root && root->RootFile(), "DisplayTree: a new top-level node holds the page");
    const Census census = Count(*root);
    control->tvLintra().SelectedItem(
        control->tvLintra().GetNodes().begin()[static_cast<ptrdiff_t>(firstNode)].get());
    CheckShownPage(*control, census, firstNode);
    lines += 2 * census.nodes + 1;
    countLines = countLines && !census.lineBreakInPath;

    control->Collapse();
    control->Expand();
    control->CollapseAll();
    control->Expand();
    control->ExpandAll();
  }
  const Text tree = control->TextTree();
  Require(!countLines || Occurrences(tree, u"\r\n") == lines,
          "TextTree: a line per page, two per include, two empty lines per page");

  TextArray list(0, 1, 0, 1);
  list.At(0, 1) = u"INC/HEADER.INC";
  list.At(1, 1) = u"SHOP/CART_TOTALS.INC";
  const size_t shown = control->tvLintra().GetNodes().size();
  host.Requests = 0;
  try {
    control->DisplayIfDependant(u"/site", u"shop/cart.asp", list);
  } catch (const RuntimeError& error) {
    Require(error.Record().Number == FileSupply::Abort, "DisplayIfDependant: fails only on abort");
    Require(control->tvLintra().GetNodes().size() == shown, "DisplayIfDependant: shows nothing");
  }
  control->ClearTree();
  Require(control->tvLintra().GetNodes().size() == 0, "ClearTree: empties the tree view");
  control->Events(nullptr);
  return 0;
}
