#include "apps/lsp/Server.h"

#include <algorithm>
#include <chrono>

#include "apps/host/PathText.h"
#include "apps/lsp/CodeActions.h"
#include "apps/lsp/ControlViews.h"
#include "apps/lsp/NameNavigation.h"
#include "apps/lsp/Navigation.h"
#include "apps/lsp/Uri.h"
#include "site/ProjectLocation.h"

namespace lintra::lsp {

namespace {

// How often an idle server that watches the disk itself looks at the files.
constexpr std::chrono::seconds WatchInterval{1};

// Whether the client with `capabilities` tells the server of files changed on disk.
bool ClientWatchesFiles(const Json& capabilities) {
  const Json workspace =
      capabilities.is_object() ? capabilities.value("workspace", Json()) : Json();
  const Json watched =
      workspace.is_object() ? workspace.value("didChangeWatchedFiles", Json()) : Json();
  return watched.is_object() && watched.value("dynamicRegistration", false);
}

// How long a request whose answer needs every page waits for the indexing to end.
constexpr std::chrono::seconds IndexWait{2};

Json Capabilities() {
  return {{"textDocumentSync",
           {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
          {"documentLinkProvider", {{"resolveProvider", false}}},
          {"definitionProvider", true},
          {"referencesProvider", true},
          {"hoverProvider", true},
          {"documentSymbolProvider", true},
          {"workspaceSymbolProvider", true},
          {"completionProvider", Json::object()},
          {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}};
}

// The folder a client names as the workspace: the first workspace folder, the root URI or the
// root path, in that order.
std::string RootUri(const Json& params) {
  const Json folders = params.value("workspaceFolders", Json());
  if (folders.is_array() && !folders.empty()) return folders[0].at("uri").get<std::string>();
  const Json rootUri = params.value("rootUri", Json());
  if (rootUri.is_string()) return rootUri.get<std::string>();
  const Json rootPath = params.value("rootPath", Json());
  if (rootPath.is_string()) return UriOfPath(rootPath.get<std::string>());
  throw RpcError(ErrorCode::InvalidParams, "initialize names no workspace folder");
}

}  // namespace

Server::Server(std::istream& in, std::ostream& out, ServerSettings settings)
    : connection_(in, out), settings_(std::move(settings)) {
  AddRequests();
}

int Server::Run() {
  connection_.Start();
  while (!exit_) {
    const bool idle = !BackgroundWaiting();
    std::optional<Incoming> incoming =
        idle && diskWatch_ ? connection_.TakeWithin(WatchInterval) : connection_.Take(idle);
    if (incoming) {
      Handle(*incoming);
    } else if (connection_.Ended()) {
      break;
    } else if (idle) {
      WatchDisk();
    } else {
      BackgroundStep();
    }
  }
  return shutdown_ && exit_ ? 0 : 1;
}

void Server::Handle(const Incoming& incoming) {
  if (!incoming.error.empty()) {
    connection_.RespondError(nullptr, ErrorCode::ParseError, incoming.error);
    return;
  }
  const Json& message = incoming.message;
  if (!message.is_object()) {
    connection_.RespondError(nullptr, ErrorCode::InvalidRequest, "a message must be an object");
    return;
  }
  const auto method = message.find("method");
  const auto id = message.find("id");
  if (method == message.end()) {
    if (id == message.end()) {
      connection_.RespondError(nullptr, ErrorCode::InvalidRequest, "the message has no method");
    }
    return;
  }
  const Json params = message.value("params", Json::object());
  if (!method->is_string()) {
    connection_.RespondError(id == message.end() ? Json(nullptr) : *id, ErrorCode::InvalidRequest,
                             "the method must be a string");
  } else if (id == message.end()) {
    HandleNotification(method->get<std::string>(), params);
  } else if (!id->is_string() && !id->is_number_integer()) {
    connection_.RespondError(nullptr, ErrorCode::InvalidRequest,
                             "a request id must be a number or a string");
  } else {
    HandleRequest(*id, method->get<std::string>(), params);
  }
}

void Server::HandleRequest(const Json& id, const std::string& method, const Json& params) {
  try {
    if (method == "initialize") {
      const bool first = !workspace_;
      connection_.Respond(id, Initialize(params));
      if (first) PublishProjectProblem();
      if (first) BackgroundStep();
      return;
    }
    if (!workspace_) throw RpcError(ErrorCode::ServerNotInitialized, "initialize comes first");
    if (shutdown_) throw RpcError(ErrorCode::InvalidRequest, "the server is shutting down");
    const auto handler = requests_.find(method);
    if (handler == requests_.end()) {
      throw RpcError(ErrorCode::MethodNotFound, "unknown method " + method);
    }
    if (method == "textDocument/references" || method == "workspace/symbol") AwaitIndex(method);
    if (method == "textDocument/definition" || method == "textDocument/hover" ||
        method == "textDocument/completion") {
      AwaitNames();
    }
    connection_.Respond(id, handler->second(params));
  } catch (const RpcError& error) {
    connection_.RespondError(id, error.Code(), error.what());
  } catch (const Json::exception& error) {
    connection_.RespondError(id, ErrorCode::InvalidParams,
                             "invalid params for " + method + ": " + error.what());
  } catch (const std::exception& error) {
    connection_.RespondError(id, ErrorCode::InternalError, method + " failed: " + error.what());
  }
}

void Server::HandleNotification(const std::string& method, const Json& params) {
  if (method == "exit") {
    exit_ = true;
    return;
  }
  if (!workspace_ || shutdown_) return;
  try {
    if (method == "textDocument/didOpen") DidOpen(params);
    if (method == "textDocument/didChange") DidChange(params);
    if (method == "textDocument/didClose") DidClose(params);
    if (method == "workspace/didChangeWatchedFiles") DidChangeWatchedFiles(params);
    if (method == "textDocument/didSave") WatchDisk();
  } catch (const std::exception&) {
    // A notification has no answer: one that cannot be taken is left out.
  }
}

Json Server::Initialize(const Json& params) {
  if (workspace_) throw RpcError(ErrorCode::InvalidRequest, "the server is initialized already");
  const std::optional<std::filesystem::path> root = lsp::PathOfUri(RootUri(params));
  if (!root) throw RpcError(ErrorCode::InvalidParams, "the workspace folder is not a file URI");
  ProjectSettings project = LoadProject(*root);
  const std::filesystem::path webRoot = project.root.empty() ? *root : project.root;
  try {
    workspace_ = std::make_unique<Workspace>(webRoot, std::move(project));
  } catch (const std::exception& error) {
    throw RpcError(ErrorCode::InvalidParams,
                   "cannot open the workspace folder " + Utf8OfPath(webRoot) + ": " + error.what());
  }
  const Json options = params.value("initializationOptions", Json::object());
  if (options.is_object() && options.value("ruleHelpBase", Json()).is_string()) {
    settings_.ruleHelpBase = options["ruleHelpBase"].get<std::string>();
  }
  const Json capabilities = params.value("capabilities", Json::object());
  const Json window = capabilities.is_object() ? capabilities.value("window", Json()) : Json();
  progressSupported_ = window.is_object() && window.value("workDoneProgress", false);
  if (!ClientWatchesFiles(capabilities)) diskWatch_ = MakeDiskWatch();
  return {{"capabilities", Capabilities()},
          {"serverInfo", {{"name", "lintra"}, {"version", settings_.version}}}};
}

void Server::AwaitIndex(const std::string& method) {
  const auto deadline = std::chrono::steady_clock::now() + IndexWait;
  while (BackgroundWaiting() && std::chrono::steady_clock::now() < deadline) BackgroundStep();
  if (!BackgroundWaiting()) return;
  const std::string indexed = pending_.Empty()
                                  ? "the names of " + std::to_string(workspace_->NamesWaiting()) +
                                        " files are still to be read"
                                  : std::to_string(indexTotal_ - pending_.Size()) + " of " +
                                        std::to_string(indexTotal_) + " pages are indexed so far";
  const std::string message = "lintra: the answer to " + method + " is partial: " + indexed +
                              "; ask again once indexing ends";
  connection_.Notify("window/showMessage", {{"type", 3}, {"message", message}});
}

void Server::AwaitNames() {
  const auto deadline = std::chrono::steady_clock::now() + IndexWait;
  while (workspace_->NamesWaiting() > 0 && std::chrono::steady_clock::now() < deadline) {
    IndexNames();
  }
}

ProjectSettings Server::LoadProject(const std::filesystem::path& folder) {
  if (!settings_.loadProject) return {};
  try {
    return settings_.loadProject(folder);
  } catch (const ConfigError& problem) {
    projectProblem_ = problem;
  } catch (const std::exception& error) {
    projectProblem_.emplace(folder / ConfigFileName, 1, 1, error.what());
  }
  return {};
}

void Server::PublishProjectProblem() {
  if (!projectProblem_) return;
  const ConfigError& problem = *projectProblem_;
  const int line = std::max(problem.line, 1);
  const int column = std::max(problem.column, 1);
  const Json diagnostic = {{"range", RangeOf(line, column, line, column + 1)},
                           {"severity", 1},
                           {"source", "lintra"},
                           {"message", problem.problem}};
  connection_.Notify("textDocument/publishDiagnostics",
                     {{"uri", UriOfPath(problem.file)}, {"diagnostics", {diagnostic}}});
  connection_.Notify("window/showMessage",
                     {{"type", 2},
                      {"message", "lintra: " + std::string(problem.what()) +
                                      "; the project is checked with the default settings"}});
}

void Server::AddRequests() {
  requests_["shutdown"] = [this](const Json&) {
    shutdown_ = true;
    return Json(nullptr);
  };
  auto document = [this](auto answer) {
    return [this, answer](const Json& params) { return answer(DocumentPath(params), params); };
  };
  requests_["textDocument/documentLink"] =
      document([this](const Text& path, const Json&) { return DocumentLinks(*workspace_, path); });
  requests_["textDocument/definition"] = document([this](const Text& path, const Json& params) {
    return Definition(*workspace_, path, PositionIn(params));
  });
  requests_["textDocument/references"] = document([this](const Text& path, const Json& params) {
    const Json context = params.value("context", Json::object());
    const bool withDeclarations = context.is_object() && context.value("includeDeclaration", true);
    return References(*workspace_, path, PositionIn(params), withDeclarations);
  });
  requests_["textDocument/completion"] = document([this](const Text& path, const Json& params) {
    return Completion(*workspace_, workspace_->Id(path), PositionIn(params));
  });
  requests_["workspace/symbol"] = [this](const Json& params) {
    return WorkspaceSymbols(*workspace_, params.value("query", std::string()));
  };
  requests_["textDocument/hover"] = document([this](const Text& path, const Json& params) {
    return Hover(*workspace_, path, PositionIn(params));
  });
  requests_["textDocument/documentSymbol"] = document(
      [this](const Text& path, const Json&) { return DocumentSymbols(*workspace_, path); });
  requests_["textDocument/codeAction"] = document([this](const Text& path, const Json& params) {
    return CodeActions(*workspace_, path, params);
  });
  requests_["lintra/includeTree"] = document([this](const Text& path, const Json&) {
    // The tree of a file that is no page is of the pages that reach it, which the index knows.
    if (!workspace_->IsPage(workspace_->Id(path))) AwaitIndex("lintra/includeTree");
    return IncludeTree(*workspace_, path);
  });
  const std::pair<const char*, ControlReport> reports[] = {
      {"lintra/completeFile", ControlReport::CompleteFile},
      {"lintra/textTree", ControlReport::TextTree},
      {"lintra/warnings", ControlReport::Warnings}};
  for (const auto& [method, report] : reports) {
    requests_[method] = document([this, report = report](const Text& path, const Json&) {
      return ReportOf(*workspace_, path, report);
    });
  }
}

Text Server::DocumentPath(const Json& params) const {
  return PathOfUri(params.at("textDocument").at("uri").get<std::string>());
}

Text Server::PathOfUri(const std::string& uri) const {
  const std::optional<std::filesystem::path> path = lsp::PathOfUri(uri);
  const std::optional<Text> webPath = path ? workspace_->WebPathOf(*path) : std::nullopt;
  if (!webPath) {
    throw RpcError(ErrorCode::InvalidParams, "the document " + uri +
                                                 " is outside the workspace folder " +
                                                 Utf8OfPath(workspace_->Root()));
  }
  return *webPath;
}

}  // namespace lintra::lsp
