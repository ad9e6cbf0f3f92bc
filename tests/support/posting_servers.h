#pragma once

#include <memory>
#include <string>

#include "support/ftp_test_server.h"
#include "posting/ftp_client.h"

namespace drav::test {

// A local server of any posting protocol, with the login that reaches and trusts it: the
// FTPS server's certificate as the CA file, the SFTP server's host key in a known-hosts file
// of its own.
class PostingServer {
 public:
  explicit PostingServer(PostProtocol protocol);
  FtpLogin Login() const { return login_; }
  const std::string& Root() const;
  std::string HostAddress() const { return login_.hostAddress; }

 private:
  std::unique_ptr<FtpTestServer> ftp_;
  std::unique_ptr<SftpTestServer> sftp_;
  TempDir keys_;
  FtpLogin login_;
};

std::string ProtocolName(PostProtocol protocol);

}  // namespace drav::test
