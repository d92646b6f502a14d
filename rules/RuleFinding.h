#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// How much a finding matters: an error breaks the page on the server, a warning does not.
enum class Severity { Error, Warning, Note };

// "error", "warning" or "note".
const char* SeverityName(Severity severity);

// A stretch of one file as editors show it: lines and columns counted from 1, the end just after
// the last unit. A line of 0 means the file as a whole.
struct Place {
  // The file's path relative to the project, as the include tree names it.
  Text file;
  int32_t line = 0;
  int32_t column = 0;
  int32_t endLine = 0;
  int32_t endColumn = 0;
};

// A Place that views its file's path instead of holding it: what rules look findings up by,
// made into a Place only for a finding not seen before. `fileHash` is the file's
// text::HashIgnoringCase.
struct PlaceView {
  TextView file;
  size_t fileHash = 0;
  int32_t line = 0;
  int32_t column = 0;
  int32_t endLine = 0;
  int32_t endColumn = 0;

  Place ToPlace() const { return {Text(file), line, column, endLine, endColumn}; }
};

// "file:line" of a place, as a message names the directive it speaks of.
Text LineLocation(TextView file, int32_t line);

// What a rule reports at one place, however many pages reach it. A rule words a finding by its
// cause (the directive or declaration behind it and what it does), never by the place it stands
// or the page that reaches it, so that the findings of one cause share rule and message: that is
// how every report groups them.
struct RuleFinding {
  // The rule's id and the error number the server gives ("ASP 0126", "VBScript 800a0411", empty
  // for none) view texts that live as long as the program: those of the rule's RuleInfo, or
  // literals.
  std::string_view ruleId;
  Severity severity = Severity::Error;
  std::string_view code;
  Text message;
  Place place;
  // Other places the message speaks of, such as the first declaration of a redefined name.
  std::vector<Place> related;
  // The first page that reaches the place, and the include directives that lead from it to the
  // file holding the place, outermost first (none when the place is in the page itself). A chain
  // deeper than PageCheck::MaxChainLinks keeps only its outermost and innermost links.
  Text page;
  std::vector<Place> chain;
  // How many pages reach the place.
  int32_t pages = 1;
  // The numbers of the pages that reach the place, as the run numbers them, when any does: the
  // first page's, and those of the others (pages - 1 of them, in no order). A cause counts its
  // pages by them, each once.
  int64_t pageNumber = 0;
  std::vector<int64_t> laterPageNumbers;
};

// Adds the numbers of the pages that reach `other` to the later page numbers of `finding`, a
// finding of the same place that stands for both from now on; page counts are left as they are.
void AddPageNumbers(RuleFinding& finding, const RuleFinding& other);

}  // namespace lintra
