#include "apps/lintra/Output.h"

#include <cstdio>
#include <string>

#include "apps/host/Utf8Escapes.h"

void WriteOut(TextView text) {
  WriteOutBytes(EncodeUtf8Escaped(text));
}

void WriteOutBytes(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteError(std::string_view message) {
  std::string line = "lintra: ";
  line.append(message);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
}
