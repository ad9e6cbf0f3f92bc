#pragma once

#include <sys/types.h>

#include <string>

namespace drav::test {

// A real FTP server on 127.0.0.1 and a free port, for the lifetime of this object: started by
// the constructor (which throws std::runtime_error if it does not come up within a few
// seconds), stopped by the destructor, so a failing test stops it too. Files arrive under
// Root(), an empty temporary directory removed afterwards.
class FtpTestServer {
 public:
  struct Options {
    std::string user = "director";
    std::string password = "quiz bowl 42";
    // A STOR of a file whose name starts with this gets no reply at all.
    std::string stallPrefix;
  };

  FtpTestServer() : FtpTestServer(Options{}) {}
  explicit FtpTestServer(const Options& options);
  ~FtpTestServer();
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  int Port() const { return port_; }
  std::string HostAddress() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::string& Root() const { return root_; }
  const std::string& User() const { return options_.user; }
  const std::string& Password() const { return options_.password; }

 private:
  void Stop();

  Options options_;
  std::string root_;
  pid_t pid_ = -1;
  int stdinWrite_ = -1;
  int port_ = 0;
};

// A TCP port on 127.0.0.1 that accepts connections and never says a word.
class SilentTcpServer {
 public:
  SilentTcpServer();
  ~SilentTcpServer();
  SilentTcpServer(const SilentTcpServer&) = delete;
  SilentTcpServer& operator=(const SilentTcpServer&) = delete;
  int Port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens (bound and released just before).
int UnusedLocalPort();

}  // namespace drav::test
