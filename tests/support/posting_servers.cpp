#include "support/posting_servers.h"

namespace drav::test {

PostingServer::PostingServer(PostProtocol protocol) {
  login_.protocol = protocol;
  if (protocol == PostProtocol::Sftp) {
    sftp_ = std::make_unique<SftpTestServer>();
    login_.hostAddress = sftp_->HostAddress();
    login_.userName = sftp_->User();
    login_.password = sftp_->Password();
    login_.knownHostsFile = keys_.path + "/known_hosts";
    WriteFile(login_.knownHostsFile, sftp_->KnownHostLine() + "\n");
    return;
  }
  FtpTestServer::Options options;
  options.tls = protocol == PostProtocol::Ftps;
  ftp_ = std::make_unique<FtpTestServer>(options);
  login_.hostAddress = ftp_->HostAddress();
  login_.userName = ftp_->User();
  login_.password = ftp_->Password();
  if (options.tls) login_.caFile = ftp_->CertFile();
}

const std::string& PostingServer::Root() const {
  return sftp_ ? sftp_->Root() : ftp_->Root();
}

std::string ProtocolName(PostProtocol protocol) {
  switch (protocol) {
    case PostProtocol::Ftp:
      return "Ftp";
    case PostProtocol::Ftps:
      return "Ftps";
    case PostProtocol::Sftp:
      return "Sftp";
  }
  return "Unknown";
}

}  // namespace drav::test
