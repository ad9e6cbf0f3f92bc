// A real vsftpd (Debian's package, default TLS settings) on a loopback port for FTPS tests.
#pragma once

#include <sys/types.h>

#include <string>

#include "support/ftp_test_server.h"
#include "posting/ftp_client.h"

namespace drav::test {

// vsftpd logs in local users only, so the server runs as root with a throwaway local user
// whose home is Root(); the user is removed again by the destructor. Unavailable() says why
// this machine cannot run it (not root, or vsftpd not installed), or nothing when it can.
class VsftpdServer {
 public:
  static std::string Unavailable();

  VsftpdServer();
  ~VsftpdServer();
  VsftpdServer(const VsftpdServer&) = delete;
  VsftpdServer& operator=(const VsftpdServer&) = delete;

  // The login that reaches it over FTPS and trusts its certificate.
  FtpLogin Login() const { return login_; }
  const std::string& Root() const { return root_; }

 private:
  void Stop();
  TempDir dir_;  // config, certificate, the empty chroot directory and the user's home
  std::string root_;
  std::string user_;
  FtpLogin login_;
  pid_t pid_ = -1;
};

}  // namespace drav::test
