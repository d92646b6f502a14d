#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace lintra {

// A legacy code page (Windows-1252, GBK, CP949, ...) known to the system (the C library's iconv,
// or Windows' own code pages), for reading files that are not UTF-8 as readable text in that code
// page.
class CodePage {
 public:
  // The code page the system knows by `name`; throws std::invalid_argument when it knows none.
  explicit CodePage(const std::string& name);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // Whether the system knows a code page by `name`.
  static bool Known(const std::string& name) {
    try {
      CodePage{name};
      return true;
    } catch (const std::invalid_argument&) {
      return false;
    }
  }

  const std::string& Name() const { return name_; }

  // `bytes` decoded from this code page. A byte that it cannot decode where it stands is kept as
  // its escape (see platform/Utf8.h), so that nothing is lost.
  Text Decode(std::string_view bytes) const;

 private:
  // The system's converter from this code page.
  struct Converter;

  std::string name_;
  std::unique_ptr<Converter> converter_;
};

}  // namespace lintra
