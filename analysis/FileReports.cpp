#include "analysis/File.h"
#include "analysis/Files.h"
#include "errors/modPendryError.h"

namespace {

constexpr TextView kCrLf = u"\r\n";

// Appends `length` units of `t` from 1-based `start`, with the clipping rules of Mid.
void AppendMid(Text& out, TextView t, int32_t start, int32_t length) {
  if (start < 1) start = 1;
  if (length <= 0 || static_cast<size_t>(start - 1) >= t.size()) return;
  out.append(t.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

}  // namespace

Text File::OutputCriticalErrors() {
  Text s;
  AppendCriticalErrors(s);
  return s;
}

Text File::OutputWarnings() {
  Text s;
  AppendWarnings(s);
  return s;
}

Text File::OutputComplete() {
  Text s;
  AppendComplete(s);
  return s;
}

void File::AppendCriticalErrors(Text& out) {
  ErrorTrap trap(u"File", u"OutputCriticalErrors");
  const size_t mark = out.size();
  trap.Step([&] {
    TextView line;
    if (MissingFile()) {
      line = u"   Error opening file. \r\n";
    } else if (CircularInclude()) {
      line = u"   Circular include error. \r\n";
    }
    if (line.empty()) return;
    out.append(Name()).append(u" (").append(FullPath()).append(u")").append(kCrLf);
    out.append(line).append(kCrLf);
  });
  if (includes_) {
    for (const auto& child : *includes_) {
      if (!trap.Step([&] { child->AppendCriticalErrors(out); })) break;
    }
  }
  if (trap.Aborted()) out.resize(mark);
}

void File::AppendWarnings(Text& out) {
  ErrorTrap trap(u"File", u"OutputWarnings");
  const size_t mark = out.size();
  trap.Step([&] {
    if (!DuplicateInclude() || CircularInclude()) return;
    const auto parent = Parent();
    const auto base = BaseFile();
    if (!parent || !base) RaisePlatformError(ErrorNumber::ObjectNotSet);
    out.append(parent->Name()).append(u" (").append(parent->FullPath()).append(u")").append(kCrLf);
    out.append(u"   Duplicate include warning : File ").append(Name());
    out.append(u" is included more than once in '").append(base->Name()).append(u"'");
    out.append(kCrLf).append(kCrLf);
  });
  if (includes_) {
    for (const auto& child : *includes_) {
      if (!trap.Step([&] { child->AppendWarnings(out); })) break;
    }
  }
  if (trap.Aborted()) out.resize(mark);
}

void File::AppendComplete(Text& out) {
  ErrorTrap trap(u"File", u"OutputComplete");
  const size_t mark = out.size();
  const std::shared_ptr<const SourceText> keep = content_;
  const TextView t = keep ? TextView(keep->Value()) : TextView();
  int32_t pos = 1;
  if (includes_) {
    for (const auto& child : *includes_) {
      const bool done = trap.Step([&] {
        const int32_t start = child->BaseFileStart();
        const int32_t end = child->BaseFileEnd();
        AppendMid(out, t, pos, start - pos);
        Text marker;
        AppendMid(marker, t, start, end - start);
        out.append(kCrLf).append(u"<%' === INCLUDE FILE START ( ").append(marker);
        out.append(u" ) === %>").append(kCrLf);
        if (child->MissingFile()) {
          out.append(u"   *** ERROR : Error opening file : ").append(child->FullPath());
          out.append(u" ***");
        } else if (child->CircularInclude()) {
          out.append(u"   *** ERROR : Circular Include ***");
        } else {
          child->AppendComplete(out);
        }
        out.append(kCrLf).append(u"<%' === INCLUDE FILE END ( ").append(marker);
        out.append(u" ) === %>").append(kCrLf);
        pos = end;
      });
      if (!done) break;
    }
  }
  trap.Step([&] { AppendMid(out, t, pos, text::Len(t) - pos + 1); });
  if (trap.Aborted()) out.resize(mark);
}
