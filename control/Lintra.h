#pragma once

#include <memory>

#include "analysis/FileSupply.h"
#include "control/LintraEvents.h"
#include "platform/Object.h"
#include "platform/Text.h"

class File;

// The include-tree control: the only part of the system a host sees. The host hands it pages,
// answers its requests for file texts through LintraEvents::GetFile, and receives its reports.
// Create it with std::make_shared: files refer back to the control that supplies their texts.
class Lintra : public Object, public FileSupply {
 public:
  Lintra() = default;
  ~Lintra() override = default;

  // Connects the host's event handlers (not owned; null disconnects).
  void Events(LintraEvents* handler) { events_ = handler; }

  // Builds the include tree of one page without showing it: creates the root, obtains its text
  // (a page the host cannot supply becomes a root flagged missing) and parses it. The caller owns
  // the tree. Errors of the analysis other than not-found come out unchanged.
  std::shared_ptr<File> AnalysePage(const Text& ProjectPath, const Text& FilePath);

  // Raises GetFile for `FilePath` and returns the text the host supplied. `FilePath` is passed to
  // the host by reference and keeps what the host left in it. A non-zero nError from the host
  // raises RuntimeError: 0x800403E9 when the host answered exactly that, 0x800403E8 otherwise,
  // source "Lintra.fsGetFile", description "Could not find the file : " and the path.
  Text fsGetFile(Text& FilePath) override;

 private:
  LintraEvents* events_ = nullptr;
};
