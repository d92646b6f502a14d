#include "apps/lintra/Session.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "apps/host/PathText.h"
#include "apps/lintra/Output.h"
#include "platform/ErrorRecord.h"
#include "site/PageDiscovery.h"

namespace lintra {

namespace {

std::string Hex(int32_t number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "0x%08X", static_cast<uint32_t>(number));
  return digits;
}

// `message` on one line.
std::string OneLine(std::string message) {
  for (char& c : message) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return message;
}

std::string FailureMessage(const Text& page, const ErrorRecord& error, const DiskHost& host) {
  if (host.LimitReached()) {
    return "analysis of " + text::ToReadable(page) + " aborted after " +
           std::to_string(host.MaxRequests()) +
           " file requests (an include explosion?); raise --max-files to go on";
  }
  return OneLine("analysis of " + text::ToReadable(page) + " failed: error " +
                 std::to_string(error.Number) + " (" + Hex(error.Number) + ") from " +
                 text::ToReadable(error.Source) + ": " + text::ToReadable(error.Description));
}

// How the trees of a run name their files: the site's commands name each file once, as the disk
// spells it; the page reports keep each directive's own spelling unless --canonical-paths.
DiskHost::Paths PathsFor(const Options& options) {
  switch (options.command) {
    case Command::Tree:
    case Command::Complete:
    case Command::Warnings:
    case Command::Depends:
      return options.canonicalPaths ? DiskHost::Paths::OnDisk : DiskHost::Paths::AsRequested;
    default:
      return DiskHost::Paths::OnDisk;
  }
}

// Whether the command names each file of the site once, by its real web path, rather than as
// the page or directive spells it.
bool NamesFilesOnce(Command command) {
  return command == Command::Check || command == Command::Includers || command == Command::Report ||
         command == Command::Graph;
}

// Warns of each glob of `unmatched` that the command line gave; the configuration's apply to
// every run, whichever pages it names.
void WarnOfUnmatched(const std::vector<std::string>& unmatched, const Options& options) {
  for (const std::string& glob : unmatched) {
    const auto given = [&](const std::vector<std::string>& globs) {
      return std::find(globs.begin(), globs.end(), glob) != globs.end();
    };
    const char* flag = given(options.excludes)         ? "--exclude"
                       : given(options.extendExcludes) ? "--extend-exclude"
                                                       : nullptr;
    if (flag)
      WriteError(std::string("warning: ") + flag + " " + glob + " leaves out no file or folder");
  }
}

}  // namespace

Session::Session(const Options& options)
    : options_(options),
      files_(PathOfText(options.root)),
      host_(files_, options.maxFiles, PathsFor(options), options.encoding,
            options.virtualDirectories),
      arguments_(PathOfText(options.root), files_.Root()),
      site_(host_, text::FromUtf8(options.root)) {}

Text Session::ExistingFile(const std::string& role, const std::string& argument) const {
  const Text path = arguments_.Page(argument);
  std::optional<Text> served = host_.WebPathOnDisk(path);
  if (!served) Refuse(role, argument, WhyNoFile(files_, path).value_or(NoFile::Missing));
  return std::move(*served);
}

Session::~Session() {
  if (freeing_.joinable()) freeing_.join();
}

void Session::FreeLater(PageTree&& tree) {
  if (freeing_.joinable()) freeing_.join();
  freeing_ =
      std::thread([tree = std::move(tree)]() mutable { const PageTree gone = std::move(tree); });
}

NamedFile Session::FileOrDeleted(const std::string& role, const std::string& argument) const {
  Text path = arguments_.Page(argument);
  if (std::optional<Text> served = host_.WebPathOnDisk(path)) return {std::move(*served), true};
  const std::optional<NoFile> why = WhyNoFile(files_, path);
  if (why && *why != NoFile::Missing) Refuse(role, argument, *why);
  return {std::move(path), false};
}

Text Session::Checked(const std::string& role, const std::string& argument) const {
  Text path = arguments_.Page(argument);
  if (const std::optional<NoFile> why = WhyNoFile(files_, path)) Refuse(role, argument, *why);
  return path;
}

Text Session::NamedPage(const std::string& argument) const {
  try {
    return Checked("page", argument);
  } catch (const UsageError& error) {
    if (options_.pagesNamedBy.empty()) throw;
    throw UsageError(std::string(error.what()) + " (the pages setting of " + options_.pagesNamedBy +
                     " names it)");
  }
}

void Session::Refuse(const std::string& role, const std::string& argument, NoFile why) const {
  throw UsageError(role + " " + argument + " " + Describe(why, options_.root));
}

std::vector<Text> Session::Pages() const {
  const PageDiscovery discovery(options_.Excludes());
  std::vector<Text> pages;
  if (options_.pages.empty()) {
    ListFiles(discovery);
    pages = PageDiscovery::PagesAmong(listing_->Entries());
  }
  for (const std::string& argument : options_.pages) {
    Text page = NamedPage(argument);
    if (!discovery.Excluded(page)) pages.push_back(std::move(page));
  }
  WarnOfUnmatched(discovery.UnmatchedExcludes(), options_);
  if (pages.empty()) throw UsageError(NoPages());
  return NamesFilesOnce(options_.command) ? EachFileOnce(pages, !options_.pages.empty()) : pages;
}

void Session::ListFiles(const PageDiscovery& discovery) const {
  listing_.emplace(files_, discovery);
  for (const Text& entry : listing_->LeftOut()) {
    WriteError("warning: " + ProjectListing::LeftOutMessage(entry));
  }
}

std::vector<Text> Session::EachFileOnce(const std::vector<Text>& paths, bool named) const {
  if (!named) return listing_->EachFileOnce(paths);
  std::vector<Text> files;
  files.reserve(paths.size());
  for (const Text& path : paths) files.push_back(files_.WebPathOnDisk(path).value_or(path));
  return EachOnce(std::move(files));
}

std::string Session::NoPages() const {
  if (!options_.excludes.empty()) return "no page to analyse: --exclude leaves out every page";
  if (!options_.Excludes().empty()) return "no page to analyse: the excludes leave out every page";
  return "no page to analyse: no .asp file below the root " + options_.root;
}

template <class Analyse>
std::shared_ptr<File> Session::Run(const Text& page, Analyse analyse) {
  host_.StartPage();
  try {
    return analyse();
  } catch (const RuntimeError& error) {
    const Text webPath = text::Replace(page, u'\\', u'/');
    failures_.push_back({webPath, FailureMessage(webPath, error.Record(), host_)});
    return nullptr;
  }
}

std::shared_ptr<File> Session::AnalysePage(const Text& page) {
  return Run(page, [&] { return site_.Tree(page); });
}

std::shared_ptr<const SourceText> Session::Source(const Text& file) {
  host_.StartPage();
  Text path = file;
  try {
    return host_.fsGetFile(path);
  } catch (const RuntimeError&) {
    return nullptr;
  }
}

std::map<Text, std::string> Session::UnreadableFiles() const {
  std::map<Text, std::string> files = unreadableElsewhere_;
  files.insert(host_.UnreadableFiles().begin(), host_.UnreadableFiles().end());
  return files;
}

void Session::TakeUnreadableFiles(const Session& other) {
  unreadableElsewhere_.merge(other.UnreadableFiles());
}

const std::vector<Text>& Session::ProjectFiles() const {
  if (!listing_) ListFiles(PageDiscovery(options_.Excludes()));
  return listing_->Files();
}

ChangedFiles Session::Changed(const std::vector<Text>& present,
                              const std::vector<Text>& deleted) const {
  return ChangedFiles(present, deleted,
                      [this](const Text& fullPath) { return host_.WebPathServed(fullPath); });
}

std::shared_ptr<File> Session::DependantPage(const Text& page, const ChangedFiles& changed) {
  return Run(page, [&] {
    std::shared_ptr<File> tree = site_.Tree(page);
    return changed.ReachedFrom(*tree) ? tree : nullptr;
  });
}

}  // namespace lintra
