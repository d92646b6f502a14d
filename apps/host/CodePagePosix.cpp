#include "apps/host/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "platform/Utf8.h"

namespace lintra {

namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

// Appends the little-endian UTF-16 units in `bytes` (an even count) to `text`.
void AppendUnits(Text& text, const char* bytes, size_t count) {
  for (size_t i = 0; i + 1 < count; i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
}

}  // namespace

struct CodePage::Converter {
  iconv_t iconv;
};

CodePage::CodePage(const std::string& name)
    : name_(name),
      converter_(std::make_unique<Converter>(Converter{iconv_open("UTF-16LE", name.c_str())})) {
  if (converter_->iconv == NoConverter) throw std::invalid_argument("unknown encoding " + name);
}

CodePage::~CodePage() {
  iconv_close(converter_->iconv);
}

Text CodePage::Decode(std::string_view bytes) const {
  const iconv_t converter = converter_->iconv;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  Text text;
  text.reserve(bytes.size());
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char buffer[16384];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    AppendUnits(text, buffer, static_cast<size_t>(out - buffer));
    if (converted != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // An invalid or cut sequence: keep its first byte and go on after it.
    text.push_back(text::EscapedByte(static_cast<unsigned char>(*in)));
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  char* out = buffer;
  size_t outLeft = sizeof buffer;
  iconv(converter, nullptr, nullptr, &out, &outLeft);
  AppendUnits(text, buffer, static_cast<size_t>(out - buffer));
  return text;
}

}  // namespace lintra
