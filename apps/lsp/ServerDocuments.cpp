#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "apps/lsp/Diagnostics.h"
#include "apps/lsp/FileKey.h"
#include "apps/lsp/Server.h"
#include "apps/lsp/Uri.h"
#include "site/PageDiscovery.h"

namespace lintra::lsp {

namespace {

const char* const ProgressToken = "lintra-indexing";
const char* const NamesToken = "lintra-names";

// How long one background step reads names, so that requests wait no longer.
constexpr std::chrono::milliseconds NamesStep{20};

// How long a background step waits for the indexing helper when every page left is the
// helper's; requests that arrive meanwhile wait as long at most.
constexpr std::chrono::milliseconds HelperWait{2};

std::vector<TextChange> ChangesIn(const Json& params) {
  std::vector<TextChange> changes;
  for (const Json& change : params.at("contentChanges")) {
    TextChange parsed;
    parsed.text = text::FromUtf8(change.at("text").get<std::string>());
    if (change.contains("range")) {
      const Json& range = change["range"];
      parsed.range = {{range.at("start").at("line").get<int64_t>(),
                       range.at("start").at("character").get<int64_t>()},
                      {range.at("end").at("line").get<int64_t>(),
                       range.at("end").at("character").get<int64_t>()}};
    }
    changes.push_back(std::move(parsed));
  }
  return changes;
}

}  // namespace

void Server::DidOpen(const Json& params) {
  const Json& document = params.at("textDocument");
  const std::string uri = document.at("uri").get<std::string>();
  const Text webPath = PathOfUri(uri);
  workspace_->Open({uri, webPath, document.value("version", int64_t{0}), nullptr},
                   text::FromUtf8(document.at("text").get<std::string>()));
  const uint32_t file = workspace_->Id(webPath);
  if (discovered_ && !workspace_->IsPage(file)) workspace_->AddPage(webPath);
  if (workspace_->IsPage(file) && !workspace_->Index().Record(file)) pending_.Add(file);
  if (DiffersFromDisk(webPath)) {
    Changed(file);
    // A file that no page reaches waits for no analysis: its diagnostics are shown now.
    if (!pending_.UrgentWaiting()) Publish();
    return;
  }
  for (const uint32_t page : workspace_->Index().Reaching(file)) {
    if (!workspace_->Index().Record(page)->checked) pending_.Add(page);
  }
  HurryOpenDocuments();
  if (!pending_.UrgentWaiting()) Publish();
  WatchDisk();
}

void Server::DidChange(const Json& params) {
  const Text webPath = PathOfUri(params.at("textDocument").at("uri").get<std::string>());
  const int64_t version = params.at("textDocument").value("version", int64_t{0});
  if (workspace_->Documents().Change(FileKey(webPath), version, ChangesIn(params))) {
    Changed(workspace_->Id(webPath));
  }
}

void Server::DidClose(const Json& params) {
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const Text webPath = PathOfUri(uri);
  const bool differed = DiffersFromDisk(webPath);
  workspace_->Documents().Close(FileKey(webPath));
  published_.erase(uri);
  connection_.Notify("textDocument/publishDiagnostics",
                     {{"uri", uri}, {"diagnostics", Json::array()}});
  if (differed) Changed(workspace_->Id(webPath));
}

void Server::DidChangeWatchedFiles(const Json& params) {
  std::vector<std::pair<Text, int>> changes;
  for (const Json& change : params.at("changes")) {
    try {
      const std::string uri = change.at("uri").get<std::string>();
      changes.emplace_back(PathOfUri(uri), change.value("type", 2));
      if (const std::optional<std::filesystem::path> path = lsp::PathOfUri(uri)) {
        AddFolderChanges(*path, changes);
      }
    } catch (const RpcError&) {
    }
  }
  ChangedOnDisk(changes);
}

void Server::AddFolderChanges(const std::filesystem::path& path,
                              std::vector<std::pair<Text, int>>& changes) {
  const auto [folder, type] = changes.back();
  std::error_code error;
  if (type == 1 && std::filesystem::is_directory(path, error)) {
    try {
      for (const Text& file : PageDiscovery({}).FindFiles(path)) {
        changes.emplace_back(folder + u"/" + file, 1);
      }
    } catch (const std::filesystem::filesystem_error&) {
    }
  }
  if (type != 3 || workspace_->Index().Find(folder) || std::filesystem::exists(path, error)) return;
  const Text below = FileKey(folder) + u"/";
  std::set<uint32_t> gone;
  for (const uint32_t page : workspace_->Pages()) {
    gone.insert(page);
    if (const PageRecord* record = workspace_->Index().Record(page)) {
      gone.insert(record->files.begin(), record->files.end());
    }
  }
  for (const uint32_t file : gone) {
    const Text& webPath = workspace_->Index().Name(file);
    if (FileKey(webPath).starts_with(below)) changes.emplace_back(webPath, 3);
  }
}

void Server::ChangedOnDisk(const std::vector<std::pair<Text, int>>& changes) {
  // The helper read the files as they were; the pages it has not handed over stay pending.
  helper_.reset();
  workspace_->ForgetDiskTexts();
  std::vector<Text> made;
  for (const auto& [webPath, type] : changes) {
    const uint32_t file = workspace_->Id(webPath);
    if (type == 1) {
      workspace_->AddPage(webPath);
      made.push_back(webPath);
      // A file that was missing is known to the trees by its name alone.
      made.push_back(webPath.substr(text::FindLastSlash(webPath) + 1));
    }
    if (type == 3 && workspace_->IsPage(file)) {
      workspace_->RemovePage(file);
      pending_.Remove(file);
    }
    Changed(file);
  }
  // A path written in another letter case than a file made finds that file now.
  for (const uint32_t file : workspace_->Index().InAnyCase(made)) Changed(file);
}

void Server::Changed(uint32_t file) {
  workspace_->ForgetNames(file);
  for (const uint32_t page : workspace_->Index().Reaching(file)) pending_.Add(page);
  if (workspace_->IsPage(file)) pending_.Add(file);
  HurryOpenDocuments();
}

void Server::HurryOpenDocuments() {
  for (const Text& key : workspace_->Documents().Keys()) {
    const uint32_t file = workspace_->Id(workspace_->Documents().Find(key)->webPath);
    if (workspace_->IsPage(file) && pending_.Contains(file)) pending_.AddUrgent(file);
    for (const uint32_t page : workspace_->Index().Reaching(file)) {
      if (page != file && pending_.Contains(page)) {
        pending_.AddUrgent(page);
        break;
      }
    }
  }
}

std::vector<uint32_t> Server::OpenFiles() {
  std::vector<uint32_t> files;
  for (const Text& key : workspace_->Documents().Keys()) {
    files.push_back(workspace_->Id(workspace_->Documents().Find(key)->webPath));
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Server::DiffersFromDisk(const Text& webPath) {
  const OpenDocument* document = workspace_->Documents().Find(FileKey(webPath));
  const std::optional<Text> disk = workspace_->DiskText(webPath);
  return document && (!disk || !text::SameUnits(*disk, document->text->Value()));
}

bool Server::BackgroundWaiting() const {
  return workspace_ && !exit_ &&
         (!discovered_ || !pending_.Empty() || workspace_->NamesWaiting() > 0);
}

void Server::BackgroundStep() {
  if (!discovered_) {
    Discover();
    return;
  }
  if (pending_.Empty() && !indexing_) {
    IndexNames();
    return;
  }
  const bool urgent = pending_.UrgentWaiting();
  const bool recorded = helper_ && RecordHelpersPages();
  const std::optional<uint32_t> page =
      helper_ ? pending_.TakeLast([this](uint32_t next) { return helper_->Claim(next); })
              : pending_.Take();
  if (page && workspace_->IsPage(*page)) workspace_->Reindex(*page, OpenFiles());
  if (!page && !recorded) {
    if (helper_ && !pending_.Empty()) helper_->Wait(HelperWait);
    if (!pending_.Empty()) return;
  }
  if (indexing_) Progress(pending_.Empty() ? "end" : "report");
  if (pending_.Empty()) {
    if (indexing_) HintAtRootBelow();
    indexing_ = false;
    helper_.reset();
    // Notes the files behind what is about to be published, before the editor can change them.
    WatchDisk();
  }
  if ((urgent && !pending_.UrgentWaiting()) || pending_.Empty()) Publish();
}

void Server::HintAtRootBelow() {
  const std::optional<RootBelow> below = workspace_->SiteRootBelow();
  if (!below) return;
  connection_.Notify(
      "window/showMessage",
      {{"type", 2}, {"message", "lintra: " + below->Said("name it as the root in lintra.toml")}});
}

void Server::Discover() {
  discovered_ = true;
  std::vector<std::string> leftOut;
  try {
    leftOut = workspace_->DiscoverPages();
  } catch (const std::exception&) {
    return;
  }
  for (const std::string& message : leftOut) {
    connection_.Notify("window/logMessage", {{"type", 2}, {"message", "lintra: " + message}});
  }
  for (const uint32_t page : workspace_->Pages()) pending_.Add(page);
  HurryOpenDocuments();
  indexing_ = true;
  indexTotal_ = pending_.Size();
  Progress("begin");
  if (pending_.Empty()) {
    Progress("end");
    indexing_ = false;
  } else if (std::thread::hardware_concurrency() > 1) {
    helper_ = workspace_->Helper(pending_.Pages());
  }
}

bool Server::RecordHelpersPages() {
  const std::vector<PageFiles> found = helper_->Take();
  if (found.empty()) return false;
  const std::vector<uint32_t> openFiles = OpenFiles();
  for (const PageFiles& page : found) {
    if (!pending_.Contains(page.page)) continue;
    pending_.Remove(page.page);
    if (workspace_->IsPage(page.page)) workspace_->Record(page, openFiles);
  }
  return true;
}

void Server::Publish() {
  const auto stale = [this](uint32_t page) { return pending_.Contains(page); };
  for (const Text& key : workspace_->Documents().Keys()) {
    const OpenDocument& document = *workspace_->Documents().Find(key);
    Json diagnostics = DiagnosticsOf(*workspace_, workspace_->Id(document.webPath), stale,
                                     discovered_ && pending_.Empty(), settings_.ruleHelpBase);
    const auto last = published_.find(document.uri);
    if (last != published_.end() && last->second == diagnostics) continue;
    connection_.Notify(
        "textDocument/publishDiagnostics",
        {{"uri", document.uri}, {"version", document.version}, {"diagnostics", diagnostics}});
    published_[document.uri] = std::move(diagnostics);
  }
}

void Server::IndexNames() {
  if (namesTotal_ == 0) {
    namesTotal_ = workspace_->NamesWaiting();
    NamesProgress("begin", namesTotal_);
  }
  const size_t left = workspace_->IndexNames(NamesStep);
  NamesProgress(left == 0 ? "end" : "report", left);
  if (left == 0) namesTotal_ = 0;
}

void Server::NamesProgress(const std::string& kind, size_t left) {
  if (!progressSupported_) return;
  Json value = {{"kind", kind}};
  if (kind == "begin") {
    connection_.Request("window/workDoneProgress/create", {{"token", NamesToken}});
    value["title"] = "Reading the names of the site";
  }
  if (kind != "end") {
    value["percentage"] =
        static_cast<int>((namesTotal_ - left) * 100 / std::max<size_t>(namesTotal_, 1));
  }
  value["message"] =
      std::to_string(namesTotal_ - left) + " of " + std::to_string(namesTotal_) + " files";
  connection_.Notify("$/progress", {{"token", NamesToken}, {"value", value}});
}

void Server::Progress(const std::string& kind) {
  if (!progressSupported_) return;
  const size_t done = indexTotal_ - pending_.Size();
  const int percent = indexTotal_ == 0 ? 100 : static_cast<int>(done * 100 / indexTotal_);
  if (kind == "report" && percent == lastPercent_) return;
  lastPercent_ = percent;
  Json value = {{"kind", kind}};
  if (kind == "begin") {
    connection_.Request("window/workDoneProgress/create", {{"token", ProgressToken}});
    value["title"] = "Indexing the site";
    value["percentage"] = 0;
  } else if (kind == "report") {
    value["percentage"] = percent;
  }
  value["message"] = std::to_string(done) + " of " + std::to_string(indexTotal_) + " pages";
  connection_.Notify("$/progress", {{"token", ProgressToken}, {"value", value}});
}

}  // namespace lintra::lsp
