#pragma once

#include <poll.h>
#include <unistd.h>
#include <ext/stdio_filebuf.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "apps/lsp/LanguageServer.h"
#include "apps/lsp/MessageStream.h"
#include "apps/lsp/Uri.h"

namespace lintra {

using Json = nlohmann::json;

// A language client for tests: runs the server in this process on two pipes, sends it framed
// messages and reads what it writes back, keeping the notifications it passes over.
class LspClient {
 public:
  // A client of a server that reads each project's configuration with `loadProject` and links
  // diagnostics to the rules' help below `ruleHelpBase`.
  explicit LspClient(lsp::ProjectLoader loadProject = {}, std::string ruleHelpBase = "help/") {
    int toServer[2];
    int fromServer[2];
    if (pipe(toServer) != 0 || pipe(fromServer) != 0) throw std::runtime_error("no pipe");
    input_ = toServer[1];
    server_ = std::thread([this, in = toServer[0], out = fromServer[1], loadProject, ruleHelpBase] {
      __gnu_cxx::stdio_filebuf<char> inBuffer(in, std::ios::in);
      __gnu_cxx::stdio_filebuf<char> outBuffer(out, std::ios::out);
      std::istream serverIn(&inBuffer);
      std::ostream serverOut(&outBuffer);
      serverIn.tie(&serverOut);  // as standard input is tied to standard output
      status_ = lsp::RunLanguageServer(serverIn, serverOut, "test", ruleHelpBase, loadProject);
    });
    outputFd_ = fromServer[0];
    outputBuffer_ = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fromServer[0], std::ios::in);
    output_ = std::make_unique<std::istream>(outputBuffer_.get());
    reader_ = std::make_unique<lsp::MessageReader>(*output_);
  }

  ~LspClient() { Finish(); }

  // Closes the server's input and waits for it to end; its exit status.
  int Finish() {
    if (input_ >= 0) close(input_);
    input_ = -1;
    if (server_.joinable()) server_.join();
    return status_;
  }

  void SendRaw(const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = write(input_, bytes.data() + written, bytes.size() - written);
      if (n <= 0) throw std::runtime_error("the server's input is closed");
      written += static_cast<size_t>(n);
    }
  }

  void Send(const Json& message) {
    const std::string body = message.dump();
    SendRaw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }

  void Notify(const std::string& method, const Json& params) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }

  // Sends a request and returns the whole response to it.
  Json Call(const std::string& method, const Json& params) {
    const int id = nextId_++;
    Post(id, method, params);
    return ResponseTo(id);
  }

  // The result of a request, failing the test when it was an error.
  Json Result(const std::string& method, const Json& params) {
    const Json response = Call(method, params);
    EXPECT_FALSE(response.contains("error")) << response.dump();
    return response.value("result", Json());
  }

  // Sends a request without waiting for its answer.
  void Post(int id, const std::string& method, const Json& params) {
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
  }

  // Reads until the response with `id` comes; throws when it does not come in time.
  Json ResponseTo(const Json& id) {
    const Clock::time_point deadline = Clock::now() + kPatience;
    for (;;) {
      Json message = Read(deadline, "the response to request " + id.dump());
      if (message.contains("id") && message["id"] == id && !message.contains("method")) {
        return message;
      }
      if (message.contains("method")) {
        notifications_.push_back(std::move(message));
      } else {
        ++responsesSkipped_;
      }
    }
  }

  // How many notifications of `method` were passed over and are still to be taken.
  size_t Waiting(const std::string& method) const {
    return static_cast<size_t>(std::count_if(notifications_.begin(), notifications_.end(),
                                             [&](const Json& m) { return m["method"] == method; }));
  }

  // How many responses to other requests `ResponseTo` has passed over.
  int ResponsesSkipped() const { return responsesSkipped_; }

  // The params of the first notification of `method` that `accept` takes, read until it comes;
  // earlier ones of that method are dropped. Throws when none comes in time.
  template <class Accept>
  Json WaitFor(const std::string& method, Accept accept) {
    const Clock::time_point deadline = Clock::now() + kPatience;
    for (;;) {
      while (!notifications_.empty()) {
        Json message = std::move(notifications_.front());
        notifications_.pop_front();
        if (message["method"] == method && accept(message["params"])) return message["params"];
      }
      notifications_.push_back(Read(deadline, "a " + method + " that the test accepts"));
    }
  }

  // The diagnostics published for `uri` once `accept` takes them.
  template <class Accept>
  Json DiagnosticsOf(const std::string& uri, Accept accept) {
    return WaitFor("textDocument/publishDiagnostics", [&](const Json& params) {
      return params["uri"] == uri && accept(params["diagnostics"]);
    })["diagnostics"];
  }

  // Initializes the server on `root`, calls `whileIndexing` and waits until it has indexed the
  // site.
  void Start(const std::filesystem::path& root, const std::function<void()>& whileIndexing = {}) {
    root_ = root;
    Result("initialize", {{"rootUri", lsp::UriOfPath(root)},
                          {"capabilities", {{"window", {{"workDoneProgress", true}}}}}});
    Notify("initialized", Json::object());
    if (whileIndexing) whileIndexing();
    WaitFor("$/progress", [](const Json& params) { return params["value"]["kind"] == "end"; });
  }

  std::string Uri(const std::string& relative) const { return lsp::UriOfPath(root_ / relative); }

  void Open(const std::string& relative, const std::string& text) {
    Notify("textDocument/didOpen",
           {{"textDocument",
             {{"uri", Uri(relative)}, {"languageId", "asp"}, {"version", 1}, {"text", text}}}});
  }

  Json Document(const std::string& relative) const { return {{"uri", Uri(relative)}}; }

  // Changes the open document at `relative` to `version` by `change`: a range and its new text,
  // or the whole new text.
  void Change(const std::string& relative, int version, const Json& change) {
    Notify("textDocument/didChange",
           {{"textDocument", {{"uri", Uri(relative)}, {"version", version}}},
            {"contentChanges", Json::array({change})}});
  }

 private:
  using Clock = std::chrono::steady_clock;
  // How long a test waits for a message before it fails.
  static constexpr std::chrono::seconds kPatience{5};

  // The next message from the server; throws, naming `awaited`, when none comes by `deadline`.
  Json Read(Clock::time_point deadline, const std::string& awaited) {
    if (outputBuffer_->in_avail() <= 0) AwaitOutput(deadline, awaited);
    const std::optional<lsp::Frame> frame = reader_->Next();
    if (!frame) throw std::runtime_error("the server ended its output");
    return Json::parse(frame->body);
  }

  void AwaitOutput(Clock::time_point deadline, const std::string& awaited) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd output = {outputFd_, POLLIN, 0};
    if (poll(&output, 1, static_cast<int>(std::max<int64_t>(left.count(), 0))) <= 0) {
      throw std::runtime_error("gave up waiting for " + awaited + " after " +
                               std::to_string(kPatience.count()) + " s");
    }
  }

  int input_ = -1;
  int outputFd_ = -1;
  int status_ = -1;
  int nextId_ = 1;
  int responsesSkipped_ = 0;
  std::thread server_;
  std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> outputBuffer_;
  std::unique_ptr<std::istream> output_;
  std::unique_ptr<lsp::MessageReader> reader_;
  std::deque<Json> notifications_;
  std::filesystem::path root_;
};

}  // namespace lintra
