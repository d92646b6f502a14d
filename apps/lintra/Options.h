#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "apps/host/VirtualDirectory.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"

namespace lintra {

// The subcommands of the command line.
enum class Command { Tree, Complete, Warnings, Depends, Check, Includers, Report, Graph, Lsp };

// The output formats of the check subcommand.
enum class ReportFormat { PlainText, Json, Sarif, Github };

// When check's text is coloured: on a terminal unless NO_COLOR is set, always, or never.
enum class ColorChoice { Auto, Always, Never };

// The output formats of the graph subcommand.
enum class GraphFormat { Dot, Mermaid };

// Everything one run of the command line was asked to do, as parsed from its arguments.
struct Options {
  Command command = Command::Tree;
  // The web root: as --root gives it, else as the configuration file names it; empty until the
  // project is located (see LocateProject) when --root gives none.
  std::string root;
  // The folder that check's reports name files from (see ReportBase); set once the project is
  // located.
  std::filesystem::path base;
  // Whether the configuration file is left unread (--no-config).
  bool noConfig = false;
  // Page arguments as written, in order.
  std::vector<std::string> pages;
  // The configuration file that named `pages`, as the working folder reaches it; empty when the
  // command line named them.
  std::string pagesNamedBy;
  // The --changed paths of depends, as written.
  std::vector<std::string> changed;
  // The FILE arguments of includers, as written.
  std::vector<std::string> files;
  // Globs on web paths that leave pages out (depends, includers and check): those of --exclude,
  // which replace the configuration's, those of --extend-exclude, which add to them, and the
  // configuration's.
  std::vector<std::string> excludes;
  std::vector<std::string> extendExcludes;
  std::vector<std::string> configExcludes;
  // depends: print the text tree of the pages shown instead of their paths.
  bool tree = false;
  // depends: print the chain of directives from each page to a changed file instead.
  bool why = false;
  ReportFormat format = ReportFormat::PlainText;
  // Whether check's text lists every place of every finding instead of one line per cause.
  bool allPlaces = false;
  ColorChoice color = ColorChoice::Auto;
  // check: the least severity reported; findings of a lower one are left out.
  Severity leastSeverity = Severity::Note;
  // report: the file the HTML page is written to, "-" for standard output.
  std::string output = "lintra-report.html";
  GraphFormat graphFormat = GraphFormat::Dot;
  // graph: the deepest include level drawn, the pages being level 0; none for every level.
  std::optional<uint32_t> depth;
  // The most file requests one page may make before its analysis is stopped.
  uint64_t maxFiles = 100000;
  // The code page of files that are not UTF-8, empty for none (their bytes are kept as escapes).
  std::string encoding;
  // Whether files are shown under their real web path instead of the path that named them.
  bool canonicalPaths = false;
  // check: the baseline whose findings are left out, and the file to record today's findings in.
  std::string baseline;
  std::string writeBaseline;
  // check: the most warnings a run may report and still succeed; none for no limit.
  std::optional<uint64_t> maxWarnings;
  // How the project's rules run, as its configuration file says.
  RuleSettings ruleSettings;
  // The project's virtual directories, as its configuration file maps them.
  std::vector<VirtualDirectory> virtualDirectories;
  // check: how many pages are analysed at once; 0 for one per core of the machine.
  unsigned jobs = 0;

  // The globs that leave pages out: the configuration's unless --exclude replaces them, then
  // those of --extend-exclude.
  std::vector<std::string> Excludes() const {
    std::vector<std::string> globs = excludes.empty() ? configExcludes : excludes;
    globs.insert(globs.end(), extendExcludes.begin(), extendExcludes.end());
    return globs;
  }
};

}  // namespace lintra
