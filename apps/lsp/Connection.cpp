#include "apps/lsp/Connection.h"

#include <chrono>

#include "apps/lsp/MessageJson.h"

namespace lintra::lsp {

Connection::~Connection() {
  if (!thread_.joinable()) return;
  std::unique_lock lock(state_->mutex);
  const bool ended = state_->arrived.wait_for(lock, std::chrono::milliseconds(200),
                                              [this] { return state_->ended; });
  lock.unlock();
  if (ended) {
    thread_.join();
  } else {
    thread_.detach();
  }
}

void Connection::Start() {
  thread_ = std::thread([state = state_] { Read(state); });
}

void Connection::Read(const std::shared_ptr<State>& state) {
  while (const std::optional<Frame> frame = state->reader.Next()) {
    Incoming incoming;
    if (!frame->error.empty()) {
      incoming.error = frame->error;
    } else {
      incoming.message = ParseMessage(frame->body);
      if (incoming.message.is_discarded()) incoming.error = "the message is not valid JSON";
    }
    const std::lock_guard lock(state->mutex);
    state->queue.push_back(std::move(incoming));
    state->arrived.notify_all();
  }
  const std::lock_guard lock(state->mutex);
  state->ended = true;
  state->arrived.notify_all();
}

std::optional<Incoming> Connection::Take(bool wait) {
  std::unique_lock lock(state_->mutex);
  if (wait) {
    state_->arrived.wait(lock, [this] { return !state_->queue.empty() || state_->ended; });
  }
  if (state_->queue.empty()) return std::nullopt;
  Incoming incoming = std::move(state_->queue.front());
  state_->queue.pop_front();
  return incoming;
}

std::optional<Incoming> Connection::TakeWithin(std::chrono::milliseconds most) {
  {
    std::unique_lock lock(state_->mutex);
    state_->arrived.wait_for(lock, most,
                             [this] { return !state_->queue.empty() || state_->ended; });
  }
  return Take(false);
}

bool Connection::Ended() {
  const std::lock_guard lock(state_->mutex);
  return state_->ended && state_->queue.empty();
}

void Connection::Respond(const Json& id, const JsonText& result) {
  // The members in the order nlohmann::json writes those of every other message: sorted.
  writer_.Write(
      {R"({"id":)", JsonText(id).Str(), R"(,"jsonrpc":"2.0","result":)", result.Str(), "}"});
}

void Connection::RespondError(const Json& id, int code, const std::string& message) {
  Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void Connection::Notify(const std::string& method, const Json& params) {
  Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
}

void Connection::Request(const std::string& method, const Json& params) {
  const std::string id = "lintra-" + std::to_string(nextRequestId_++);
  Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
}

void Connection::Send(const Json& message) {
  writer_.Write({JsonText(message).Str()});
}

}  // namespace lintra::lsp
