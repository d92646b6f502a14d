#include "apps/lsp/Workspace.h"

#include <algorithm>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/lsp/FileKey.h"
#include "apps/lsp/Uri.h"
#include "platform/ErrorRecord.h"
#include "rules/PageCheck.h"
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

// Every rule that `settings` leave on.
std::vector<std::unique_ptr<Rule>> RulesOn(const RuleSettings& settings) {
  std::vector<std::unique_ptr<Rule>> rules = AllRules();
  std::erase_if(rules,
                [&](const std::unique_ptr<Rule>& rule) { return settings.Off(rule->Info().id); });
  return rules;
}

}  // namespace

Workspace::Workspace(const std::filesystem::path& root, ProjectSettings project)
    : files_(root),
      disk_(files_, MaxRequestsPerPage, DiskHost::Paths::AsRequested),
      host_(disk_, documents_),
      site_(host_, text::FromUtf8(root.string())),
      excludes_(std::move(project.excludes)),
      settings_(std::move(project.rules)),
      rules_(RulesOn(settings_)) {}

std::optional<Text> Workspace::WebPathOf(const std::filesystem::path& path) const {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
  if (error) return std::nullopt;
  const std::filesystem::path relative = real.lexically_relative(Root());
  if (relative.empty() || relative == "." || *relative.begin() == "..") return std::nullopt;
  return text::FromUtf8(relative.generic_string());
}

std::optional<Text> Workspace::OnDisk(const Text& webPath) const {
  const std::optional<std::filesystem::path> resolved = files_.Resolve(webPath);
  if (!resolved) return std::nullopt;
  return files_.WebPath(*resolved);
}

std::optional<Text> Workspace::DiskText(const Text& webPath) const {
  std::optional<ProjectFile> file = files_.Read(webPath);
  if (!file) return std::nullopt;
  return std::move(file->text);
}

std::string Workspace::UriOf(const Text& webPath) const {
  if (const std::optional<std::filesystem::path> resolved = files_.Resolve(webPath)) {
    return UriOfPath(*resolved);
  }
  const OpenDocument* document = documents_.Find(FileKey(webPath));
  return document ? document->uri : std::string();
}

void Workspace::DiscoverPages() {
  pages_.clear();
  for (const Text& page : PageDiscovery(excludes_).FindPages(Root())) pages_.push_back(Id(page));
  SortUnique(pages_);
}

bool Workspace::IsPage(uint32_t file) const {
  return std::binary_search(pages_.begin(), pages_.end(), file);
}

void Workspace::AddPage(const Text& webPath) {
  if (!HasPageExtension(webPath) || PageDiscovery(excludes_).Excluded(webPath)) return;
  const uint32_t page = Id(webPath);
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
  const std::shared_ptr<File> tree = Analyse(index_.Name(page));
  PageRecord record;
  if (tree) {
    record = RecordOf(*tree);
    const bool open = std::any_of(record.files.begin(), record.files.end(), [&](uint32_t file) {
      return std::binary_search(openFiles.begin(), openFiles.end(), file);
    });
    if (open) Check(*tree, record);
  } else {
    record.files = {page};
    record.checked = true;
  }
  index_.Set(page, std::move(record));
}

std::optional<Text> Workspace::CurrentText(const Text& webPath) const {
  if (const OpenDocument* document = documents_.Find(FileKey(webPath))) {
    return document->text->Value();
  }
  return DiskText(webPath);
}

PageRecord Workspace::RecordOf(File& page) {
  PageRecord record;
  record.files.push_back(Id(page.FullPath()));
  std::vector<std::pair<File*, uint32_t>> pending = {{&page, record.files.back()}};
  while (!pending.empty()) {
    const auto [node, holder] = pending.back();
    pending.pop_back();
    const Files* includes = node->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) {
      File& child = *(*includes)[i - 1];
      const uint32_t target = Id(child.FullPath());
      record.files.push_back(target);
      record.directives.push_back({holder, target, child.BaseFileStart(), child.BaseFileEnd()});
      pending.emplace_back(&child, target);
    }
  }
  SortUnique(record.files);
  SortUnique(record.directives);
  return record;
}

void Workspace::Check(File& page, PageRecord& record) {
  PageCheck check(page, facts_, settings_);
  FindingSet findings;
  findings.BeginPage();
  for (const std::unique_ptr<Rule>& rule : rules_) rule->Check(check, findings);
  record.findings = findings.Findings();
  record.checked = true;
}

}  // namespace lintra::lsp
