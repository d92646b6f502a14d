# Writes OUTPUT, a C++ source that defines lintra::ReportAsset(name) over the files in FILES (a
# list separated by "|"), each known by its file name, and the SHA-256 of each in hex under its
# name followed by ".sha256", so that the command line carries them without reading anything at
# run time.
string(REPLACE "|" ";" files "${FILES}")
set(table "")
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  file(READ "${file}" bytes HEX)
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${bytes}")
  string(LENGTH "${bytes}" hexLength)
  math(EXPR length "${hexLength} / 2")
  file(SHA256 "${file}" digest)
  string(APPEND table "    {\"${name}\", std::string_view(\"${escaped}\", ${length})},\n")
  string(APPEND table "    {\"${name}.sha256\", \"${digest}\"},\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from the files of the HTML report; do not edit.
#include \"apps/lintra/ReportAssets.h\"

#include <utility>

namespace lintra {

std::string_view ReportAsset(std::string_view name) {
  static const std::pair<std::string_view, std::string_view> assets[] = {
${table}  };
  for (const auto& [assetName, bytes] : assets) {
    if (assetName == name) return bytes;
  }
  return {};
}

}  // namespace lintra
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
