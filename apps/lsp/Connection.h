#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "apps/lsp/JsonText.h"
#include "apps/lsp/MessageStream.h"

namespace lintra::lsp {

// One message from the client: the parsed JSON, or why it could not be parsed.
struct Incoming {
  Json message;
  // Empty when `message` holds the message.
  std::string error;
};

// The JSON-RPC side of a language server's streams: messages read on a thread of their own and
// queued, so that the server takes them when it is ready, and messages written whole. Nothing
// but framed messages is ever written to the output.
class Connection {
 public:
  // `in` must outlive the reading thread, which ends at the end of the input; `out` must outlive
  // this. Unties `in` from any output stream: reading must never flush `out` from the reading
  // thread while a message is being written to it.
  Connection(std::istream& in, std::ostream& out)
      : state_(std::make_shared<State>(in)), writer_(out) {
    in.tie(nullptr);
  }
  // Waits a moment for the reading thread to end, and otherwise leaves it waiting for input on
  // its own, so that a client that exits without closing the stream never holds the server.
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Starts reading.
  void Start();

  // The next message; with `wait`, waits for one unless the input has ended. Nothing when none
  // is queued (and, with `wait`, the input has ended).
  std::optional<Incoming> Take(bool wait);
  // The next message, waiting up to `most` for one. Nothing when none came.
  std::optional<Incoming> TakeWithin(std::chrono::milliseconds most);
  // Whether the input has ended and every message read was taken.
  bool Ended();

  // Answers request `id` with `result`, written as it is.
  void Respond(const Json& id, const JsonText& result);
  void RespondError(const Json& id, int code, const std::string& message);
  void Notify(const std::string& method, const Json& params);
  // Sends a request of the server's own; its answer comes back as an incoming message.
  void Request(const std::string& method, const Json& params);

 private:
  // What the reading thread shares, kept alive by it when the connection is gone.
  struct State {
    explicit State(std::istream& in) : reader(in) {}
    MessageReader reader;
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<Incoming> queue;
    bool ended = false;
  };

  static void Read(const std::shared_ptr<State>& state);
  void Send(const Json& message);

  std::shared_ptr<State> state_;
  MessageWriter writer_;
  std::thread thread_;
  int64_t nextRequestId_ = 1;
};

}  // namespace lintra::lsp
