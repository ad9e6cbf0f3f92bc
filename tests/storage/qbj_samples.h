#pragma once

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "support/cli_runner.h"

namespace drav::test {

// The shared QBJ samples are kept zipped beside the checkout and are not copied into the
// repository: this unzips one (once per test program) with Debian's unzip and returns
// the path of the unzipped file, or "" when the sample or unzip is not available.
inline std::string UnzippedQbjSample(const std::string& name) {
  static std::map<std::string, std::string> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  std::string result;
  const std::string zip = std::string(DRAV_SHARED_DIR) + "/qbj/" + name + ".zip";
  if (std::filesystem::exists(zip)) {
    const std::string out = MakeTempDir() + "/" + name;
    const std::string command = "unzip -p '" + zip + "' '" + name + "' > '" + out + "' 2>/dev/null";
    std::error_code ec;
    if (std::system(command.c_str()) == 0 && std::filesystem::file_size(out, ec) > 0 && !ec) result = out;
  }
  cache.emplace(name, result);
  return result;
}

}  // namespace drav::test
