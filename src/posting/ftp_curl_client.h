#pragma once

#include <chrono>
#include <memory>

#include "posting/ftp_client.h"

namespace drav {

// Time limits, so that a server that accepts the connection and then stays silent cannot
// hang the program: each one ends the step it belongs to as a failure.
struct FtpTimeLimits {
  // Reaching the server, its greeting and the login.
  std::chrono::milliseconds connect{15000};
  // Any later reply of the server (directory creation, the start and end of a transfer).
  std::chrono::milliseconds response{15000};
  // A transfer that moves less than one byte per second for this long.
  std::chrono::milliseconds stalledTransfer{30000};
};

// FtpClient over libcurl, for plain FTP, FTPS (explicit TLS) and SFTP. One control connection is kept from Connect to Disconnect (it is
// opened again transparently if the server drops it). Safe to use from any one thread at a
// time; separate clients may run on separate threads.
class CurlFtpClient : public FtpClient {
 public:
  explicit CurlFtpClient(FtpTimeLimits limits = {});
  ~CurlFtpClient() override;
  CurlFtpClient(const CurlFtpClient&) = delete;
  CurlFtpClient& operator=(const CurlFtpClient&) = delete;

  bool Connect(const FtpLogin& login) override;
  bool MakeDirectory(const std::string& remotePath) override;
  bool StoreFile(const std::string& localPath, const std::string& remotePath,
                 const FtpTransferProgress& progress) override;
  bool Disconnect() override;
  void SetCancelFlag(const std::atomic<bool>* cancel) override;
  std::string LastError() const override;
  std::optional<RefusedHostKey> LastRefusedHostKey() const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace drav
