#include "analysis/File.h"

#include "analysis/Files.h"
#include "errors/modPendryError.h"

const Text& File::EmptyText() {
  static const Text empty;
  return empty;
}

void File::Delete() {
  ErrorTrap trap(u"File", u"Delete");
  if (!trap.Step([&] { Container(nullptr); })) return;
  if (!trap.Step([&] { BaseFile(nullptr); })) return;
  if (!trap.Step([&] { Parent(nullptr); })) return;
  if (!trap.Step([&] {
        for (const auto& child : *Includes()) child->Delete();
      })) {
    return;
  }
  trap.Step([&] { Includes()->entries_.clear(); });
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
    const Text path = text::Replace(value, u'\\', u'/');
    const size_t slash = path.rfind(u'/');
    if (slash == Text::npos) {
      name_ = path;
      path_.clear();
    } else {
      name_ = path.substr(slash + 1);
      path_ = path.substr(0, slash + 1);
    }
    upperFullPath_.reset();
  });
}

const Text& File::UpperFullPath() {
  if (!upperFullPath_) upperFullPath_ = std::make_unique<Text>(text::UCase(FullPath()));
  return *upperFullPath_;
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
