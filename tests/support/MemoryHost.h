#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "control/Lintra.h"
#include "support/SiteTexts.h"

namespace lintra {

// A host that serves file texts from memory, keyed by web path exactly as the control asks for
// them, and records every request. A path without an entry is answered with nError 1 (missing);
// a path listed in Errors is answered with that code instead. A path listed in Redirects is
// recorded, then replaced by its target, as a host may do, and served by the target's entry. Once
// Limit requests (when not 0) were recorded, every further one is answered with the abort code,
// as a host guarding against include explosions does.
class MemoryHost : public LintraEvents {
 public:
  // Serves a control of its own, Control.
  MemoryHost();
  // Serves `control` without keeping it alive, as the host of a control that a widget owns;
  // Control stays null.
  explicit MemoryHost(const std::shared_ptr<Lintra>& control);
  // Disconnects from the control it serves, when that is still there.
  ~MemoryHost() override;

  std::map<Text, Text> Files;
  std::map<Text, int32_t> Errors;
  std::map<Text, Text> Redirects;
  size_t Limit = 0;
  std::vector<Text> Requests;
  std::vector<Text> Displayed;    // texts passed to DisplayText
  std::vector<Text> OpenedFiles;  // paths passed to DisplayFile

  // The control of its own, connected to this host.
  std::shared_ptr<Lintra> Control;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override;
  void DisplayText(Text& Report) override;
  void DisplayFile(Text FilePath) override;

 private:
  std::weak_ptr<Lintra> served_;
};

// Every node's label in position order, followed by "+" when it is open and "-" when closed.
std::string NodeStates(const TreeView& view);

// The File that the node at `position` of `view` shows, or null when its Tag is no File.
std::shared_ptr<File> FileAt(const TreeView& view, int32_t position);

// Something a host might put in a node's Tag that is not a File.
class Stranger : public Object {};

}  // namespace lintra
