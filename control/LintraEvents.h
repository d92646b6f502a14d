#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra {

// The control's events: what a host implements to serve the control. Each is called
// synchronously; the control goes on only when the handler returns. A host connects one handler
// object with Lintra::Events and keeps it alive while it is connected. Every callback has a
// default that does nothing.
class LintraEvents {
 public:
  virtual ~LintraEvents() = default;

  // Called whenever the control needs a file's text: first for the page given to ParseFile or
  // DisplayIfDependant, then once for each include directive found, depth first in text order,
  // while the tree is half built. A file included twice is requested twice.
  //   FilePath - the file's path in web form relative to the project; the host may replace it,
  //              and the replacement becomes the file's path.
  //   nError   - 0 on entry. Leave it 0 when the file was supplied; set any other code when it
  //              cannot be (the file is then flagged missing), or FileSupply::Abort to stop the
  //              whole analysis, which then fails towards the host with that number.
  //   FileText - empty on entry; put the file's whole text here. An empty text is an empty file.
  // Must not call back into the control.
  virtual void GetFile(Text& FilePath, int32_t& nError, Text& FileText) {
    (void)FilePath, (void)nError, (void)FileText;
  }

  // Called instead of GetFile, with the same parameters and rules, by every request for a file's
  // text. A host that keeps texts in memory overrides it to hand out one shared SourceText per
  // file, so that a file included many times is held, scanned and stored once. The default
  // raises GetFile and wraps the text it supplied, also when the handler set it and then failed.
  virtual void GetSharedFile(Text& FilePath, int32_t& nError,
                             std::shared_ptr<const SourceText>& FileText) {
    Text text;
    auto keep = [&] {
      if (nError == 0) FileText = std::make_shared<const SourceText>(std::move(text));
    };
    try {
      GetFile(FilePath, nError, text);
    } catch (...) {
      keep();
      throw;
    }
    keep();
  }

  // Called when the user asks for a report (text tree, complete file, warnings) with the
  // report's text, also when it is empty. The host shows it; changes to it are ignored.
  virtual void DisplayText(Text& Report) { (void)Report; }

  // Called on a double-click on the node of a file whose text was obtained, with that file's
  // full path as the host supplied it. The host opens or shows the file.
  virtual void DisplayFile(Text FilePath) { (void)FilePath; }
};

}  // namespace lintra
