#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lintra {

// The subcommands of the command line.
enum class Command { Tree, Complete, Warnings, Depends, Check, Includers, Lsp };

// The output formats of the check subcommand.
enum class ReportFormat { PlainText, Json, Sarif };

// Everything one run of the command line was asked to do, as parsed from its arguments.
struct Options {
  Command command = Command::Tree;
  // The project root as given, "." when none was.
  std::string root = ".";
  // Page arguments as written, in order.
  std::vector<std::string> pages;
  // The --changed paths of depends, as written.
  std::vector<std::string> changed;
  // The FILE of includers, as written.
  std::string file;
  // Globs on web paths that leave pages out (depends and check).
  std::vector<std::string> excludes;
  // depends: print the text tree of the pages shown instead of their paths.
  bool tree = false;
  // depends: print the chain of directives from each page to a changed file instead.
  bool why = false;
  ReportFormat format = ReportFormat::PlainText;
  // The most file requests one page may make before its analysis is stopped.
  uint64_t maxFiles = 100000;
  // The code page of files that are not UTF-8, empty for none (their bytes are kept as escapes).
  std::string encoding;
  // Whether files are shown under their real web path instead of the path that named them.
  bool canonicalPaths = false;
};

}  // namespace lintra
