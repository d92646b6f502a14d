#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintra {

// The one UTF-8 codec of the system, and one that loses no byte. Sites mix UTF-8 files with files
// in legacy code pages, and the web server just copies their bytes; so every byte that is not
// part of valid UTF-8 is kept as one unit of its own, U+DC80 plus the byte's value above 0x80
// (the "surrogate escape"), and written back as that same byte. File texts, file names,
// command-line paths and messages all go through it. Texts are UTF-16 (see platform/Text.h,
// which offers these functions with the rest of its own).

namespace text {

// Whether `bytes` are valid UTF-8 throughout.
bool IsValidUtf8(std::string_view bytes);

// The unit that keeps `byte`, a byte that is not valid UTF-8 where it stands: the escape for
// bytes from 0x80, the character itself below.
char16_t EscapedByte(unsigned char byte);

// Whether `t` holds the escape of a byte that was not valid UTF-8 (a unit from U+DC80 to U+DCFF
// that is not the second half of a surrogate pair).
bool HasEscapedByte(std::u16string_view t);

// `bytes` as text: valid UTF-8 sequences as their characters, every other byte as its escape.
std::u16string FromUtf8(std::string_view bytes);

// What a decoding met beyond ASCII, added up over the pieces of one text.
struct Utf8Seen {
  // Characters from U+0080 decoded from valid sequences.
  size_t wide = 0;
  // Whether any byte was not valid UTF-8 and was kept as its escape.
  bool escaped = false;
};

// Appends `bytes` to `out` as FromUtf8 decodes them, for texts that arrive in pieces. Unless
// `final`, stops before a sequence that the end of `bytes` cuts short, so that the next piece can
// complete it; returns how many bytes it took. Adds what it met to `seen`.
size_t FromUtf8Into(std::string_view bytes, bool final, std::u16string& out, Utf8Seen& seen);

// `t` as UTF-8 with every escaped byte written back as itself, so that the bytes FromUtf8 took
// come back unchanged. Any other lone surrogate becomes U+FFFD.
std::string ToBytes(std::u16string_view t);

// `t` as UTF-8 that is valid throughout, for JSON, messages and displays: escaped bytes and
// every other lone surrogate become U+FFFD.
std::string ToUtf8(std::u16string_view t);
// Appends ToUtf8(t) to `out`.
void AppendUtf8(std::string& out, std::u16string_view t);

// `t` as UTF-8 that is valid throughout, for people to read: the one way every output names a
// file (and writes a message that names one). Each escaped byte becomes "\xNN", two capital hex
// digits, so that names that differ only in such bytes stay apart; any other lone surrogate
// becomes U+FFFD.
std::string ToReadable(std::u16string_view t);
// Appends ToReadable(t) to `out`.
void AppendReadable(std::string& out, std::u16string_view t);

}  // namespace text

}  // namespace lintra
