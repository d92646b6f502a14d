#include "analysis/SourceText.h"

#include "analysis/File.h"

const std::vector<SourceText::Directive>& SourceText::Directives() const {
  if (!directives_) {
    directives_ = std::make_unique<std::vector<Directive>>(File::ParseClientCode(text_));
  }
  return *directives_;
}
