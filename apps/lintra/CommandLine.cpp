#include "apps/lintra/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string>

#include "apps/host/CodePage.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Nearest.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/PathLists.h"
#include "apps/version/Version.h"

namespace lintra {

namespace {

// Accepts the names of code pages that the C library can decode.
std::string KnownEncoding(const std::string& name) {
  return CodePage::Known(name) ? "" : "unknown encoding " + name + " (see iconv --list)";
}

// A check of a whole number of `what` from `least` up to the largest that a count holds.
CLI::Validator Count(const std::string& what, uint64_t least) {
  auto check = [what, least](const std::string& value) -> std::string {
    const bool digits =
        !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
    try {
      if (digits && std::stoull(value) >= least) return "";
    } catch (const std::out_of_range&) {
    }
    return "takes a whole number of " + what + " from " + std::to_string(least) + " up, not " +
           value;
  };
  return CLI::Validator(check, "N", what + " count");
}

// A check that a value is one of `names`, which suggests the nearest when it is not.
CLI::Validator OneOf(std::vector<std::string> names) {
  auto check = [names](const std::string& value) -> std::string {
    if (std::find(names.begin(), names.end(), value) != names.end()) return "";
    std::string message = value + " is not one of ";
    for (const std::string& name : names) message += name + (name == names.back() ? "" : ", ");
    const std::string nearest = Nearest(value, names);
    return nearest.empty() ? message : message + " (did you mean " + nearest + "?)";
  };
  return CLI::Validator(check, "", "one of");
}

CLI::App* AddCommand(CLI::App& app, Options& options, Command command, const std::string& name,
                     const std::string& description) {
  CLI::App* sub = app.add_subcommand(name, description);
  sub->add_option("--root", options.root,
                  "Root folder of the web project (default: the root that lintra.toml names, else "
                  "the folder of lintra.toml, else .)")
      ->check(CLI::ExistingDirectory);
  sub->add_flag("--no-config", options.noConfig,
                "Ignore lintra.toml; without it, the one in the root or the nearest folder above "
                "(above the working folder without --root) is read");
  sub->add_option("--max-files", options.maxFiles,
                  "Stop when one page requests more than N files (default: 100000)")
      ->check(Count("files", 1))
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
                 "Leave out pages whose web path, or a folder of it, matches GLOB (repeatable; "
                 "replaces the exclude setting of lintra.toml)")
      ->allow_extra_args(false)
      ->type_name("GLOB");
  sub.add_option("--extend-exclude", options.extendExcludes,
                 "Leave out pages as --exclude does, besides those that lintra.toml leaves out "
                 "(repeatable)")
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
  sub->add_option("--changed", options.changed,
                  "Changed files, relative to the root; a file that no longer exists is a "
                  "deleted file (repeatable)")
      ->type_name("PATH")
      ->required();
  CLI::Option* tree =
      sub->add_flag("--tree", options.tree, "Print the include trees of those pages instead");
  sub->add_flag("--why", options.why,
                "Print for each page the chain of directives that leads to a changed file")
      ->excludes(tree);
  AddExcludes(*sub, options);
  AddPages(*sub, options,
           "Pages to consider, before --changed or after -- (default: every .asp page below "
           "the root)");
  sub->parse_complete_callback([sub] {
    RefusePagesAfter(*sub, "--changed", "lintra depends --changed PATH... -- PAGE...");
  });
}

void AddCheckOutputs(CLI::App& sub, Options& options) {
  static const std::map<std::string, ReportFormat> formats = {{"text", ReportFormat::PlainText},
                                                              {"json", ReportFormat::Json},
                                                              {"sarif", ReportFormat::Sarif},
                                                              {"github", ReportFormat::Github}};
  sub.add_option_function<std::string>(
         "--format", [&options](const std::string& name) { options.format = formats.at(name); },
         "Output format: text (default), json, sarif or github (workflow annotations)")
      ->check(OneOf({"text", "json", "sarif", "github"}))
      ->type_name("FORMAT");
  sub.add_flag("--all-places", options.allPlaces,
               "In the text output, list every place of every finding, one line each, instead "
               "of one line per cause");
  static const std::map<std::string, ColorChoice> colors = {
      {"auto", ColorChoice::Auto}, {"always", ColorChoice::Always}, {"never", ColorChoice::Never}};
  sub.add_option_function<std::string>(
         "--color", [&options](const std::string& name) { options.color = colors.at(name); },
         "Colour the text output: auto (on a terminal, unless NO_COLOR is set), always or never")
      ->check(OneOf({"auto", "always", "never"}))
      ->type_name("WHEN");
  static const std::map<std::string, Severity> severities = {
      {"error", Severity::Error}, {"warning", Severity::Warning}, {"note", Severity::Note}};
  sub.add_option_function<std::string>(
         "--severity",
         [&options](const std::string& name) { options.leastSeverity = severities.at(name); },
         "Report only findings of LEVEL or worse: error, warning or note (default: note)")
      ->check(OneOf({"error", "warning", "note"}))
      ->type_name("LEVEL");
  sub.add_option("--baseline", options.baseline,
                 "Leave out the findings that the baseline FILE records")
      ->type_name("FILE");
  sub.add_option("--write-baseline", options.writeBaseline,
                 "Record today's findings in FILE, for --baseline in later runs")
      ->type_name("FILE");
  sub.add_option_function<uint64_t>(
         "--max-warnings", [&options](uint64_t most) { options.maxWarnings = most; },
         "Fail (exit 1) when more than N warnings are reported")
      ->check(Count("warnings", 0))
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
  sub->add_option("FILE", options.files, "The included files, relative to the root")->required();
  AddExcludes(*sub, options);
  AddPages(*sub, options, "Pages to consider, after -- (default: every .asp page below the root)");
}

void AddSiteViews(CLI::App& app, Options& options) {
  CLI::App* report =
      AddCommand(app, options, Command::Report, "report",
                 "Write one HTML page on the pages, include trees, files and findings");
  report
      ->add_option(
          "-o,--output", options.output,
          "Write the page to FILE, or to standard output for - (default: lintra-report.html)")
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
      ->check(OneOf({"dot", "mermaid"}))
      ->type_name("FORMAT");
  graph->add_option("--depth", options.depth, "Draw includes down to level N, the pages being 0")
      ->type_name("N");
  AddPages(*graph, options, "Pages to draw (default: every .asp page below the root)");
}

void AddLsp(CLI::App& app, Options& options) {
  app.add_subcommand("lsp", "Serve editors as a language server on standard input and output")
      ->callback([&options] { options.command = Command::Lsp; });
}

// The names of the subcommands of `app`.
std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* sub : app.get_subcommands({})) names.push_back(sub->get_name());
  return names;
}

// " (did you mean NAME?)" for the nearest of `known` to `word`, or nothing.
std::string Suggestion(std::string_view word, const std::vector<std::string>& known) {
  const std::string nearest = Nearest(word, known);
  return nearest.empty() ? "" : " (did you mean " + nearest + "?)";
}

// Whether `argument`, the first argument, is an option or names a subcommand of `app`; when it
// does neither, writes a usage error that says so.
bool KnownCommand(const CLI::App& app, const char* argument) {
  if (argument[0] == '-') return true;
  const std::vector<std::string> names = CommandNames(app);
  if (std::find(names.begin(), names.end(), argument) != names.end()) return true;
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  WriteError("unknown command " + std::string(argument) + Suggestion(argument, names) +
             "; the commands are " + list);
  return false;
}

// The long and short option names of `command`, dashes included.
std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

// The one line that says why `error` stopped the parse of `app`'s arguments, with the nearest
// option to an unknown one and where to read more.
std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error) {
  const std::vector<CLI::App*> parsed = app.get_subcommands();
  const CLI::App& command = parsed.empty() ? app : *parsed.back();
  std::string message = error.what();
  // CLI11 starts its sentences with a capital: "The following argument was not expected".
  if (message.size() > 1 && std::islower(static_cast<unsigned char>(message[1]))) {
    message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
  }
  for (const std::string& extra : command.remaining()) {
    if (extra.starts_with('-')) message += Suggestion(extra, OptionNames(command));
  }
  const std::string name = parsed.empty() ? "lintra" : "lintra " + command.get_name();
  return message + "; see " + name + " --help";
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
  const PathLists split = SplitPathLists(argc, argv);
  try {
    app.parse(split.optionCount, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return {std::nullopt, app.exit(error)};
    WriteError(UsageMessage(app, error));
    return {std::nullopt, ExitCode::Usage};
  }
  options.pages.insert(options.pages.end(), split.pages.begin(), split.pages.end());
  return {options, ExitCode::Done};
}

}  // namespace lintra
