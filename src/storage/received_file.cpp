#include "storage/received_file.h"

#include "model/error.h"
#include "platform/files.h"

namespace drav {

bool IsPlainName(std::string_view name) {
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

std::string ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
  const DravError cannot("Cannot open " + path);
  if (!IsPlainName(path)) throw cannot;
  std::string contents;
  if (!platform::ReadRegularFileNoFollow(path, maxBytes, contents)) throw cannot;
  return contents;
}

}  // namespace drav
