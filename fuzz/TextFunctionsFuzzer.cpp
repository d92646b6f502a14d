// Reads attributes out of arbitrary directive texts and takes arbitrary paths apart, checking
// what each function promises about its result.

#include <cstddef>
#include <cstdint>

#include "analysis/LintraFuncs.h"
#include "fuzz/FuzzSupport.h"

using namespace lintra;

using fuzz::Require;

namespace {

bool HasSeparator(TextView t) {
  return t.find_first_of(u"/\\") != TextView::npos;
}

void CheckAttribute(TextView name, TextView text) {
  const AttributeResult result = AttributeValue(name, text);
  const bool present = text::UCase(text).find(text::UCase(name)) != Text::npos;
  Require(result.Status == AttributeResult::Found || result.Status == AttributeResult::NoValue ||
              result.Status == AttributeResult::Absent,
          "AttributeValue: status is one of 1, 2, 101");
  Require((result.Status == AttributeResult::Absent) == !present,
          "AttributeValue: status 101 exactly when the name does not occur");
  Require(result.Status == AttributeResult::Found || result.Value.empty(),
          "AttributeValue: a value only with status 1");
  Require(text.find(result.Value) != TextView::npos,
          "AttributeValue: the value is cut from the text");
}

void CheckPath(TextView path) {
  const Text slashed = text::Replace(path, u'\\', u'/');
  const Text name = gfsFileName(path);
  const Text folder = gfsFilePath(path);
  Require(!HasSeparator(name) && path.ends_with(name),
          "gfsFileName: the part after the last separator");
  Require(folder.empty() || folder.ends_with(u'/'), "gfsFilePath: empty or ends with /");
  Require(folder + name == slashed, "gfsFilePath and gfsFileName: together the whole path");

  const Text corrected = gfsCorrectWebPath(path);
  Require(corrected.find(u'\\') == Text::npos, "gfsCorrectWebPath: no backslash left");
  Require(corrected.size() <= path.size(), "gfsCorrectWebPath: never longer");
  size_t segment = 0;
  for (size_t from = 0;; ++segment) {
    const size_t slash = corrected.find(u'/', from);
    const TextView part =
        TextView(corrected).substr(from, slash == Text::npos ? slash : slash - from);
    Require(part != u".." || segment == 0, "gfsCorrectWebPath: \"..\" only stays in front");
    if (slash == Text::npos) break;
    from = slash + 1;
  }
  if (slashed.find(u"..") == Text::npos) {
    Require(corrected == slashed,
            "gfsCorrectWebPath: a path without \"..\" only changes separators");
  }

  Require(gfsRelativePath(path, path) == u".", "gfsRelativePath: a folder relative to itself is .");
  Require(fnDirLevels(slashed) == fnDirLevels(folder), "fnDirLevels: the folder holds every /");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::TreatErrorReportsAsFindings();
  return 0;
}

// The first unit picks the attribute name: File, Virtual, #include, or the text up to the first
// line feed. The rest is the directive text, and also a path, and, split at its first line feed,
// a base folder and a target folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text units = fuzz::Units({reinterpret_cast<const char*>(data), size});
  if (units.empty()) return 0;
  const TextView rest = TextView(units).substr(1);
  const size_t lineFeed = rest.find(u'\n');
  static constexpr TextView kNames[] = {u"File", u"Virtual", u"#include"};
  if (units.front() % 4 < 3) {
    CheckAttribute(kNames[units.front() % 4], rest);
  } else if (lineFeed != TextView::npos) {
    CheckAttribute(rest.substr(0, lineFeed), rest.substr(lineFeed + 1));
  }
  CheckPath(rest);
  if (lineFeed != TextView::npos) {
    gfsRelativePath(rest.substr(0, lineFeed), rest.substr(lineFeed + 1));
  }
  return 0;
}
