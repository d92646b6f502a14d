// lintra-lspbench: the language server on a site of 8,000 pages whose most shared include is in
// 5,000 of them, beside `lintra check` of the same site. Prints each figure with its target;
// among them, once indexed and the names of its files read, the definition of a function of the
// shared include and its references, a call in each of the 5,000 pages.
//
//   lintra-lspbench LINTRA SITE_FOLDER [RUNS]
//
// The site is written to SITE_FOLDER when that does not exist yet. Each figure is the median of
// RUNS runs (default 5), each with a fresh server.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/lsp/Uri.h"
#include "lsp/ServerProcess.h"
#include "lsp/SharedIncludeSite.h"

using namespace lintra;

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double initialize = 0;
  double openWhileIndexing = 0;
  double indexing = 0;
  double indexingCpu = 0;
  double openIndexed = 0;
  double republish = 0;
  double names = 0;
  double namesCpu = 0;
  double definition = 0;
  double references = 0;
  double peakMegabytes = 0;
};

struct CheckRun {
  double seconds = 0;
  double cpu = 0;
  double peakMegabytes = 0;
};

CheckRun RunCheck(const std::string& lintra, const std::string& site) {
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execl(lintra.c_str(), lintra.c_str(), "check", "--root", site.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return {SecondsSince(start), seconds(usage.ru_utime) + seconds(usage.ru_stime),
          static_cast<double>(usage.ru_maxrss) / 1024};
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string DidOpen(const std::string& uri, const std::string& text) {
  return R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":)" +
         Quoted(uri) + R"(,"languageId":"asp","version":1,"text":)" + Quoted(text) + "}}}";
}

// Waits for the diagnostics of each of `uris`, in any order, holding `part` when it is not empty.
void WaitForDiagnostics(ServerProcess& server, std::vector<std::string> uris,
                        const std::string& part) {
  const std::string method = R"("method":"textDocument/publishDiagnostics")";
  while (!uris.empty()) {
    const std::optional<std::string> body = server.WaitFor({method, part});
    if (!body) throw std::runtime_error("the server ended before publishing " + uris.front());
    std::erase_if(uris, [&](const std::string& uri) {
      return body->find(R"("uri":)" + Quoted(uri)) != std::string::npos;
    });
  }
}

// Sends request `id` of `method` at the opened page's call of Greeting and returns the seconds
// until its answer, which must hold `part`.
double AskAtGreeting(ServerProcess& server, const std::string& pageUri, int id,
                     const std::string& method, const std::string& part) {
  const std::string idPart = R"("id":)" + std::to_string(id);
  const Clock::time_point asked = Clock::now();
  server.Send(R"({"jsonrpc":"2.0",)" + idPart + R"(,"method":")" + method +
              R"(","params":{"textDocument":{"uri":)" + Quoted(pageUri) +
              R"(},"position":{"line":)" + std::to_string(kGreetingLine) + R"(,"character":)" +
              std::to_string(kGreetingCharacter) + R"(},"context":{"includeDeclaration":true}}})");
  const std::optional<std::string> answer = server.WaitFor({idPart, "result"});
  const double seconds = SecondsSince(asked);
  if (!answer || answer->find(part) == std::string::npos) {
    throw std::runtime_error(method + " did not answer with " + part);
  }
  return seconds;
}

Figures RunServer(const std::string& lintra, const std::filesystem::path& site) {
  Figures figures;
  ServerProcess server(lintra);
  const std::string pageUri = lsp::UriOfPath(site / kOpenedPage);
  const std::string secondUri = lsp::UriOfPath(site / "p01/page0100.asp");
  const std::string sharedUri = lsp::UriOfPath(site / kSharedInclude);
  const std::string shared = Slurp(site / kSharedInclude);

  const Clock::time_point start = Clock::now();
  server.Send(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"rootUri":)" +
              Quoted(lsp::UriOfPath(site)) +
              R"(,"capabilities":{"window":{"workDoneProgress":true}}}})");
  server.WaitFor({R"("id":1)", "capabilities"});
  figures.initialize = SecondsSince(start);
  server.Send(R"({"jsonrpc":"2.0","method":"initialized","params":{}})");

  const Clock::time_point opened = Clock::now();
  server.Send(DidOpen(pageUri, Slurp(site / kOpenedPage)));
  WaitForDiagnostics(server, {pageUri}, "");
  figures.openWhileIndexing = SecondsSince(opened);
  server.WaitFor({R"("$/progress")", "lintra-indexing", R"("kind":"end")"});
  figures.indexing = SecondsSince(start);
  figures.indexingCpu = server.CpuSeconds();
  server.WaitFor({R"("$/progress")", "lintra-names", R"("kind":"end")"});
  figures.names = SecondsSince(start);
  figures.namesCpu = server.CpuSeconds();
  figures.definition =
      AskAtGreeting(server, pageUri, 3, "textDocument/definition", Quoted(sharedUri));
  figures.references =
      AskAtGreeting(server, pageUri, 4, "textDocument/references", "p79/page7996.asp");

  server.Send(DidOpen(sharedUri, shared));
  WaitForDiagnostics(server, {sharedUri}, "");
  const Clock::time_point second = Clock::now();
  server.Send(DidOpen(secondUri, Slurp(site / "p01/page0100.asp")));
  WaitForDiagnostics(server, {secondUri}, "");
  figures.openIndexed = SecondsSince(second);

  const Clock::time_point edited = Clock::now();
  server.Send(
      R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":)" +
      Quoted(sharedUri) + R"(,"version":2},"contentChanges":[{"text":)" +
      Quoted(shared + "<% Dim pageTitle %>\r\n") + "}]}}");
  WaitForDiagnostics(server, {pageUri, secondUri}, "name-redefined");
  figures.republish = SecondsSince(edited);
  figures.peakMegabytes = static_cast<double>(server.PeakKilobytes()) / 1024;

  server.Send(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
  server.Send(R"({"jsonrpc":"2.0","method":"exit"})");
  server.Finish();
  return figures;
}

template <class Run, class Field>
double Median(const std::vector<Run>& runs, Field field) {
  std::vector<double> values;
  for (const Run& run : runs) values.push_back(run.*field);
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Row(const char* what, double value, const char* unit, const std::string& target, bool met) {
  std::printf("| %s | %.3f %s | %s | %s |\n", what, value, unit, target.c_str(),
              met ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lintra-lspbench LINTRA SITE_FOLDER [RUNS]\n");
    return 2;
  }
  const std::string lintra = argv[1];
  const std::filesystem::path site = std::filesystem::absolute(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  if (!std::filesystem::exists(site)) WriteSharedIncludeSite(site);

  std::vector<CheckRun> checks;
  std::vector<Figures> servers;
  for (int run = 0; run < runs; ++run) {
    checks.push_back(RunCheck(lintra, site.string()));
    servers.push_back(RunServer(lintra, site));
  }
  const double check = Median(checks, &CheckRun::seconds);
  const double checkMemory = Median(checks, &CheckRun::peakMegabytes);
  const double memory = Median(servers, &Figures::peakMegabytes);
  const double indexing = Median(servers, &Figures::indexing);
  std::printf("| figure | median of %d | target | |\n|---|---|---|---|\n", runs);
  Row("lintra check of the site", check, "s", "", true);
  Row("lintra check of the site, processor time", Median(checks, &CheckRun::cpu), "s", "", true);
  Row("initialize answered", Median(servers, &Figures::initialize) * 1000, "ms", "at once", true);
  Row("diagnostics of a page opened while indexing",
      Median(servers, &Figures::openWhileIndexing) * 1000, "ms", "50 ms",
      Median(servers, &Figures::openWhileIndexing) <= 0.05);
  Row("indexing, from initialize to the end of $/progress", indexing, "s", "no slower than check",
      indexing <= check);
  const double indexingCpu = Median(servers, &Figures::indexingCpu);
  Row("indexing, processor time of the server until then", indexingCpu, "s", "no more than check",
      indexingCpu <= Median(checks, &CheckRun::cpu));
  Row("names read, from initialize to the end of their $/progress",
      Median(servers, &Figures::names), "s", "", true);
  Row("names read, processor time of the server until then", Median(servers, &Figures::namesCpu),
      "s", "", true);
  Row("diagnostics of a page opened once indexed", Median(servers, &Figures::openIndexed) * 1000,
      "ms", "50 ms", Median(servers, &Figures::openIndexed) <= 0.05);
  Row("definition of Greeting, once indexed", Median(servers, &Figures::definition) * 1000, "ms",
      "50 ms", Median(servers, &Figures::definition) <= 0.05);
  Row("references of Greeting (5,002 places), once indexed",
      Median(servers, &Figures::references) * 1000, "ms", "50 ms",
      Median(servers, &Figures::references) <= 0.05);
  Row("republish of the open pages after an edit of inc/common.inc",
      Median(servers, &Figures::republish) * 1000, "ms", "200 ms",
      Median(servers, &Figures::republish) <= 0.2);
  Row("lintra check peak memory", checkMemory, "MB", "", true);
  Row("server peak memory", memory, "MB", "2x check", memory <= 2 * checkMemory);
  return 0;
}
