#pragma once

#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>

#include "apps/lsp/Connection.h"
#include "apps/lsp/DiskWatch.h"
#include "apps/lsp/IndexHelper.h"
#include "apps/lsp/PendingPages.h"
#include "apps/lsp/ProjectSettings.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// What the server says of itself and where the rules' help lies.
struct ServerSettings {
  std::string version;
  // Prefixed to "RULE.md" for the link of each diagnostic, none when empty;
  // initializationOptions.ruleHelpBase replaces it.
  std::string ruleHelpBase;
  // Reads the configuration of the workspace folder when the editor names it; none leaves every
  // project at the defaults.
  ProjectLoader loadProject;
};

// The language server: answers the editor's requests on one thread, and between them analyses
// the site's pages in the background, the pages the editor waits for first, so that no request
// waits for the whole site.
class Server {
 public:
  // `in` and `out` must outlive this.
  Server(std::istream& in, std::ostream& out, ServerSettings settings);

  // Serves until the exit notification or the end of the input. Returns 0 when the exit came
  // after a shutdown request, 1 otherwise.
  int Run();

 private:
  // Answers a request from its params; the answer may be built as a Json value or written as
  // text.
  using Handler = std::function<JsonText(const Json& params)>;

  void Handle(const Incoming& incoming);
  void HandleRequest(const Json& id, const std::string& method, const Json& params);
  void HandleNotification(const std::string& method, const Json& params);
  Json Initialize(const Json& params);
  // The settings of the project that governs the workspace `folder`; the defaults, keeping the
  // problem for PublishProjectProblem, when its configuration cannot be used.
  ProjectSettings LoadProject(const std::filesystem::path& folder);
  // Shows the editor why the project's configuration was not used, on the configuration file.
  void PublishProjectProblem();
  void AddRequests();
  // Indexes on for a while when the answer to `method` needs every page; when pages are still
  // left, tells the editor that the answer holds only what is indexed so far.
  void AwaitIndex(const std::string& method);
  // Reads the names still waiting, for up to as long, for the answers about names.
  void AwaitNames();

  // The web path of the document in `params`; throws RpcError for one outside the workspace.
  Text DocumentPath(const Json& params) const;
  Text PathOfUri(const std::string& uri) const;

  // Document synchronisation (ServerDocuments.cpp).
  void DidOpen(const Json& params);
  void DidChange(const Json& params);
  void DidClose(const Json& params);
  void DidChangeWatchedFiles(const Json& params);
  // A client tells a folder made or deleted as one change of the folder
  // (https://github.com/microsoft/vscode-languageserver-node/issues/141): adds to `changes`,
  // whose last is that of `path`, a change of each file the folder holds, made, or that the
  // index knew below it, gone.
  void AddFolderChanges(const std::filesystem::path& path,
                        std::vector<std::pair<Text, int>>& changes);
  // Takes in files changed on disk: each web path with its change, 1 made, 2 changed, 3 gone.
  void ChangedOnDisk(const std::vector<std::pair<Text, int>>& changes);
  // Looks at the files that the open documents' diagnostics depend on, when the server watches
  // the disk itself, and takes in those that changed (ServerDisk.cpp).
  void WatchDisk();
  // Queues the pages that reach `file` again, those open in the editor first.
  void Changed(uint32_t file);
  // Puts first the pages that the diagnostics of each open document wait for.
  void HurryOpenDocuments();
  // The ids of the open documents, sorted.
  std::vector<uint32_t> OpenFiles();
  // Whether the buffer of the open `webPath` differs from the file on disk.
  bool DiffersFromDisk(const Text& webPath);

  // Background work (ServerDocuments.cpp): one page at a time, the first indexing shared with
  // a helper thread.
  bool BackgroundWaiting() const;
  void BackgroundStep();
  // Finds the pages and queues them, starting a helper when the machine has a second core.
  void Discover();
  // Records the pages the helper analysed that are still pending; whether it had any.
  bool RecordHelpersPages();
  void Publish();
  void Progress(const std::string& kind);
  // Once the pages are indexed, says which folder looks like the site's root when the workspace
  // lies above it (see Workspace::SiteRootBelow).
  void HintAtRootBelow();
  // Reads the names of files for a while once the pages are indexed, with a progress of its own:
  // `left` files of namesTotal_ still to read.
  void IndexNames();
  void NamesProgress(const std::string& kind, size_t left);

  Connection connection_;
  ServerSettings settings_;
  std::unordered_map<std::string, Handler> requests_;
  std::unique_ptr<Workspace> workspace_;
  PendingPages pending_;
  // Shares the first indexing while it lasts, unless files change on disk.
  std::unique_ptr<IndexHelper> helper_;
  // The last diagnostics sent for each open document, by URI.
  std::map<std::string, Json> published_;
  std::optional<ConfigError> projectProblem_;
  bool shutdown_ = false;
  bool exit_ = false;
  bool progressSupported_ = false;
  // What looks for changes on disk when the client does not report them; null when it does.
  std::unique_ptr<DiskWatch> diskWatch_;
  // The open documents and the index's count of changes when the disk watch was last given the
  // files to watch.
  std::vector<uint32_t> watchedOpen_;
  uint64_t watchedIndex_ = 0;
  bool discovered_ = false;
  bool indexing_ = false;
  size_t indexTotal_ = 0;
  // The files whose names were waiting when their reading began; 0 when none is going on.
  size_t namesTotal_ = 0;
  int lastPercent_ = -1;
};

}  // namespace lintra::lsp
