#include "sitegen/Filler.h"

namespace lintra {

namespace {

const char* const kWords[] = {"order",   "customer", "basket", "price",  "stock",  "session",
                              "report",  "invoice",  "region", "total",  "amount", "status",
                              "account", "article",  "search", "result", "mail",   "address",
                              "city",    "user",     "group",  "record", "page",   "item"};

std::string Word(Random& random) {
  return kWords[random.Between(0, sizeof kWords / sizeof kWords[0] - 1)];
}

std::string Words(Random& random, int count) {
  std::string words = Word(random);
  for (int i = 1; i < count; ++i) words += ' ' + Word(random);
  return words;
}

std::string OneLine(Random& random) {
  switch (random.Between(0, 9)) {
    case 0:
      return "<% Response.Write \"" + Words(random, 3) + "\" & " + Word(random) + "Name %>";
    case 1:
      return "<% If " + Word(random) + "Count > " + std::to_string(random.Between(0, 99)) +
             " Then %><b>" + Words(random, 2) + "</b><% End If %>";
    case 2:
      return "<!-- " + Words(random, 4) + " -->";
    case 3:
      return "<% Response.Write \"<!-- " + Word(random) + " -->\" %>";
    case 4:
      return "<td align=\"left\" class=\"" + Word(random) + "\">" + Words(random, 3) + "</td>";
    case 5:
      return "<a href=\"/" + Word(random) + "/" + Word(random) +
             ".asp?id=" + std::to_string(random.Between(1, 9999)) + "\">" + Words(random, 2) +
             "</a>";
    default:
      return "<p class=\"" + Word(random) + "\">" +
             Words(random, static_cast<int>(random.Between(3, 14))) + "</p>";
  }
}

std::string ScriptBlock(Random& random) {
  const std::string name = Word(random);
  std::string block = "<%\r\nFunction Get" + name + "(" + Word(random) + "Id)\r\n";
  const int statements = static_cast<int>(random.Between(2, 8));
  for (int i = 0; i < statements; ++i) {
    block += "  Dim " + Word(random) + std::to_string(i) + " : " + Word(random) +
             std::to_string(i) + " = Request.Form(\"" + Word(random) + "\")\r\n";
  }
  block += "  Get" + name + " = " + Word(random) + "0\r\nEnd Function\r\n%>";
  return block;
}

}  // namespace

Filler::Filler(Random random) {
  for (int i = 0; i < 2048; ++i) lines_.push_back(OneLine(random));
  for (int i = 0; i < 256; ++i) blocks_.push_back(ScriptBlock(random));
}

std::string Filler::Lines(Random& random, size_t bytes) const {
  std::string text;
  text.reserve(bytes + 512);
  while (text.size() < bytes) {
    const bool block = random.Chance(8);
    const auto& pool = block ? blocks_ : lines_;
    text += pool[static_cast<size_t>(random.Between(0, static_cast<int64_t>(pool.size()) - 1))];
    text += "\r\n";
  }
  return text;
}

std::string Filler::LongLine(Random& random, size_t bytes) const {
  std::string text;
  text.reserve(bytes + 256);
  while (text.size() < bytes) {
    text += lines_[static_cast<size_t>(random.Between(0, static_cast<int64_t>(lines_.size()) - 1))];
    text += ' ';
  }
  return text;
}

}  // namespace lintra
