#include "apps/lintra/ProjectConfig.h"

#include <toml++/toml.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>

#include "apps/host/CodePage.h"
#include "apps/host/PathText.h"
#include "rules/Checker.h"
#include "site/ProjectLocation.h"

namespace lintra {

namespace {

// Reads the settings of one parsed file, naming `file` in its errors.
class ConfigReader {
 public:
  ConfigReader(const std::filesystem::path& file, Options& options)
      : file_(Utf8OfPath(file)), folder_(file.parent_path()), options_(options) {}

  // The web root that the root setting names; empty when there is none.
  const std::filesystem::path& WebRoot() const { return webRoot_; }

  void Read(const toml::table& table) {
    for (const auto& [key, node] : table) {
      const std::string name(key.str());
      if (name == "root") {
        Root(node);
      } else if (name == "pages") {
        Fill(options_.pages, Strings(node, name));
      } else if (name == "exclude") {
        options_.configExcludes = Strings(node, name);
      } else if (name == "encoding") {
        Encoding(node);
      } else if (name == "parent-paths") {
        options_.ruleSettings.parentPathsEnabled = Boolean(node, name);
      } else if (name == "include-extensions") {
        options_.ruleSettings.includeOnlyExtensions = Extensions(node, name);
      } else if (name == "non-script-extensions") {
        options_.ruleSettings.nonScriptExtensions = Extensions(node, name);
      } else if (name == "served-extensions") {
        options_.ruleSettings.servedExtensions = Extensions(node, name);
      } else if (name == "serve-any-extension") {
        options_.ruleSettings.serveAnyExtension = Boolean(node, name);
      } else if (name == "virtual-directories") {
        VirtualDirectories(node);
      } else if (name == "rules") {
        Rules(node);
      } else {
        Fail(node, "unknown setting " + name +
                       " (the settings are root, pages, exclude, encoding, parent-paths, "
                       "include-extensions, non-script-extensions, served-extensions, "
                       "serve-any-extension, virtual-directories, rules)");
      }
    }
  }

 private:
  [[noreturn]] void Fail(const toml::node& node, const std::string& problem) const {
    const toml::source_position at = node.source().begin;
    throw ConfigError(file_ + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                      ": " + problem);
  }

  std::vector<std::string> Strings(const toml::node& node, const std::string& name) const {
    const toml::array* array = node.as_array();
    if (!array) Fail(node, name + " must be an array of strings");
    std::vector<std::string> values;
    for (const toml::node& item : *array) {
      const std::optional<std::string> value = item.value<std::string>();
      if (!value || !item.is_string()) Fail(item, name + " must be an array of strings");
      values.push_back(*value);
    }
    return values;
  }

  std::vector<std::string> Extensions(const toml::node& node, const std::string& name) const {
    std::vector<std::string> extensions = Strings(node, name);
    for (std::string& extension : extensions) {
      if (extension.size() < 2 || extension[0] != '.') {
        Fail(node,
             name + " must list extensions with their dot, as \".inc\", not \"" + extension + "\"");
      }
      std::transform(extension.begin(), extension.end(), extension.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return extensions;
  }

  std::string String(const toml::node& node, const std::string& name) const {
    if (!node.is_string()) Fail(node, name + " must be a string");
    return *node.value<std::string>();
  }

  bool Boolean(const toml::node& node, const std::string& name) const {
    if (!node.is_boolean()) Fail(node, name + " must be true or false");
    return *node.value<bool>();
  }

  const toml::table& Table(const toml::node& node, const std::string& name) const {
    if (!node.is_table()) Fail(node, name + " must be a table ([" + name + "])");
    return *node.as_table();
  }

  // Takes the file's `values` when the command line gave none.
  static void Fill(std::vector<std::string>& option, std::vector<std::string> values) {
    if (option.empty()) option = std::move(values);
  }

  void Root(const toml::node& node) {
    const std::string setting = String(node, "root");
    const std::string problem = WhyNoWebRoot(folder_, setting);
    if (!problem.empty()) Fail(node, "the root " + setting + " " + problem);
    std::error_code error;
    webRoot_ = std::filesystem::weakly_canonical(folder_ / setting, error);
  }

  void Encoding(const toml::node& node) {
    const std::string name = String(node, "encoding");
    try {
      CodePage{name};
    } catch (const std::invalid_argument&) {
      Fail(node, "unknown encoding " + name + " (see iconv --list)");
    }
    if (options_.encoding.empty()) options_.encoding = name;
  }

  void VirtualDirectories(const toml::node& node) {
    for (const auto& [key, folder] : Table(node, "virtual-directories")) {
      std::string name(key.str());
      name.erase(0, name.find_first_not_of('/'));
      while (!name.empty() && name.back() == '/') name.pop_back();
      if (name.empty() || name.find_first_of("/\\") != std::string::npos) {
        Fail(folder, "a virtual directory is one folder below the root, as \"/shared\", not \"" +
                         std::string(key.str()) + "\"");
      }
      const std::filesystem::path path = PathOfText(String(folder, "a virtual directory's folder"));
      std::error_code error;
      if (!std::filesystem::is_directory(folder_ / path, error)) {
        Fail(folder, "the folder " + Utf8OfPath(path) + " of the virtual directory /" + name +
                         " does not exist (relative folders are relative to lintra.toml)");
      }
      options_.ruleSettings.virtualFolders.push_back(text::FromUtf8(name));
      options_.virtualDirectories.push_back({name, folder_ / path});
    }
  }

  void Rules(const toml::node& node) {
    static const std::map<std::string, std::optional<Severity>> levels = {
        {"error", Severity::Error},
        {"warning", Severity::Warning},
        {"note", Severity::Note},
        {"off", std::nullopt}};
    std::vector<std::string> ids;
    for (const std::unique_ptr<Rule>& rule : AllRules()) ids.push_back(rule->Info().id);
    for (const auto& [key, value] : Table(node, "rules")) {
      const std::string id(key.str());
      if (std::find(ids.begin(), ids.end(), id) == ids.end()) Fail(value, "unknown rule " + id);
      const auto level = levels.find(String(value, "rules." + id));
      if (level == levels.end()) {
        Fail(value, "rules." + id + " must be \"error\", \"warning\", \"note\" or \"off\"");
      }
      options_.ruleSettings.severities[id] = level->second;
    }
  }

  std::string file_;
  std::filesystem::path folder_;
  Options& options_;
  std::filesystem::path webRoot_;
};

// `folder` as the working folder reaches it: ".", a path below it, or else the whole path; "."
// for none.
std::string AsGiven(const std::filesystem::path& folder) {
  if (folder.empty()) return ".";
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  const std::filesystem::path below = folder.lexically_relative(here);
  if (error || below.empty() || *below.begin() == "..") return Utf8OfPath(folder);
  return Utf8OfPath(below);
}

}  // namespace

std::filesystem::path ApplyProjectConfig(const std::filesystem::path& file, Options& options) {
  const std::string name = Utf8OfPath(file);
  // Read here rather than by the parser, which would take a narrow name in the ANSI code page
  // on Windows.
  std::ifstream in(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in) throw ConfigError(name + ": cannot be read");
  toml::table table;
  try {
    table = toml::parse(content, name);
  } catch (const toml::parse_error& problem) {
    const toml::source_position at = problem.source().begin;
    throw ConfigError(name + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                      ": " + std::string(problem.description()));
  }
  ConfigReader reader(file, options);
  reader.Read(table);
  return reader.WebRoot();
}

void LocateProject(Options& options) {
  const bool rootGiven = !options.root.empty();
  const std::filesystem::path start = rootGiven ? PathOfText(options.root) : ".";
  const std::filesystem::path file = options.noConfig ? "" : FindConfigFile(start);
  const std::filesystem::path webRoot = file.empty() ? "" : ApplyProjectConfig(file, options);
  if (!rootGiven) options.root = AsGiven(webRoot.empty() ? file.parent_path() : webRoot);
  options.base = ReportBase(file, PathOfText(options.root));
}

}  // namespace lintra
