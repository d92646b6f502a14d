#include "apps/config/ProjectSettings.h"

#include <toml++/toml.h>
#include <algorithm>
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

std::string Where(const std::filesystem::path& file, int line, int column) {
  if (line == 0) return Utf8OfPath(file);
  return Utf8OfPath(file) + ":" + std::to_string(line) + ":" + std::to_string(column);
}

// Reads the settings of one parsed file, naming `file` in its errors.
class ConfigReader {
 public:
  explicit ConfigReader(const std::filesystem::path& file)
      : file_(file), folder_(file.parent_path()) {
    settings_.file = file;
  }

  ProjectSettings Read(const toml::table& table) {
    for (const auto& [key, node] : table) {
      const std::string name(key.str());
      if (name == "root") {
        Root(node);
      } else if (name == "pages") {
        settings_.pages = Strings(node, name);
      } else if (name == "exclude") {
        settings_.excludes = Strings(node, name);
      } else if (name == "encoding") {
        Encoding(node);
      } else if (name == "parent-paths") {
        settings_.rules.parentPathsEnabled = Boolean(node, name);
      } else if (name == "include-extensions") {
        settings_.rules.includeOnlyExtensions = Extensions(node, name);
      } else if (name == "non-script-extensions") {
        settings_.rules.nonScriptExtensions = Extensions(node, name);
      } else if (name == "served-extensions") {
        settings_.rules.servedExtensions = Extensions(node, name);
      } else if (name == "serve-any-extension") {
        settings_.rules.serveAnyExtension = Boolean(node, name);
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
    return std::move(settings_);
  }

 private:
  [[noreturn]] void Fail(const toml::node& node, const std::string& problem) const {
    const toml::source_position at = node.source().begin;
    throw ConfigError(file_, static_cast<int>(at.line), static_cast<int>(at.column), problem);
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

  void Root(const toml::node& node) {
    const std::string setting = String(node, "root");
    const std::string problem = WhyNoWebRoot(folder_, setting);
    if (!problem.empty()) Fail(node, "the root " + setting + " " + problem);
    std::error_code error;
    settings_.root = std::filesystem::weakly_canonical(folder_ / setting, error);
  }

  void Encoding(const toml::node& node) {
    const std::string name = String(node, "encoding");
    if (!CodePage::Known(name)) Fail(node, "unknown encoding " + name + " (see iconv --list)");
    settings_.encoding = name;
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
      settings_.rules.virtualFolders.push_back(text::FromUtf8(name));
      settings_.virtualDirectories.push_back({name, folder_ / path});
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
      settings_.rules.severities[id] = level->second;
    }
  }

  std::filesystem::path file_;
  std::filesystem::path folder_;
  ProjectSettings settings_;
};

}  // namespace

ConfigError::ConfigError(std::filesystem::path where, int atLine, int atColumn,
                         const std::string& why)
    : std::runtime_error(Where(where, atLine, atColumn) + ": " + why),
      file(std::move(where)),
      line(atLine),
      column(atColumn),
      problem(why) {}

ProjectSettings ReadProjectSettings(const std::filesystem::path& file) {
  // Read here rather than by the parser, which would take a narrow name in the ANSI code page
  // on Windows.
  std::ifstream in(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in) throw ConfigError(file, 0, 0, "cannot be read");
  toml::table table;
  try {
    table = toml::parse(content, Utf8OfPath(file));
  } catch (const toml::parse_error& problem) {
    const toml::source_position at = problem.source().begin;
    throw ConfigError(file, static_cast<int>(at.line), static_cast<int>(at.column),
                      std::string(problem.description()));
  }
  return ConfigReader(file).Read(table);
}

ProjectSettings LoadProjectSettings(const std::filesystem::path& folder) {
  const std::filesystem::path file = FindConfigFile(folder);
  return file.empty() ? ProjectSettings() : ReadProjectSettings(file);
}

std::filesystem::path DefaultWebRoot(const ProjectSettings& settings,
                                     const std::filesystem::path& start) {
  if (!settings.root.empty()) return settings.root;
  return settings.file.empty() ? start : settings.file.parent_path();
}

}  // namespace lintra
