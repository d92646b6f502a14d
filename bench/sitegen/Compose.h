#pragma once

#include <string>
#include <vector>

#include "sitegen/Filler.h"
#include "sitegen/Random.h"
#include "sitegen/Site.h"

namespace lintra {

// One directive to place in a file.
struct Link {
  int target;
  Directive kind;
};

// Writes `bytes` bytes of filler lines (a line more at most) into `file`, with the `links`, in
// their order, on lines of their own spread between them.
void Compose(Site& site, int file, const Filler& filler, Random& random, size_t bytes,
             const std::vector<Link>& links);

// A directive kind for a link: file or virtual about equally, sometimes a virtual without its
// leading "/".
Directive AnyKind(Random& random);

// A word for a folder or file name.
std::string NameWord(Random& random);

// A four-digit number, for file names.
std::string Number(int n);

}  // namespace lintra
