#include "apps/lintra/CommandLine.h"

#include <CLI/CLI.hpp>
#include <map>
#include <stdexcept>
#include <string>

#include "apps/host/CodePage.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/version/Version.h"

namespace lintra {

namespace {

// Accepts the names of code pages that the C library can decode.
std::string KnownEncoding(const std::string& name) {
  try {
    CodePage{name};
    return "";
  } catch (const std::invalid_argument&) {
    return "unknown encoding " + name + " (see iconv --list)";
  }
}

// Accepts a whole number of files from 1 to the largest that a count holds.
std::string FileCount(const std::string& value) {
  const bool digits = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
  try {
    if (digits && std::stoull(value) > 0) return "";
  } catch (const std::out_of_range&) {
  }
  return "takes a whole number of files from 1 up, not " + value;
}

CLI::App* AddCommand(CLI::App& app, Options& options, Command command, const std::string& name,
                     const std::string& description) {
  CLI::App* sub = app.add_subcommand(name, description);
  sub->add_option("--root", options.root, "Root folder of the web project (default: .)")
      ->check(CLI::ExistingDirectory);
  sub->add_option("--max-files", options.maxFiles,
                  "Stop when one page requests more than N files (default: 100000)")
      ->check(CLI::Validator(FileCount, "N", "file count"))
      ->type_name("N");
  sub->add_option("--encoding", options.encoding,
                  "Decode files that are not UTF-8 from this code page (e.g. windows-1252, GBK) "
                  "instead of keeping their bytes")
      ->check(CLI::Validator(KnownEncoding, "NAME", "encoding"))
      ->type_name("NAME");
  // The site's commands always name a file as the disk spells it; they take the flag, hidden, so
  // that scripts written when it was needed still run.
  const bool report = command == Command::Tree || command == Command::Complete ||
                      command == Command::Warnings || command == Command::Depends;
  CLI::Option* canonical = sub->add_flag(
      "--canonical-paths", options.canonicalPaths,
      "Show each file under its real web path, so that two spellings of one file are the same "
      "file");
  if (!report) canonical->group("");
  sub->callback([&options, command] { options.command = command; });
  return sub;
}

CLI::Option* AddPages(CLI::App& sub, Options& options, const std::string& description) {
  return sub.add_option("PAGE", options.pages, description);
}

void AddExcludes(CLI::App& sub, Options& options) {
  sub.add_option("--exclude", options.excludes,
                 "Leave out pages whose web path, or a folder of it, matches GLOB (repeatable)")
      ->allow_extra_args(false)
      ->type_name("GLOB");
}

void AddReportCommands(CLI::App& app, Options& options) {
  CLI::App* tree =
      AddCommand(app, options, Command::Tree, "tree", "Print the include tree of pages");
  AddPages(*tree, options, "Pages, relative to the root")->required();
  CLI::App* complete = AddCommand(app, options, Command::Complete, "complete",
                                  "Print a page with every include expanded in place");
  AddPages(*complete, options, "Page, relative to the root")->required()->expected(1);
  CLI::App* warnings = AddCommand(app, options, Command::Warnings, "warnings",
                                  "Print the critical errors and warnings of a page");
  AddPages(*warnings, options, "Page, relative to the root")->required()->expected(1);
}

void AddDepends(CLI::App& app, Options& options) {
  CLI::App* sub = AddCommand(app, options, Command::Depends, "depends",
                             "List the pages that include any of the changed files");
  sub->add_option("--changed", options.changed, "A changed file, relative to the root (repeatable)")
      ->allow_extra_args(false)
      ->type_name("PATH")
      ->required();
  CLI::Option* tree =
      sub->add_flag("--tree", options.tree, "Print the include trees of those pages instead");
  sub->add_flag("--why", options.why,
                "Print for each page the chain of directives that leads to a changed file")
      ->excludes(tree);
  AddExcludes(*sub, options);
  AddPages(*sub, options, "Pages to consider (default: every .asp page below the root)");
}

void AddCheckOutputs(CLI::App& sub, Options& options) {
  static const std::map<std::string, ReportFormat> formats = {{"text", ReportFormat::PlainText},
                                                              {"json", ReportFormat::Json},
                                                              {"sarif", ReportFormat::Sarif},
                                                              {"github", ReportFormat::Github}};
  sub.add_option_function<std::string>(
         "--format", [&options](const std::string& name) { options.format = formats.at(name); },
         "Output format: text (default), json, sarif or github (workflow annotations)")
      ->check(CLI::IsMember({"text", "json", "sarif", "github"}))
      ->type_name("FORMAT");
  sub.add_flag("--all-places", options.allPlaces,
               "In the text output, list every place of every finding, one line each, instead "
               "of one line per cause");
  sub.add_option("--baseline", options.baseline,
                 "Leave out the findings that the baseline FILE records")
      ->type_name("FILE");
  sub.add_option("--write-baseline", options.writeBaseline,
                 "Record today's findings in FILE, for --baseline in later runs")
      ->type_name("FILE");
  sub.add_option_function<uint64_t>(
         "--max-warnings", [&options](uint64_t most) { options.maxWarnings = most; },
         "Fail (exit 1) when more than N warnings are reported")
      ->check(CLI::NonNegativeNumber)
      ->type_name("N");
}

void AddJobs(CLI::App& sub, Options& options) {
  sub.add_option("--jobs", options.jobs,
                 "Analyse N pages at once, with the same output as one (default: one per core)")
      ->check(CLI::Range(1u, 1024u))
      ->type_name("N");
}

void AddCheck(CLI::App& app, Options& options) {
  CLI::App* sub = AddCommand(app, options, Command::Check, "check",
                             "Report what would break the pages on the server, rule by rule");
  AddCheckOutputs(*sub, options);
  AddJobs(*sub, options);
  AddExcludes(*sub, options);
  AddPages(*sub, options, "Pages to check (default: every .asp page below the root)");
}

void AddIncluders(CLI::App& app, Options& options) {
  CLI::App* sub = AddCommand(app, options, Command::Includers, "includers",
                             "List the directives that include a file and the pages that reach it");
  sub->add_option("FILE", options.file, "The included file, relative to the root")->required();
  AddExcludes(*sub, options);
  AddPages(*sub, options, "Pages to consider (default: every .asp page below the root)");
}

void AddSiteViews(CLI::App& app, Options& options) {
  CLI::App* report =
      AddCommand(app, options, Command::Report, "report",
                 "Write one HTML page on the pages, include trees, files and findings");
  report
      ->add_option("--output", options.output, "Write the page to FILE (default: standard output)")
      ->type_name("FILE.html");
  AddJobs(*report, options);
  AddPages(*report, options, "Pages to report on (default: every .asp page below the root)");
  CLI::App* graph = AddCommand(app, options, Command::Graph, "graph",
                               "Print the include graph of pages as DOT or Mermaid");
  static const std::map<std::string, GraphFormat> formats = {{"dot", GraphFormat::Dot},
                                                             {"mermaid", GraphFormat::Mermaid}};
  graph
      ->add_option_function<std::string>(
          "--format",
          [&options](const std::string& name) { options.graphFormat = formats.at(name); },
          "Output format: dot (default) or mermaid")
      ->check(CLI::IsMember({"dot", "mermaid"}))
      ->type_name("FORMAT");
  graph->add_option("--depth", options.depth, "Draw includes down to level N, the pages being 0")
      ->type_name("N");
  AddPages(*graph, options, "Pages to draw (default: every .asp page below the root)");
}

void AddLsp(CLI::App& app, Options& options) {
  app.add_subcommand("lsp", "Serve editors as a language server on standard input and output")
      ->callback([&options] { options.command = Command::Lsp; });
}

// Whether `argument`, the first argument, is an option or names a subcommand of `app`; when it
// does neither, writes a usage error that says so.
bool KnownCommand(CLI::App& app, const char* argument) {
  if (argument[0] == '-') return true;
  std::string names;
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (sub->get_name() == argument) return true;
    names += (names.empty() ? "" : ", ") + sub->get_name();
  }
  WriteError("unknown command " + std::string(argument) + " (the commands are " + names + ")");
  return false;
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, char** argv) {
  Options options;
  CLI::App app("Analyses the server-side includes of classic ASP sites.", "lintra");
  app.require_subcommand(1);
  // A page may start with "/" on Windows too ("/inc/a.asp" is a web path, not an option).
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("lintra ") + LintraVersion());
  AddReportCommands(app, options);
  AddDepends(app, options);
  AddCheck(app, options);
  AddIncluders(app, options);
  AddSiteViews(app, options);
  AddLsp(app, options);
  if (argc > 1 && !KnownCommand(app, argv[1])) return {std::nullopt, ExitCode::Usage};
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return {std::nullopt, status == 0 ? ExitCode::Done : ExitCode::Usage};
  }
  return {options, ExitCode::Done};
}

}  // namespace lintra
