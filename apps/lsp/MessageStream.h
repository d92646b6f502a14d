#pragma once

#include <initializer_list>
#include <istream>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace lintra::lsp {

// One framed message read from the client: its body, or why no body could be taken from it.
struct Frame {
  std::string body;
  // Empty when the frame was read whole; otherwise what was wrong with its header.
  std::string error;
};

// Reads messages framed by a "Content-Length" header, as language clients send them. A header
// block without a usable length is reported as an error frame and skipped, so that one broken
// message never ends the stream.
class MessageReader {
 public:
  // Bodies longer than this are refused and skipped.
  static constexpr size_t MaxBodyBytes = size_t{64} << 20;

  explicit MessageReader(std::istream& in) : in_(in) {}

  // The next frame; nothing at the end of the input (a truncated body ends it too).
  std::optional<Frame> Next();

 private:
  // Skips `length` bytes of a body that is refused; false at the end of the input.
  bool Skip(size_t length);

  std::istream& in_;
};

// Writes framed messages, whole and one at a time, from any thread.
class MessageWriter {
 public:
  explicit MessageWriter(std::ostream& out) : out_(out) {}

  // Writes one message whose body is `parts` one after the other, straight from them: a large
  // answer is not copied into a body of its own first.
  void Write(std::initializer_list<std::string_view> parts);

 private:
  std::ostream& out_;
  std::mutex mutex_;
};

}  // namespace lintra::lsp
