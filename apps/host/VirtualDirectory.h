#pragma once

#include <filesystem>
#include <string>

namespace lintra {

// A web folder that the server serves from a folder of its own choosing, as IIS serves a virtual
// directory: "/shared" from "../shared".
struct VirtualDirectory {
  // The web folder's name below the site root, without slashes ("shared").
  std::string name;
  // The folder it is served from; a relative one is relative to the project root.
  std::filesystem::path folder;
};

}  // namespace lintra
