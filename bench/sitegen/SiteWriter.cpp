#include "sitegen/SiteWriter.h"

#include <fstream>
#include <set>
#include <stdexcept>

namespace lintra {

namespace {

std::string AspDirective(const Site& site, const SiteFile& from, const Piece& piece) {
  const std::string& target = site.Files()[static_cast<size_t>(piece.target)].path;
  switch (piece.kind) {
    case Directive::File:
      return "<!-- #include file=\"" + RelativePath(FolderOf(from.path), target) + "\" -->";
    case Directive::Virtual:
      return "<!--#include virtual=\"/" + target + "\"-->";
    case Directive::BareVirtual:
      return "<!-- #include virtual=\"" + target + "\" -->";
  }
  return {};
}

std::string CDirective(const Site& site, const SiteFile& from, const Piece& piece) {
  const std::string& target = site.Files()[static_cast<size_t>(piece.target)].path;
  const std::string named =
      piece.kind == Directive::File ? RelativePath(FolderOf(from.path), target) : target;
  return "\r\n#include \"" + named + "\"\r\n";
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::string AspText(const Site& site, const SiteFile& file) {
  std::string text;
  for (const Piece& piece : file.pieces) {
    text += piece.target < 0 ? piece.filler : AspDirective(site, file, piece);
  }
  return text;
}

std::string CText(const Site& site, const SiteFile& file) {
  std::string text;
  for (const Piece& piece : file.pieces) {
    text += piece.target < 0 ? "/*" + piece.filler + "*/" : CDirective(site, file, piece);
  }
  return text;
}

void WriteSite(const Site& site, const std::filesystem::path& out) {
  std::set<std::filesystem::path> folders;
  for (const SiteFile& file : site.Files()) {
    for (const char* flavour : {"asp", "c"}) {
      const std::filesystem::path path = out / flavour / file.path;
      if (folders.insert(path.parent_path()).second) {
        std::filesystem::create_directories(path.parent_path());
      }
    }
    WriteFile(out / "asp" / file.path, AspText(site, file));
    WriteFile(out / "c" / file.path, CText(site, file));
  }
}

}  // namespace lintra
