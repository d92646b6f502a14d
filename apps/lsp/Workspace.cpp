#include "apps/lsp/Workspace.h"

#include <algorithm>
#include <map>
#include <set>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/config/ConfiguredPages.h"
#include "apps/host/PathText.h"
#include "apps/host/ProjectListing.h"
#include "apps/lsp/FileKey.h"
#include "apps/lsp/Uri.h"
#include "platform/ErrorRecord.h"
#include "rules/ApplicationFile.h"
#include "rules/UnusedFileRule.h"
#include "site/PageDiscovery.h"

namespace lintra::lsp {

namespace {

constexpr uint64_t MaxRequestsPerPage = 100000;

bool HasPageExtension(TextView webPath) {
  return webPath.size() >= 4 && text::UCase(webPath.substr(webPath.size() - 4)) == u".ASP";
}

template <class T>
void SortUnique(std::vector<T>& values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

// Whether the tree that `record` stands for holds one of `files` (sorted).
bool HoldsOneOf(const PageRecord& record, const std::vector<uint32_t>& files) {
  return std::any_of(record.files.begin(), record.files.end(), [&](uint32_t file) {
    return std::binary_search(files.begin(), files.end(), file);
  });
}

// The settings the editor checks with: `settings`, with what the application's global.asa in
// `files` gives every page.
RuleSettings EditorSettings(const DiskFiles& files, RuleSettings settings) {
  if (const std::optional<ProjectFile> application = files.Read(ApplicationFilePath)) {
    TakeApplicationFile(application->text, settings);
  }
  return settings;
}

}  // namespace

Workspace::Workspace(const std::filesystem::path& root, ProjectSettings project)
    : files_(root),
      disk_(files_, MaxRequestsPerPage, DiskHost::Paths::OnDisk, project.encoding,
            project.virtualDirectories),
      host_(disk_, documents_),
      site_(host_, text::FromUtf8(Utf8OfPath(root))),
      namedPages_(std::move(project.pages)),
      excludes_(std::move(project.excludes)),
      encoding_(std::move(project.encoding)),
      virtualDirectories_(std::move(project.virtualDirectories)),
      checker_(EditorSettings(files_, std::move(project.rules))) {}

std::optional<Text> Workspace::WebPathOf(const std::filesystem::path& path) const {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
  if (error) return std::nullopt;
  const std::filesystem::path relative = real.lexically_relative(Root());
  if (relative.empty() || relative == "." || *relative.begin() == "..") {
    return disk_.VirtualWebPath(real);
  }
  return text::FromUtf8(GenericUtf8OfPath(relative));
}

std::optional<Text> Workspace::OnDisk(const Text& webPath) const {
  return disk_.WebPathOnDisk(webPath);
}

std::optional<Text> Workspace::DiskText(const Text& webPath) const {
  const std::shared_ptr<const SourceText> source = disk_.ReadNow(webPath);
  if (!source) return std::nullopt;
  return source->Value();
}

TextBytes Workspace::DiskBytes(const Text& webPath) const {
  const std::shared_ptr<const SourceText> source = disk_.ReadNow(webPath);
  return source ? source->Bytes() : TextBytes();
}

void Workspace::Open(OpenDocument document, Text text) {
  document.text = std::make_shared<const SourceText>(std::move(text), DiskBytes(document.webPath));
  documents_.Open(std::move(document));
}

void Workspace::ForgetDiskTexts() {
  disk_.ForgetTexts();
  for (const Text& key : documents_.Keys()) {
    const OpenDocument& document = *documents_.Find(key);
    documents_.SetBytes(key, DiskBytes(document.webPath));
  }
}

std::vector<std::filesystem::path> Workspace::FilesShownWith(
    const std::vector<uint32_t>& files) const {
  std::vector<uint32_t> shown(files);
  for (const uint32_t file : files) {
    for (const uint32_t page : index_.Reaching(file)) {
      const PageRecord* record = index_.Record(page);
      if (record) shown.insert(shown.end(), record->files.begin(), record->files.end());
    }
  }
  SortUnique(shown);
  std::vector<std::filesystem::path> paths;
  for (const uint32_t file : shown) {
    if (std::optional<std::filesystem::path> resolved = disk_.Location(index_.Name(file))) {
      paths.push_back(std::move(*resolved));
    }
  }
  return paths;
}

std::vector<RuleFinding> Workspace::UnusedFindings(uint32_t file) const {
  // Like check, a project whose settings name its pages is not checked as a whole, and its files
  // are those below the root.
  if (!namedPages_.empty() || IsPage(file) || !index_.Reaching(file).empty() ||
      !files_.WebPathOnDisk(index_.Name(file))) {
    return {};
  }
  // The rule takes a file as used when a page reaches it in any letter case (see UnusedFileRule).
  for (const uint32_t spelt : index_.InAnyCase({index_.Name(file)})) {
    if (!index_.Reaching(spelt).empty()) return {};
  }
  RuleSettings settings = checker_.Settings();
  settings.wholeProject = true;
  std::vector<std::unique_ptr<Rule>> rules;
  rules.push_back(std::make_unique<UnusedFileRule>());
  Checker project(std::move(settings), std::move(rules));
  project.Finish({index_.Name(file)});
  return project.Findings();
}

std::optional<RootBelow> Workspace::SiteRootBelow() {
  // By file that holds them, the starts of the directives whose file is missing; by file id,
  // whether it is missing, as each is looked up once.
  std::map<uint32_t, std::set<int32_t>> missingAt;
  std::map<uint32_t, bool> missing;
  for (const uint32_t page : pages_) {
    const PageRecord* record = index_.Record(page);
    if (!record) continue;
    for (const IndexedDirective& directive : record->directives) {
      const auto [known, added] = missing.try_emplace(directive.target, false);
      if (added) {
        const Text& name = index_.Name(directive.target);
        known->second = !OnDisk(name) && !documents_.Find(FileKey(name));
      }
      if (known->second) missingAt[directive.holder].insert(directive.start);
    }
  }
  std::set<Text> paths;
  for (const auto& [holder, starts] : missingAt) {
    const std::optional<Text> text = CurrentText(holder);
    if (!text) continue;
    for (const ScannedDirective& directive : ScanDirectives(*text)) {
      if (!starts.contains(directive.Start)) continue;
      if (std::optional<Text> path = VirtualPath(directive)) paths.insert(std::move(*path));
    }
  }
  if (paths.size() < 2) return std::nullopt;
  return FindRootBelow(paths, ProjectListing(files_, PageDiscovery(excludes_)).Files());
}

std::string Workspace::UriOf(const Text& webPath) const {
  if (const std::optional<std::filesystem::path> resolved = disk_.Location(webPath)) {
    return UriOfPath(*resolved);
  }
  const OpenDocument* document = documents_.Find(FileKey(webPath));
  return document ? document->uri : std::string();
}

std::string Workspace::UriOf(uint32_t file) {
  if (file < diskUris_.size() && !diskUris_[file].empty()) return diskUris_[file];
  const Text& webPath = index_.Name(file);
  const std::optional<std::filesystem::path> resolved = disk_.Location(webPath);
  if (!resolved) return UriOf(webPath);
  NoteUri(file, *resolved);
  return diskUris_[file];
}

void Workspace::NoteUri(uint32_t file, const std::filesystem::path& resolved) {
  if (diskUris_.size() <= file) diskUris_.resize(file + 1);
  diskUris_[file] = UriOfPath(resolved);
}

void Workspace::ForgetNames(uint32_t file) {
  names_.Forget(file);
  if (file < diskUris_.size()) diskUris_[file].clear();
  QueueNames(file);
}

void Workspace::QueueNames(uint32_t file) {
  if (queued_.size() <= file) queued_.resize(file + 1);
  if (queued_[file]) return;
  queued_[file] = true;
  unnamed_.push_back(file);
}

size_t Workspace::IndexNames(std::chrono::milliseconds budget) {
  const auto deadline = std::chrono::steady_clock::now() + budget;
  while (!unnamed_.empty() && std::chrono::steady_clock::now() < deadline) {
    const uint32_t file = unnamed_.back();
    unnamed_.pop_back();
    queued_[file] = false;
    NamesOf(file);
  }
  return unnamed_.size();
}

std::vector<std::string> Workspace::DiscoverPages() {
  pages_.clear();
  std::vector<Text> pages;
  std::vector<std::string> leftOut;
  if (std::optional<ConfiguredPageList> named = ConfiguredPages(files_, namedPages_, excludes_)) {
    pages = std::move(named->pages);
    for (const std::string& entry : named->missing) leftOut.push_back(MissingPageMessage(entry));
  } else {
    const ProjectListing listing(files_, PageDiscovery(excludes_));
    pages = listing.Pages();
    for (const Text& entry : listing.LeftOut()) {
      leftOut.push_back(ProjectListing::LeftOutMessage(entry));
    }
  }
  for (const Text& page : pages) pages_.push_back(Id(page));
  SortUnique(pages_);
  return leftOut;
}

bool Workspace::IsPage(uint32_t file) const {
  return std::binary_search(pages_.begin(), pages_.end(), file);
}

void Workspace::AddPage(const Text& webPath) {
  if (!HasPageExtension(webPath) || PageDiscovery(excludes_).Excluded(webPath)) return;
  const Text real = OnDisk(webPath).value_or(webPath);
  if (const std::optional<ConfiguredPageList> named =
          ConfiguredPages(files_, namedPages_, excludes_)) {
    if (std::find(named->pages.begin(), named->pages.end(), real) == named->pages.end()) return;
  }
  const uint32_t page = Id(real);
  pages_.insert(std::lower_bound(pages_.begin(), pages_.end(), page), page);
  SortUnique(pages_);
}

void Workspace::RemovePage(uint32_t page) {
  std::erase(pages_, page);
  index_.Remove(page);
}

std::shared_ptr<File> Workspace::Analyse(const Text& webPath) {
  host_.StartPage();
  try {
    return site_.Tree(webPath);
  } catch (const RuntimeError&) {
    return nullptr;
  }
}

void Workspace::Reindex(uint32_t page, const std::vector<uint32_t>& openFiles) {
  std::shared_ptr<File> root = Analyse(index_.Name(page));
  if (!root) {
    index_.Set(page, RecordOf(PageFiles{page, true, {}, {}, {}}));
    return;
  }
  const PageTree tree(std::move(root));
  PageRecord record = RecordOf(FilesOf(page, tree, facts_));
  if (HoldsOneOf(record, openFiles)) Check(tree, record);
  index_.Set(page, std::move(record));
}

void Workspace::Record(const PageFiles& found, const std::vector<uint32_t>& openFiles) {
  PageRecord record = RecordOf(found);
  if (HoldsOneOf(record, openFiles)) {
    Reindex(found.page, openFiles);
  } else {
    index_.Set(found.page, std::move(record));
  }
}

std::unique_ptr<IndexHelper> Workspace::Helper(const std::vector<uint32_t>& pending) const {
  std::vector<std::pair<uint32_t, Text>> pages;
  pages.reserve(pending.size());
  for (const uint32_t page : pending) pages.emplace_back(page, index_.Name(page));
  return std::make_unique<IndexHelper>(Root(), MaxRequestsPerPage, std::move(pages), encoding_,
                                       virtualDirectories_);
}

std::optional<Text> Workspace::CurrentText(const Text& webPath) const {
  if (const OpenDocument* document = documents_.Find(FileKey(webPath))) {
    return document->text->Value();
  }
  return DiskText(webPath);
}

PageRecord Workspace::RecordOf(const PageFiles& found) {
  PageRecord record;
  if (found.failed) {
    record.files = {found.page};
    record.checked = true;
    return record;
  }
  std::vector<uint32_t> ids;
  ids.reserve(found.files.size());
  for (const Text& file : found.files) ids.push_back(Id(file));
  for (const PageFiles::Directive& directive : found.directives) {
    record.directives.push_back(
        {ids[directive.holder], ids[directive.target], directive.start, directive.end});
  }
  record.names = NamesOf(found, ids);
  record.files = std::move(ids);
  SortUnique(record.files);
  for (const uint32_t file : record.files) {
    if (!names_.Of(file)) QueueNames(file);
  }
  SortUnique(record.directives);
  return record;
}

const FileNames* Workspace::NamesOf(uint32_t file) {
  if (const FileNames* known = names_.Of(file)) return known;
  const std::optional<Text> text = CurrentText(file);
  return text ? &names_.Scan(file, *text) : nullptr;
}

std::optional<Text> Workspace::CurrentText(uint32_t file) {
  const Text& webPath = index_.Name(file);
  const std::optional<std::filesystem::path> resolved = disk_.Location(webPath);
  if (resolved) NoteUri(file, *resolved);
  if (const OpenDocument* document = documents_.Find(FileKey(webPath))) {
    return document->text->Value();
  }
  if (!resolved) return std::nullopt;
  return DiskText(webPath);
}

std::vector<PageName> Workspace::NamesOf(const PageFiles& found, const std::vector<uint32_t>& ids) {
  std::vector<PageName> names;
  for (const PageFiles::Name& name : found.names) {
    const FileNames* file = NamesOf(ids[name.file]);
    const std::optional<uint32_t> declaration =
        file ? file->DeclarationAt(name.offset) : std::nullopt;
    if (declaration) {
      names.push_back({file->declarationKeys[*declaration], {ids[name.file], *declaration}});
    }
  }
  std::sort(names.begin(), names.end(),
            [](const PageName& a, const PageName& b) { return a.key < b.key; });
  return names;
}

void Workspace::Check(const PageTree& page, PageRecord& record) {
  checker_.Check(page);
  // Each page is judged on its own: unused-include reports every directive that this page reaches
  // without needing it, and the diagnostics show one only when every page reaching it did so.
  // Without the whole project, the rest of Finish reports nothing.
  checker_.Finish({});
  record.findings = checker_.TakeFindings().TakeFindings();
  record.checked = true;
}

}  // namespace lintra::lsp
