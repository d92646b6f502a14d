#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "apps/config/ProjectSettings.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "control/SupplyEvents.h"
#include "platform/ErrorRecord.h"

namespace lintra {

// The desktop app's side of the control's events: file texts come from the project on disk,
// reports and requests to open a file go to the window.
class WindowHost : public SupplyEvents {
 public:
  // By default, more file requests than this for one page stop its analysis as an include
  // explosion.
  static constexpr uint64_t DefaultMaxRequests = 100000;

  using Show = std::function<void(const Text&)>;

  // Serves `files` (which must outlive the host), at most `maxRequests` for one page, as the
  // project's `settings` ask: decoding files that are not UTF-8 from their encoding and serving
  // their virtual directories (see DiskHost); `showText` receives every report and `showFile` the
  // path of every file the user opens from the tree.
  WindowHost(const DiskFiles& files, uint64_t maxRequests, const ProjectSettings& settings,
             Show showText, Show showFile)
      : SupplyEvents(disk_),
        disk_(files, maxRequests, DiskHost::Paths::OnDisk, settings.encoding,
              settings.virtualDirectories),
        showText_(std::move(showText)),
        showFile_(std::move(showFile)) {}

  // The files as the headless analysis reads them, the same texts the control gets.
  FileSupply& Files() { return disk_; }
  // Starts counting file requests afresh; call before each page.
  void StartPage() { disk_.StartPage(); }
  // Reads files anew from now on, so that what the user asks for next shows the files as they
  // are now; call before each of the user's requests, not between the pages of one.
  void ReadAfresh() { disk_.ForgetTexts(); }
  // The text of the file `webPath` names, as the analysis reads it (through the virtual
  // directories, decoded from the encoding), for the user to read; `webPath` becomes the file's
  // real web path. Null when there is no such file or it cannot be read.
  std::shared_ptr<const SourceText> Read(Text& webPath) {
    disk_.StartPage();
    try {
      return disk_.fsGetFile(webPath);
    } catch (const RuntimeError&) {
      return nullptr;
    }
  }
  // Whether the current page was stopped for asking too many files.
  bool LimitReached() const { return disk_.LimitReached(); }
  uint64_t MaxRequests() const { return disk_.MaxRequests(); }

  void DisplayText(Text& Report) override { showText_(Report); }
  void DisplayFile(Text FilePath) override { showFile_(FilePath); }

 private:
  DiskHost disk_;
  Show showText_;
  Show showFile_;
};

}  // namespace lintra
