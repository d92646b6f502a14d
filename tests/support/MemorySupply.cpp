#include "support/MemorySupply.h"

#include "platform/ErrorRecord.h"

namespace lintra {

std::shared_ptr<const SourceText> MemorySupply::fsGetFile(Text& FilePath) {
  if (auto redirect = Redirects.find(FilePath); redirect != Redirects.end()) {
    Requests.push_back(FilePath);
    FilePath = redirect->second;
  }
  const bool overLimit = Limit > 0 && Requests.size() >= Limit;
  Requests.push_back(FilePath);
  const auto fail = [&](int32_t number) {
    RaiseError(number, u"MemorySupply", u"Could not find the file : " + FilePath);
  };
  if (overLimit) fail(Abort);
  if (auto error = Errors.find(FilePath); error != Errors.end()) fail(error->second);
  if (auto reason = UnreadableFiles.find(FilePath); reason != UnreadableFiles.end()) {
    RaiseError(Unreadable, u"MemorySupply", reason->second);
  }
  const auto file = Files.find(FilePath);
  if (file == Files.end()) fail(NotFound);
  std::shared_ptr<const SourceText>& text = served_[FilePath];
  if (!text || text->Value() != file->second)
    text = std::make_shared<const SourceText>(file->second);
  return text;
}

}  // namespace lintra
