#include "apps/lsp/MessageStream.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace lintra::lsp {

namespace {

// `line` without its trailing CR.
std::string Trimmed(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// The length a "Content-Length: N" header gives, or nothing when it gives none.
std::optional<size_t> ContentLength(const std::string& header) {
  static const std::string name = "content-length:";
  if (!StartsWithIgnoringCase(header, name)) return std::nullopt;
  size_t at = name.size();
  while (at < header.size() && header[at] == ' ') ++at;
  size_t length = 0;
  const char* end = header.data() + header.size();
  const auto [stop, error] = std::from_chars(header.data() + at, end, length);
  if (error != std::errc() || stop == header.data() + at) return std::nullopt;
  for (const char* rest = stop; rest < end; ++rest) {
    if (*rest != ' ') return std::nullopt;
  }
  return length;
}

}  // namespace

std::optional<Frame> MessageReader::Next() {
  std::optional<size_t> length;
  bool bad = false;
  std::string line;
  bool any = false;
  while (std::getline(in_, line)) {
    line = Trimmed(std::move(line));
    if (line.empty()) {
      if (!any) continue;
      break;
    }
    any = true;
    if (StartsWithIgnoringCase(line, "content-length:")) {
      length = ContentLength(line);
      bad = bad || !length;
    }
  }
  if (!in_) return std::nullopt;
  if (bad || !length) return Frame{"", "the message has no valid Content-Length header"};
  if (*length > MaxBodyBytes) {
    if (!Skip(*length)) return std::nullopt;
    return Frame{"", "the message is longer than " + std::to_string(MaxBodyBytes) + " bytes"};
  }
  Frame frame;
  frame.body.resize(*length);
  in_.read(frame.body.data(), static_cast<std::streamsize>(*length));
  if (static_cast<size_t>(in_.gcount()) != *length) return std::nullopt;
  return frame;
}

bool MessageReader::Skip(size_t length) {
  std::vector<char> buffer(size_t{1} << 16);
  while (length > 0) {
    const size_t chunk = std::min(length, buffer.size());
    in_.read(buffer.data(), static_cast<std::streamsize>(chunk));
    if (static_cast<size_t>(in_.gcount()) != chunk) return false;
    length -= chunk;
  }
  return true;
}

void MessageWriter::Write(std::initializer_list<std::string_view> parts) {
  size_t length = 0;
  for (const std::string_view part : parts) length += part.size();
  const std::lock_guard lock(mutex_);
  out_ << "Content-Length: " << length << "\r\n\r\n";
  for (const std::string_view part : parts) {
    out_.write(part.data(), static_cast<std::streamsize>(part.size()));
  }
  out_.flush();
}

}  // namespace lintra::lsp
