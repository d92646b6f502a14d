#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/apps/TempFolder.h"

namespace lintra {

// What one run of the built lintra printed and how it ended.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The shell command that runs the built lintra with `arguments`, standard input empty.
inline std::string LintraCommand(const std::vector<std::string>& arguments) {
  std::string command = ShellQuoted(LINTRA_BINARY);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  return command + " </dev/null";
}

// Runs the shell command `command` and collects what it printed.
inline Outcome Collected(std::string command) {
  TempFolder capture;
  command += " >" + ShellQuoted((capture.Path() / "out").string()) + " 2>" +
             ShellQuoted((capture.Path() / "err").string());
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(capture.Path() / "out"),
          Slurp(capture.Path() / "err")};
}

// Runs the built lintra with `arguments`, standard input empty, and collects what it printed.
inline Outcome Lintra(const std::vector<std::string>& arguments) {
  return Collected(LintraCommand(arguments));
}

// Runs the built lintra as Lintra does, in the working folder `folder`.
inline Outcome LintraIn(const std::filesystem::path& folder,
                        const std::vector<std::string>& arguments) {
  return Collected("cd " + ShellQuoted(folder.string()) + " && " + LintraCommand(arguments));
}

// What the shell command `command` printed on standard output, and its status as pclose gives it.
inline std::pair<std::string, int> Piped(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char piece[4096];
  for (size_t length; (length = std::fread(piece, 1, sizeof piece, pipe)) > 0;) {
    out.append(piece, length);
  }
  return {out, pclose(pipe)};
}

// Runs the built lintra with `arguments` and both its streams merged into one pipe, as a build
// log takes them, and returns what came through.
inline std::string LintraMerged(const std::vector<std::string>& arguments) {
  return Piped(LintraCommand(arguments) + " 2>&1").first;
}

// The data the report's script draws from, in the report's page `page`.
inline nlohmann::json ReportData(const std::string& page) {
  const std::string open = "<script type=\"application/json\" id=\"report-data\">";
  const size_t start = page.find(open) + open.size();
  return nlohmann::json::parse(page.substr(start, page.find("</script>", start) - start));
}

// The bundled sample site.
inline const std::string Site = LINTRA_EXAMPLE_SITE;

// An include directive naming `path` by its file attribute.
inline std::string Include(const std::string& path) {
  return "<!-- #include file=\"" + path + "\" -->";
}

// A tree line padded, as the tree command pads it, to the column of the folders.
inline std::string Padded(std::string line) {
  if (line.size() < 40) line.resize(40, ' ');
  return line;
}

// What complete prints for an include directive whose file was read.
inline std::string Expanded(const std::string& directive, const std::string& body) {
  return "\r\n<%' === INCLUDE FILE START ( " + directive + " ) === %>\r\n" + body +
         "\r\n<%' === INCLUDE FILE END ( " + directive + " ) === %>\r\n";
}

// What complete prints for an include directive whose file is missing.
inline std::string Failed(const std::string& directive, const std::string& name) {
  return Expanded(directive, "   *** ERROR : Error opening file : " + name + " ***");
}

// The lines of check's text that begin a finding or total it, without the source lines, carets
// and include notes that --all-places adds under each finding.
inline std::string FindingLines(const std::string& text) {
  std::string lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(' ') && !line.ends_with(": note: included from here")) {
      lines += line + '\n';
    }
  }
  return lines;
}

inline size_t Occurrences(const std::string& text, std::string_view piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace lintra
