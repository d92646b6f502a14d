#pragma once

#include <map>
#include <memory>
#include <vector>

#include "control/Lintra.h"

// A host that serves file texts from memory, keyed by web path exactly as the control asks for
// them, and records every request. A path without an entry is answered with nError 1 (missing);
// a path listed in Errors is answered with that code instead.
class MemoryHost : public LintraEvents {
 public:
  MemoryHost();
  ~MemoryHost() override;

  std::map<Text, Text> Files;
  std::map<Text, int32_t> Errors;
  std::vector<Text> Requests;
  std::vector<Text> Displayed;      // texts passed to DisplayText
  std::vector<Text> OpenedFiles;    // paths passed to DisplayFile

  // The control, connected to this host.
  std::shared_ptr<Lintra> Control;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override;
  void DisplayText(Text& Text) override;
  void DisplayFile(Text FilePath) override;
};

// Joins lines with CR LF after each, as reports and ASP files write them.
Text Lines(std::initializer_list<const char16_t*> lines);
