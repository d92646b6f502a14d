#include "analysis/File.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"
#include "platform/MessageBox.h"

namespace lintra {

Lintra::Lintra() {
  for (const char16_t* key : {u"ASPFile", u"IncludeFile", u"ASPFileWarning", u"IncludeFileWarning",
                              u"ASPFileCritical", u"IncludeFileCritical"}) {
    imglTree_.Add(key);
  }
  for (int picture = 1; picture <= 7; ++picture) imglToolbar_.Add(Text());
  using Kind = Button::Kind;
  tbrLintra_.Add(u"CollapseAll", u"Collapse All", Kind::PushButton, 1);
  tbrLintra_.Add(u"Collapse", u"Collapse", Kind::PushButton, 2);
  tbrLintra_.Add(u"Expand", u"Expand", Kind::PushButton, 3);
  tbrLintra_.Add(u"ExpandAll", u"Expand All", Kind::PushButton, 4);
  tbrLintra_.Add(Text(), Text(), Kind::Separator, 0);
  tbrLintra_.Add(u"ShowTree", u"Show Text Tree", Kind::PushButton, 6);
  tbrLintra_.Add(u"ShowComplete", u"Show Complete File", Kind::PushButton, 5);
  tbrLintra_.Add(u"ShowWarnings", u"Show Warnings and Errors", Kind::PushButton, 7);
  tbrLintra_.OnButtonClick = [this](const Button& button) { tbrLintra_ButtonClick(button); };
  tvLintra_.OnDblClick = [this] { tvLintra_DblClick(); };
  userControl_.OnResize = [this] { UserControl_Resize(); };
}

Lintra::~Lintra() {
  tbrLintra_.OnButtonClick = nullptr;
  tvLintra_.OnDblClick = nullptr;
  userControl_.OnResize = nullptr;
  UserControl_Terminate();
}

void Lintra::tbrLintra_ButtonClick(const Button& button) {
  ErrorTrap trap(u"Lintra", u"tbrLintra_ButtonClick");
  trap.Step([&] {
    const Text& key = button.Key;
    if (key == u"CollapseAll") {
      CollapseAll();
    } else if (key == u"Collapse") {
      Collapse();
    } else if (key == u"Expand") {
      Expand();
    } else if (key == u"ExpandAll") {
      ExpandAll();
    } else if (key == u"ShowTree") {
      ShowTextTree();
    } else if (key == u"ShowComplete") {
      ShowCompleteFile();
    } else if (key == u"ShowWarnings") {
      ShowWarningsAndErrors();
    }
  });
}

void Lintra::ShowTextTree() {
  Text report = TextTree();
  if (events_) events_->DisplayText(report);
}

void Lintra::ShowCompleteFile() {
  Text report = GetCompleteFile();
  if (events_) events_->DisplayText(report);
}

void Lintra::ShowWarningsAndErrors() {
  Text report = GetWarnings();
  if (events_) events_->DisplayText(report);
}

// Opens the double-clicked node (never closes it) and asks the host to show its file, or tells
// the user that the file could not be found.
void Lintra::tvLintra_DblClick() {
  ErrorTrap trap(u"Lintra", u"tvLintra_DblClick");
  std::shared_ptr<Node> node;
  if (!trap.Step([&] { node = foSelectedNode(tvLintra_); }) || !node) return;
  std::shared_ptr<File> file;
  if (!trap.Step([&] { file = control::FileOf(*node); })) return;
  if (!trap.Step([&] {
        if (!node->Expanded()) node->Expanded(true);
      })) {
    return;
  }
  trap.Step([&] {
    File& shown = control::Deref(file);
    if (shown.MissingFile()) {
      MessageBox::Show(u"Error : Couldn't find the file " + shown.Name(),
                       MessageBox::OKOnly + MessageBox::Exclamation, u"Corvane");
    } else if (events_) {
      events_->DisplayFile(shown.FullPath());
    }
  });
}

// The toolbar, when shown, keeps the top edge; the tree view fills the rest.
void Lintra::UserControl_Resize() {
  ErrorTrap trap(u"Lintra", u"UserControl_Resize");
  const float width = userControl_.ScaleWidth();
  const float height = userControl_.ScaleHeight();
  if (!trap.Step([&] { tvLintra_.Left(0); })) return;
  if (!trap.Step([&] { tvLintra_.Width(width); })) return;
  if (toolbarVisible_) {
    if (!trap.Step([&] { tbrLintra_.Visible(true); })) return;
    const float toolbarHeight = tbrLintra_.Height();
    if (!trap.Step([&] { tvLintra_.Top(toolbarHeight); })) return;
    trap.Step([&] { tvLintra_.Height(height - toolbarHeight); });
  } else {
    if (!trap.Step([&] { tbrLintra_.Visible(false); })) return;
    if (!trap.Step([&] { tvLintra_.Top(0); })) return;
    trap.Step([&] { tvLintra_.Height(height); });
  }
}

void Lintra::UserControl_Terminate() {
  ClearTree();
}

}  // namespace lintra
