#pragma once

#include <string>
#include <vector>

namespace lintra {

// Makes the standard streams carry bytes as they are, as on Linux: no translation of line
// breaks (the reports write their own, and the language server's frames count bytes), and a
// console that shows the UTF-8 and the colours that lintra writes. Call once, first.
void PrepareStandardStreams();

// The program's arguments, `argv` with `argc` entries, as UTF-8 whatever the system's code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace lintra
