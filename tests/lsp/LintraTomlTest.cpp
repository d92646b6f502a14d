#include <gtest/gtest.h>

#include <string>

#include "tests/apps/CliRun.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

std::string Framed(const Json& message) {
  const std::string body = message.dump();
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The bodies of the messages framed in `output`.
std::vector<Json> Messages(const std::string& output) {
  std::istringstream in(output);
  lsp::MessageReader reader(in);
  std::vector<Json> messages;
  while (const std::optional<lsp::Frame> frame = reader.Next()) {
    messages.push_back(Json::parse(frame->body));
  }
  return messages;
}

TEST(LintraToml, AMistakeInTheFileAboveTheWorkspaceIsShownAtTheLineAndColumnCheckReports) {
  TempFolder repository;
  repository.Write("lintra.toml", "root = \"core\"\ncolour = 1\n");
  repository.Write("core/default.asp", "<p>home</p>\r\n");
  const std::filesystem::path input = repository.Write(
      "messages", Framed({{"jsonrpc", "2.0"},
                          {"id", 1},
                          {"method", "initialize"},
                          {"params", {{"rootUri", lsp::UriOfPath(repository.Path() / "core")}}}}) +
                      Framed({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}}) +
                      Framed({{"jsonrpc", "2.0"}, {"method", "exit"}}));
  const Outcome check = LintraIn(repository.Path() / "core", {"check"});
  EXPECT_EQ(check.err.substr(check.err.find("lintra.toml:")),
            "lintra.toml:2:10: unknown setting colour (the settings are root, pages, exclude, "
            "encoding, parent-paths, include-extensions, non-script-extensions, served-extensions, "
            "serve-any-extension, "
            "virtual-directories, rules)\n");

  const Outcome served =
      Collected(ShellQuoted(LINTRA_BINARY) + " lsp <" + ShellQuoted(input.string()));
  EXPECT_EQ(served.status, 0) << served.err;
  Json published;
  for (const Json& message : Messages(served.out)) {
    if (message.value("method", "") == "textDocument/publishDiagnostics") published = message;
  }
  EXPECT_EQ(published["params"]["uri"],
            lsp::UriOfPath(std::filesystem::canonical(repository.Path()) / "lintra.toml"));
  EXPECT_EQ(published["params"]["diagnostics"][0]["range"]["start"],
            Json::parse(R"({"line": 1, "character": 9})"));
  EXPECT_EQ(published["params"]["diagnostics"][0]["message"],
            "unknown setting colour (the settings are root, pages, exclude, encoding, "
            "parent-paths, include-extensions, non-script-extensions, served-extensions, "
            "serve-any-extension, virtual-directories, "
            "rules)");
}

}  // namespace
}  // namespace lintra
