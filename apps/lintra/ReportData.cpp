#include "apps/lintra/ReportData.h"

#include <charconv>
#include <unordered_map>

#include "apps/lintra/Markup.h"

namespace lintra {

namespace {

// Writes the JSON by hand: the trees of a large site hold millions of numbers, which a document
// model would hold as millions of objects first.
class JsonWriter {
 public:
  std::string& Out() { return out_; }

  void Number(uint64_t value) {
    Separate();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  }
  void String(std::string_view utf8) {
    Separate();
    AppendJsonString(out_, utf8);
  }
  void Key(const char* key) {
    Separate();
    out_ += '"';
    out_ += key;
    out_ += "\":";
    first_ = true;
  }
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }

 private:
  void Separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }

  std::string out_;
  bool first_ = true;
};

void WriteFiles(const SiteSurvey& survey, JsonWriter& json) {
  json.Key("files");
  json.Open('[');
  for (const Text& file : survey.Files()) json.String(text::ToReadable(file));
  json.Close(']');
}

void WritePages(const SiteSurvey& survey, JsonWriter& json) {
  json.Key("pages");
  json.Open('[');
  for (const SurveyPage& page : survey.Pages()) {
    json.Open('[');
    json.Number(page.file);
    json.Number(page.expandedSize);
    json.Number(page.depth);
    json.Close(']');
  }
  json.Close(']');
  json.Key("trees");
  json.Open('[');
  for (const SurveyPage& page : survey.Pages()) {
    json.Open('[');
    for (const SurveyNode& node : page.tree) {
      json.Number(node.file);
      json.Number(node.flags);
      json.Number(node.size);
    }
    json.Close(']');
  }
  json.Close(']');
}

void WriteIncludedBy(const SiteSurvey& survey, JsonWriter& json) {
  json.Key("includedBy");
  json.Open('[');
  for (const Text& file : survey.Files()) {
    json.Open('[');
    for (const Includer& includer : survey.Index().Includers(file)) {
      json.Open('[');
      json.String(text::ToReadable(includer.file));
      json.Number(static_cast<uint64_t>(includer.line));
      json.Close(']');
    }
    json.Close(']');
  }
  json.Close(']');
}

void WriteReachedBy(const SiteSurvey& survey, JsonWriter& json) {
  std::unordered_map<Text, uint64_t> pageNumbers;
  for (const SurveyPage& page : survey.Pages()) {
    pageNumbers.emplace(survey.Files()[page.file], pageNumbers.size());
  }
  json.Key("reachedBy");
  json.Open('[');
  for (const Text& file : survey.Files()) {
    json.Open('[');
    json.Number(survey.Index().PageCount(file));
    json.Open('[');
    for (const Text& page : survey.Index().Pages(file, ReportedPagesPerFile)) {
      json.Number(pageNumbers.at(page));
    }
    json.Close(']');
    json.Close(']');
  }
  json.Close(']');
}

// Per file: how many of the pages that include it use it, how many include it, and the first of
// the pages that include it without using it.
void WriteUsedBy(const SiteSurvey& survey, JsonWriter& json) {
  json.Key("usedBy");
  json.Open('[');
  for (size_t file = 0; file < survey.Files().size(); ++file) {
    const FileUse none;
    const FileUse& use = file < survey.Uses().size() ? survey.Uses()[file] : none;
    json.Open('[');
    json.Number(use.users);
    json.Number(use.including);
    json.Open('[');
    for (size_t i = 0; i < use.idle.size() && i < ReportedPagesPerFile; ++i) {
      json.Number(use.idle[i]);
    }
    json.Close(']');
    json.Close(']');
  }
  json.Close(']');
}

void WriteIncludes(const SiteSurvey& survey, JsonWriter& json) {
  std::vector<std::vector<const SurveyEdge*>> includes(survey.Files().size());
  for (const SurveyEdge& edge : survey.Edges()) includes[edge.from].push_back(&edge);
  json.Key("includes");
  json.Open('[');
  for (const std::vector<const SurveyEdge*>& edges : includes) {
    json.Open('[');
    for (const SurveyEdge* edge : edges) {
      json.Open('[');
      json.Number(edge->to);
      json.Number(edge->flags);
      json.Close(']');
    }
    json.Close(']');
  }
  json.Close(']');
}

}  // namespace

std::string ReportData(const SiteSurvey& survey) {
  JsonWriter json;
  json.Open('{');
  WriteFiles(survey, json);
  WritePages(survey, json);
  WriteIncludedBy(survey, json);
  WriteReachedBy(survey, json);
  WriteUsedBy(survey, json);
  WriteIncludes(survey, json);
  json.Close('}');
  return std::move(json.Out());
}

}  // namespace lintra
