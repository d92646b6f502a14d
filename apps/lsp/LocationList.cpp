#include "apps/lsp/LocationList.h"

#include <charconv>

namespace lintra::lsp {

namespace {

// About how long one location is, with a URI of some 60 bytes.
constexpr size_t LocationBytes = 160;

}  // namespace

LocationList::LocationList(size_t expected) {
  text_.reserve(expected * LocationBytes + 2);
  text_ += '[';
}

void LocationList::Add(std::string_view uri, const ProtocolRange& range) {
  if (!empty_) text_ += ',';
  empty_ = false;
  // The keys in the order nlohmann::json writes them, which sorts them.
  text_ += R"({"range":{"end":{"character":)";
  AddNumber(range.endCharacter);
  text_ += R"(,"line":)";
  AddNumber(range.endLine);
  text_ += R"(},"start":{"character":)";
  AddNumber(range.character);
  text_ += R"(,"line":)";
  AddNumber(range.line);
  text_ += R"(}},"uri":)";
  AppendJsonString(text_, uri);
  text_ += '}';
}

JsonText LocationList::Take() && {
  text_ += ']';
  return JsonText::Written(std::move(text_));
}

void LocationList::AddNumber(int32_t number) {
  char digits[16];
  text_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

}  // namespace lintra::lsp
