#include "analysis/File.h"

#include <algorithm>
#include <vector>

#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "errors/modPendryError.h"

namespace lintra {

const Text& File::EmptyText() {
  static const Text empty;
  return empty;
}

// Releases the children that this node alone owns from a walk rather than through their own
// destructors: each child's children are taken out before the child goes, so that no destructor
// runs more than one level deep however deep the tree is. A collection or node that someone else
// still holds is left whole to that holder.
File::~File() {
  struct Frame {
    Files::Entries children;
    size_t next = 0;
  };
  auto takeChildren = [](File& node) {
    Files::Entries children;
    if (node.includes_ && node.includes_.use_count() == 1) {
      children.swap(node.includes_->entries_);
    }
    return children;
  };
  Files::Entries children = takeChildren(*this);
  if (children.empty()) return;
  TreeWalk<Frame> walk;
  walk.Enter(std::move(children));
  walk.Run([&](Frame& top) {
    if (top.next == top.children.size()) return false;
    std::shared_ptr<File> child = std::move(top.children[top.next++]);
    if (child.use_count() == 1) walk.Enter(takeChildren(*child));
    return true;
  });
}

// Each node of the subtree is a frame with the error trap that its own Delete would have: a node
// clears its back references when it is reached, deletes its children first to last, and then
// empties its Includes.
void File::Delete() {
  struct Frame {
    File* node;
    ErrorTrap trap;
    std::shared_ptr<Files> includes = nullptr;
    size_t next = 0;
  };
  TreeWalk<Frame> walk;
  auto enter = [&walk](File& node) {
    Frame& frame = walk.Enter(&node, ErrorTrap(u"File", u"Delete"));
    const bool cleared = frame.trap.Step([&] { node.Container(nullptr); }) &&
                         frame.trap.Step([&] { node.BaseFile(nullptr); }) &&
                         frame.trap.Step([&] { node.Parent(nullptr); }) &&
                         frame.trap.Step([&] { frame.includes = node.Includes(); });
    if (!cleared) walk.Leave();
  };
  enter(*this);
  walk.Run([&](Frame& top) {
    if (top.includes && top.next < top.includes->size()) {
      enter(*(*top.includes)[top.next++]);
      return true;
    }
    top.trap.Step([&] { top.node->Includes()->entries_.clear(); });
    return false;
  });
}

void File::Container(const std::shared_ptr<Object>& value) {
  ErrorTrap trap(u"File", u"Container");
  trap.Step([&] {
    if (!value) {
      container_.reset();
      supply_ = nullptr;
      return;
    }
    auto* supply = dynamic_cast<FileSupply*>(value.get());
    if (!supply) RaisePlatformError(ErrorNumber::TypeMismatch);
    container_ = value;
    supply_ = supply;
  });
}

std::shared_ptr<Object> File::Container() {
  return container_.lock();
}

FileSupply* File::Supply() const {
  return container_.expired() ? nullptr : supply_;
}

std::shared_ptr<Files> File::Includes() {
  if (!includes_) includes_ = std::make_shared<Files>();
  return includes_;
}

void File::Includes(const std::shared_ptr<Files>& value) {
  includes_ = value;
}

void File::FullPath(const Text& value) {
  ErrorTrap trap(u"File", u"FullPath");
  trap.Step([&] {
    const size_t slash = text::FindLastSlash(value);
    const size_t split = slash == Text::npos ? 0 : slash + 1;
    name_.assign(value, split);
    path_.assign(value, 0, split);
    if (text::FindAscii(path_, 0, u'\\') != Text::npos) {
      std::replace(path_.begin(), path_.end(), u'\\', u'/');
    }
    KeepFullPath();
  });
}

void File::KeepFullPath() {
  fullPath_.clear();
  fullPath_.reserve(path_.size() + name_.size());
  fullPath_ += path_;
  fullPath_ += name_;
  fullPathHash_ = text::HashIgnoringCase(fullPath_);
}

std::shared_ptr<File> File::Parent() {
  return parent_.lock();
}

void File::Parent(const std::shared_ptr<File>& value) {
  parent_ = value;
}

std::shared_ptr<File> File::BaseFile() {
  return baseFile_.lock();
}

void File::BaseFile(const std::shared_ptr<File>& value) {
  baseFile_ = value;
}

File* File::Root() {
  if (rootFile_) return this;
  return baseFile_.lock().get();
}

}  // namespace lintra
