#include "lsp/ServerProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lintra {

ServerProcess::ServerProcess(const std::string& lintra) {
  int toServer[2];
  int fromServer[2];
  if (pipe(toServer) != 0 || pipe(fromServer) != 0) throw std::runtime_error("no pipe");
  pid_ = fork();
  if (pid_ == 0) {
    dup2(toServer[0], 0);
    dup2(fromServer[1], 1);
    close(toServer[1]);
    close(fromServer[0]);
    execl(lintra.c_str(), lintra.c_str(), "lsp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toServer[0]);
  close(fromServer[1]);
  input_ = toServer[1];
  outputBuffer_ = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fromServer[0], std::ios::in);
  output_ = std::make_unique<std::istream>(outputBuffer_.get());
  reader_ = std::make_unique<lsp::MessageReader>(*output_);
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    Finish();
  }
}

void ServerProcess::Send(const std::string& json) {
  const std::string message = "Content-Length: " + std::to_string(json.size()) + "\r\n\r\n" + json;
  size_t written = 0;
  while (written < message.size()) {
    const ssize_t n = write(input_, message.data() + written, message.size() - written);
    if (n <= 0) throw std::runtime_error("the server's input is closed");
    written += static_cast<size_t>(n);
  }
}

std::optional<std::string> ServerProcess::WaitFor(std::initializer_list<std::string> parts) {
  while (std::optional<lsp::Frame> frame = reader_->Next()) {
    bool all = true;
    for (const std::string& part : parts) all = all && frame->body.find(part) != std::string::npos;
    if (all) return std::move(frame->body);
  }
  return std::nullopt;
}

double ServerProcess::CpuSeconds() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string fields;
  std::getline(stat, fields);
  // The fields after the command's name, which ends with the last ")": utime and stime are the
  // 12th and 13th of them.
  std::istringstream rest(fields.substr(fields.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 1; i <= 13 && rest >> field; ++i) {
    if (i >= 12) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ServerProcess::PeakKilobytes() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

int ServerProcess::Finish() {
  if (input_ >= 0) close(input_);
  input_ = -1;
  int status = 0;
  if (pid_ > 0) waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace lintra
