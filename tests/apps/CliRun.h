#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/TempFolder.h"

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

// Runs the built lintra with `arguments`, standard input empty, and collects what it printed.
inline Outcome Lintra(const std::vector<std::string>& arguments) {
  TempFolder capture;
  std::string command = ShellQuoted(LINTRA_BINARY);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " </dev/null >" + ShellQuoted((capture.Path() / "out").string()) + " 2>" +
             ShellQuoted((capture.Path() / "err").string());
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(capture.Path() / "out"),
          Slurp(capture.Path() / "err")};
}

// The bundled sample site.
inline const std::string Site = LINTRA_EXAMPLE_SITE;
