#pragma once

#include <sys/types.h>
#include <ext/stdio_filebuf.h>

#include <chrono>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "apps/lsp/MessageStream.h"

namespace lintra {

// `lintra lsp` run as a child process on two pipes, as an editor runs it.
class ServerProcess {
 public:
  explicit ServerProcess(const std::string& lintra);
  // Ends the child if it still runs.
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // Sends a message whose body is `json`.
  void Send(const std::string& json);
  // Reads messages until one whose body contains every one of `parts`, and returns that body;
  // nothing at the end of the output.
  std::optional<std::string> WaitFor(std::initializer_list<std::string> parts);
  // The processor time the child has used so far, in seconds.
  double CpuSeconds() const;
  // The child's peak resident memory so far, in kB.
  long PeakKilobytes() const;
  // Closes the child's input and waits for it; its exit status.
  int Finish();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> outputBuffer_;
  std::unique_ptr<std::istream> output_;
  std::unique_ptr<lsp::MessageReader> reader_;
};

// Seconds since `start`.
inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace lintra
