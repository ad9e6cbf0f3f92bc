#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/extensions.h"

namespace drav {

// What a client needs to log in. hostAddress is "host" or "host:port" (port 21 without one,
// 22 for SFTP); an IPv6 address with a port is written "[addr]:port".
struct FtpLogin {
  std::string hostAddress;
  std::string userName;
  std::string password;
  PostProtocol protocol = PostProtocol::Ftp;
  std::string caFile{};          // FTPS: the certificates to trust; empty = the system's store
  std::string knownHostsFile{};  // SFTP: the trusted host keys (must be named)
};

// A host key an SFTP server offered that the known-hosts file does not hold.
struct RefusedHostKey {
  std::string fingerprint;    // "SHA256:" + unpadded base64, as ssh shows it
  std::string knownHostLine;  // the line that trusts it: "[host]:port type base64"
  bool changed = false;       // the file holds another key for this host
  bool operator==(const RefusedHostKey&) const = default;
};

struct FtpEndpoint {
  std::string host;  // IPv6 addresses without their brackets
  int port = 21;
  bool operator==(const FtpEndpoint&) const = default;
};

// Splits a host address into host and port. nullopt for an address that cannot name a
// server: empty, a port that is not 1..65535, or characters that would change the meaning
// of the address (blanks, control characters, '/', '@', '?', '#' and the like).
// Without a port in the address, defaultPort is used.
std::optional<FtpEndpoint> ParseFtpHostAddress(std::string_view hostAddress, int defaultPort = 21);

// True when text can be sent inside one FTP command line: no CR, LF, NUL or other control
// byte that would end the command early or start another.
bool IsSafeFtpArgument(std::string_view text);

// Called while a file is sent: bytes sent so far and the file's size. Returning false
// abandons the transfer (it then counts as failed).
using FtpTransferProgress = std::function<bool(std::uint64_t sent, std::uint64_t total)>;

// The few FTP operations posting needs. Every operation either succeeds or fails; after a
// failure LastError() tells why in the words of the server or the TLS/SSH layer, added to
// the step's fixed message. Transfers are passive and binary. Paths are sent as given,
// relative to the login directory unless they start with '/'.
class FtpClient {
 public:
  virtual ~FtpClient() = default;

  virtual bool Connect(const FtpLogin& login) = 0;
  virtual bool MakeDirectory(const std::string& remotePath) = 0;
  // Stores the local file under remotePath, replacing any file of that name. A local file
  // that cannot be read fails without touching the server.
  virtual bool StoreFile(const std::string& localPath, const std::string& remotePath,
                         const FtpTransferProgress& progress) = 0;
  virtual bool Disconnect() = 0;

  // While set, an operation in progress gives up as soon as the flag turns true.
  virtual void SetCancelFlag(const std::atomic<bool>* cancel) { (void)cancel; }

  // Why the last failed operation failed ("" when nothing is known). Never holds the
  // password.
  virtual std::string LastError() const { return {}; }
  // The host key the last Connect refused, if it refused one.
  virtual std::optional<RefusedHostKey> LastRefusedHostKey() const { return std::nullopt; }
};

}  // namespace drav
