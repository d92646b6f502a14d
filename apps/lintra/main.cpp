// lintra: the command-line host of the include-tree library. It serves the analysis the files of
// a project folder on disk and prints its reports, one subcommand per task.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/lintra/CommandLine.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/Console.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/LargeStack.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/ProjectConfig.h"
#include "apps/lintra/Session.h"
#include "platform/MessageBox.h"

namespace lintra {

namespace {

// Writes a message box to standard error and presses Abort, or OK where that is the only button:
// the reports of the include-tree library show their unexpected errors this way on the command
// line. Installed once, on the main thread, before any page is analysed.
int32_t AnswerOnStandardError(const Text& prompt, int32_t style, const Text& title) {
  std::string message = text::ToReadable(title) + ": " + text::ToReadable(prompt);
  std::erase(message, '\r');
  WriteError(message);
  return (style & 0x0F) == MessageBox::AbortRetryIgnore ? MessageBox::Abort : MessageBox::OK;
}

int Dispatch(Session& session, const Options& options) {
  switch (options.command) {
    case Command::Tree:
      return RunTree(session);
    case Command::Complete:
      return RunComplete(session);
    case Command::Warnings:
      return RunWarnings(session);
    case Command::Depends:
      return RunDepends(session, options);
    case Command::Check:
      return RunCheck(session, options);
    case Command::Includers:
      return RunIncluders(session, options);
    case Command::Report:
      return RunReport(session, options);
    case Command::Graph:
      return RunGraph(session, options);
    case Command::Lsp:
      break;
  }
  return ExitCode::Usage;
}

// Names each page whose analysis failed and each file that could not be read, one a line; true
// when there was one, as the run's result is then incomplete.
bool ReportIncomplete(const Session& session) {
  for (const PageFailure& failure : session.Failures()) WriteError(failure.message);
  const std::map<Text, std::string> unreadable = session.UnreadableFiles();
  for (const auto& [file, reason] : unreadable) {
    WriteError("cannot read " + text::ToReadable(file) + ": " + reason +
               "; the result is incomplete");
  }
  return !session.Failures().empty() || !unreadable.empty();
}

// Ends the process with `status` once its output is out. The memory of the run (the site's
// texts, the session and what it keeps) goes back to the system with the process at once; taking
// it apart piece by piece first would only delay the end of a large check.
[[noreturn]] void EndProcess(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

// Runs the command with the session open. Arguments that cannot be run end it with Usage; pages
// whose analysis failed or files that could not be read, once the rest is reported, and output
// errors with AnalysisFailed.
int RunInSession(Session& session, const Options& options) {
  try {
    const int status = Dispatch(session, options);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      WriteError("could not write the output");
      return ExitCode::AnalysisFailed;
    }
    return ReportIncomplete(session) ? ExitCode::AnalysisFailed : status;
  } catch (const UsageError& error) {
    WriteError(error.what());
    return ExitCode::Usage;
  } catch (const std::exception& error) {
    WriteError(std::string("analysis failed: ") + error.what());
  }
  return ExitCode::AnalysisFailed;
}

// Reads the project's configuration, opens the project and runs the command on it; the
// language server finds its project when the editor names it.
int Run(Options options) {
  if (options.command == Command::Lsp) return RunLsp();
  try {
    LocateProject(options);
  } catch (const ConfigError& error) {
    WriteError(error.what());
    return ExitCode::Usage;
  }
  std::unique_ptr<Session> session;
  try {
    session = std::make_unique<Session>(options);
  } catch (const std::exception& error) {
    WriteError("cannot open the project root " + options.root + ": " + error.what());
    return ExitCode::Usage;
  }
  EndProcess(RunInSession(*session, options));
}

}  // namespace

}  // namespace lintra

using namespace lintra;

int main(int argc, char** argv) {
  PrepareStandardStreams();
  std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  const ParsedCommandLine parsed = ParseCommandLine(argc, pointers.data());
  if (!parsed.options) return parsed.exitCode;
  MessageBox::SetHandler(AnswerOnStandardError);
  return RunWithLargeStack([&] { return Run(*parsed.options); });
}
