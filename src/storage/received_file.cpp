#include "storage/received_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/error.h"

namespace drav {

bool IsPlainName(std::string_view name) {
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

namespace {

// Closes the descriptor however the reading ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
  const DravError cannot("Cannot open " + path);
  if (!IsPlainName(path)) throw cannot;
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  Descriptor file{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) throw cannot;
  struct stat info {};
  if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) throw cannot;
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) throw cannot;
  std::string contents;
  contents.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw cannot;
    if (got == 0) break;
    contents.append(chunk, static_cast<std::size_t>(got));
    // The file may grow while it is read.
    if (contents.size() > maxBytes) throw cannot;
  }
  return contents;
}

}  // namespace drav
