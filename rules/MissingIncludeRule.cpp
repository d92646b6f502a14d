#include "rules/MissingIncludeRule.h"

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "rules/ParentPathRule.h"

namespace lintra {

const RuleInfo& MissingIncludeRule::Info() const {
  // Microsoft's list of ASP errors, Windows Server 2003 documentation, table E.4 (learn.
  // microsoft.com, cc785706), and its ASP error code list (archive/blogs/deva).
  static const RuleInfo info{
      Id, Severity::Error, "ASP 0126", "An included file cannot be found.",
      "The server merges every include into the page before any script runs, and stops the page "
      "with error ASP 0126 (Include file not found) when the file an include directive names "
      "does not exist or lies outside the site; every page that reaches the directive fails "
      "(Microsoft's list of ASP errors). A file that exists but cannot be read is "
      "unreadable-file's. Correct the path in the directive, or add the file."};
  return info;
}

namespace {

// The path as `node`'s directive writes it, as the server's own message names it: relative to the
// including file for file=, from the root for virtual=.
Text WrittenPath(const PageCheck::Include& include) {
  const ScannedDirective* directive = PageCheck::DirectiveOf(include);
  if (!directive) return include.node.FullPath();
  // The scan drops a virtual path's leading "/", but not a leading backslash.
  if (directive->Form == ScannedDirective::Kind::Virtual && !directive->Value.starts_with(u'\\')) {
    return u"/" + directive->Value;
  }
  return directive->Value;
}

// The path as `include`'s directive writes it, followed by the file's path from the root when the
// two differ: two missing files of one name in different folders are two causes.
Text MissingPath(const PageCheck::Include& include) {
  Text written = WrittenPath(include);
  const Text named = NamedPath(include.parent, include.node);
  if (TextView(written).substr(written.starts_with(u'/') ? 1 : 0) != named) {
    written += u" (" + named + u")";
  }
  return written;
}

// The message for a directive whose file is not there. A path with bytes that are not UTF-8 was
// written in a legacy code page (CP949, GBK, Windows-1252), which the server reads it in (the
// page's @CODEPAGE, else the system ANSI code page: IIS 6.0 SDK, "@CODEPAGE", ms524967); without
// that code page its name cannot match the file's, so the message says how to give it.
Text NotFound(const Text& path) {
  Text message = u"include file not found: " + path;
  if (text::HasEscapedByte(path)) {
    message +=
        u"; the path is not UTF-8: if the file is there, give the site's code page "
        u"(--encoding, or encoding in lintra.toml)";
  }
  return message;
}

}  // namespace

void MissingIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  page.EachInclude([&](const PageCheck::Include& include) {
    File& node = include.node;
    if (!node.MissingFile() || !node.Content().empty() || node.Unreadable()) return;
    if (ParentPathRule::ReportsRefusal(page.Settings(), include)) return;
    ReportDirective(page, findings, include, [&] { return NotFound(MissingPath(include)); });
  });
}

}  // namespace lintra
