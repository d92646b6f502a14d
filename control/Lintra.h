#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "analysis/FileSupply.h"
#include "control/LintraEvents.h"
#include "platform/ImageList.h"
#include "platform/Object.h"
#include "platform/Text.h"
#include "platform/TextArray.h"
#include "platform/Toolbar.h"
#include "platform/TreeView.h"
#include "platform/UserControl.h"

namespace lintra {

class ErrorTrap;
class File;

// The include-tree control: the only part of the system a host sees. The host hands it pages,
// answers its requests for file texts through LintraEvents::GetFile, and receives its reports.
// Analysed pages accumulate as trees in the tree view until ClearTree. Create it with
// std::make_shared: files refer back to the control that supplies their texts.
//
// Members are split over files by concern: LintraEntry.cpp (pages in, clearing), LintraAnalyse
// (a page's tree), LintraFileSupply, LintraDisplay (tree view), LintraExpand (expand and
// collapse), LintraTextTree, LintraReports (page reports), LintraShell (toolbar, double-click,
// layout, terminate). The analysis itself, the drawings and the reports live in analysis/.
class Lintra : public Object, public FileSupply {
 public:
  Lintra();
  // Destroying the control clears its trees.
  ~Lintra() override;

  // Whether the toolbar is shown. Writing only stores the value; the next resize applies it.
  void ToolbarVisible(bool Visible) { toolbarVisible_ = Visible; }
  bool ToolbarVisible() const { return toolbarVisible_; }

  // Analyses the page at `FilePath` (web form, relative to the project) and appends its tree to
  // the tree view, expanded. A page the host cannot supply is shown flagged missing. Any other
  // failure, among them the host's abort answer, raises RuntimeError with source
  // "Lintra.Lintra.ParseFile" and leaves the tree view as it was.
  void ParseFile(Text ProjectPath, Text FilePath);

  // The page of the selected node with every include expanded in place; empty when no page is
  // shown.
  Text GetCompleteFile();

  // Analyses a page and shows its tree only when the page or one of its includes stands in
  // column 1 of `asMatchFiles` (rows from 0), written as upper-cased full paths; otherwise the
  // tree is discarded. Failures other than not-found are raised unchanged.
  void DisplayIfDependant(Text ProjectPath, Text FilePath, const TextArray& asMatchFiles);

  // The critical errors and warnings of the page of the selected node; empty when none is shown.
  Text GetWarnings();

  // Deletes every shown tree and empties the tree view.
  void ClearTree();

  // Expand and collapse commands on the selected node (node 1 when none is selected);
  // ExpandWholeTree opens every node.
  void Expand();
  void Collapse();
  void ExpandWholeTree();
  void ExpandAll();
  void CollapseAll();

  // A plain-text drawing of every page shown, in the order they were added.
  Text TextTree();

  // Connects the host's event handlers (not owned; null disconnects).
  void Events(LintraEvents* handler) { events_ = handler; }

  // Builds the include tree of one page without showing it: creates the root, obtains its text
  // (a page the host cannot supply becomes a root flagged missing) and parses it. The caller
  // owns the tree. Errors of the analysis other than not-found come out unchanged.
  std::shared_ptr<File> AnalysePage(const Text& ProjectPath, const Text& FilePath);

  // The child components. Their state is the control's state; views mirror them and route the
  // user's actions (clicks, double-clicks, resizes) back through them.
  TreeView& tvLintra() { return tvLintra_; }
  Toolbar& tbrLintra() { return tbrLintra_; }
  const ImageList& imglTree() const { return imglTree_; }
  const ImageList& imglToolbar() const { return imglToolbar_; }
  UserControl& Container() { return userControl_; }

 private:
  // What ParseFile analyses, without showing it: the page's tree. Failures are raised as
  // ParseFile raises them.
  std::shared_ptr<File> ParseFileTree(const Text& ProjectPath, const Text& FilePath);

  // Raises GetFile (through GetSharedFile) for `FilePath` and returns the text the host supplied.
  // `FilePath` keeps what the host left in it. A non-zero nError raises RuntimeError: Abort when
  // the host answered exactly that, NotFound otherwise, source "Lintra.fsGetFile", description
  // "Could not find the file : " and the path. A handler that fails is reported; the user's answer
  // then decides: Retry raises the event again, as new (nError 0, no text); Ignore goes on with
  // nError and the text as the handler left them; Abort returns an empty text and raises nothing.
  std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) override;

  // Tree view display (LintraDisplay.cpp).
  void DisplayTree(const std::shared_ptr<File>& root);
  void DisplaySubNodes(Nodes& nodes, Node& parent, const std::shared_ptr<File>& file);
  Text fsGraphicName(File& file);

  // Expand and collapse (LintraExpand.cpp).
  std::shared_ptr<Node> foSelectedNode(TreeView& view);
  // The node a command acts on, found in steps of `trap`; nothing when the command has nothing to
  // do (an empty tree view) or was abandoned.
  std::optional<std::shared_ptr<Node>> CommandTarget(ErrorTrap& trap);
  // Sets the target and its whole subtree open or closed, reporting errors as `procedure`.
  void SetSubtree(const char16_t* procedure, bool state);
  bool fbExpandChildNodes(Node& node, bool state);
  void ExpandAllNodes(Node& node, bool state);

  // Toolbar, double-click, layout (LintraShell.cpp).
  void tbrLintra_ButtonClick(const Button& button);
  void ShowTextTree();
  void ShowCompleteFile();
  void ShowWarningsAndErrors();
  void tvLintra_DblClick();
  void UserControl_Resize();
  void UserControl_Terminate();

  // Page reports (LintraReports.cpp).
  // The page of the selected node, or null.
  std::shared_ptr<File> SelectedPage();

  LintraEvents* events_ = nullptr;
  bool toolbarVisible_ = false;
  TreeView tvLintra_;
  Toolbar tbrLintra_;
  ImageList imglTree_;
  ImageList imglToolbar_;
  UserControl userControl_;
};

}  // namespace lintra
