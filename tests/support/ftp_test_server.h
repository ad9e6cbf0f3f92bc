#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace drav::test {

// One of the Python test servers, running for the lifetime of this object: started by the
// constructor (which throws std::runtime_error if it does not come up within a few seconds),
// stopped by the destructor, so a failing test stops it too.
class ServerProcess {
 public:
  ServerProcess(const std::string& script, std::vector<std::string> args, const std::string& user,
                const std::string& password);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  // What the server printed first (its port, and for SFTP its host key).
  const std::string& FirstLine() const { return firstLine_; }

 private:
  void Stop();
  pid_t pid_ = -1;
  int stdinWrite_ = -1;
  std::string firstLine_;
};

// An empty temporary directory, removed with everything in it afterwards.
struct TempDir {
  TempDir() : path(MakeTempDir()) {}
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string path;
};

// A real FTP (or FTPS) server on 127.0.0.1 and a free port. Files arrive under Root().
class FtpTestServer {
 public:
  struct Options {
    std::string user = "director";
    std::string password = "quiz bowl 42";
    // A STOR of a file whose name starts with this gets no reply at all.
    std::string stallPrefix;
    // Every upload stops after its first block: the server reads nothing more.
    bool throttle = false;
    // FTPS: explicit TLS required, with a fresh self-signed certificate (CertFile()).
    bool tls = false;
  };

  FtpTestServer() : FtpTestServer(Options{}) {}
  explicit FtpTestServer(const Options& options);
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  int Port() const { return port_; }
  std::string HostAddress() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::string& Root() const { return root_.path; }
  const std::string& User() const { return options_.user; }
  const std::string& Password() const { return options_.password; }
  // The server's certificate (PEM), to trust it; only with tls.
  const std::string& CertFile() const { return certFile_; }

 private:
  Options options_;
  TempDir root_;
  TempDir certDir_;
  std::string certFile_;
  ServerProcess process_;
  int port_ = 0;
};

// A real SFTP server on 127.0.0.1 and a free port, with a fresh ed25519 host key.
class SftpTestServer {
 public:
  struct Options {
    std::string user = "director";
    std::string password = "quiz bowl 42";
    // Writes to a file whose name starts with this are never answered.
    std::string stallPrefix;
  };

  SftpTestServer() : SftpTestServer(Options{}) {}
  explicit SftpTestServer(const Options& options);
  SftpTestServer(const SftpTestServer&) = delete;
  SftpTestServer& operator=(const SftpTestServer&) = delete;

  int Port() const { return port_; }
  std::string HostAddress() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::string& Root() const { return root_.path; }
  const std::string& User() const { return options_.user; }
  const std::string& Password() const { return options_.password; }
  // "SHA256:..." as ssh shows it, and the known-hosts line that trusts the key.
  const std::string& Fingerprint() const { return fingerprint_; }
  const std::string& KnownHostLine() const { return knownHostLine_; }

 private:
  Options options_;
  TempDir root_;
  ServerProcess process_;
  int port_ = 0;
  std::string fingerprint_;
  std::string knownHostLine_;
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
