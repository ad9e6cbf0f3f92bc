#include "posting/ftp_curl_client.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/files.h"
#include "posting/host_key.h"

namespace drav {
namespace {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// curl takes these limits in whole seconds; round up so that a limit never shrinks to 0,
// which would mean "no limit".
long WholeSeconds(std::chrono::milliseconds limit) {
  const auto ms = limit.count();
  return ms <= 0 ? 1 : static_cast<long>((ms + 999) / 1000);
}

// The remote path as a URL path. Every byte but the unreserved ones and inner '/' is
// escaped, so names with blanks, '#', '?' or '%' reach the server as typed; a leading '/'
// is escaped too, so that an absolute path stays absolute.
std::string EncodePath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '.' || c == '_' || c == '~' || (c == '/' && i > 0);
    if (keep) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0x0F]);
    }
  }
  return out;
}

size_t DiscardBody(char*, size_t size, size_t count, void*) {
  return size * count;
}

size_t ReadLocalFile(char* buffer, size_t size, size_t count, void* userdata) {
  auto* file = static_cast<std::FILE*>(userdata);
  const size_t got = std::fread(buffer, size, count, file);
  // A read error must not pass for the end of the file: that would store a truncated copy
  // and call it a success.
  if (got == 0 && std::ferror(file)) return CURL_READFUNC_ABORT;
  return got;
}

// SFTP quote commands take a path in double quotes, with '"' and '\\' escaped.
std::string QuotedSftpPath(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

}  // namespace

struct CurlFtpClient::Impl {
  FtpTimeLimits limits;
  CURL* handle = nullptr;
  std::string baseUrl;  // "ftp://host:port" or "sftp://host:port"
  bool sftp = false;
  FtpEndpoint endpoint;
  std::string password;  // kept only to keep it out of the reasons shown
  const std::atomic<bool>* cancel = nullptr;
  const FtpTransferProgress* progress = nullptr;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  std::string lastError;
  std::optional<RefusedHostKey> refusedKey;

  // Known keys pass; an unknown or changed key is refused, and what the director needs to
  // decide whether to trust it is kept.
  static int OnHostKey(CURL*, const curl_khkey* knownKey, const curl_khkey* foundKey,
                       curl_khmatch match, void* clientp) {
    auto* self = static_cast<Impl*>(clientp);
    if (match == CURLKHMATCH_OK) return CURLKHSTAT_FINE;
    if (foundKey && foundKey->key) {
      // libssh2 hands over the raw key blob with its length; a length of 0 means base64.
      const std::string_view blob =
          foundKey->len > 0 ? std::string_view(foundKey->key, foundKey->len) : std::string_view();
      if (!blob.empty())
        self->refusedKey = RefusedHostKey{
            HostKeyFingerprint(blob), KnownHostLine(self->endpoint.host, self->endpoint.port, blob),
            match == CURLKHMATCH_MISMATCH && knownKey != nullptr};
    }
    return CURLKHSTAT_REJECT;
  }

  void NoteFailure(CURLcode code) {
    if (refusedKey) {
      lastError = std::string(refusedKey->changed ? "the server's host key has changed"
                                                  : "unknown host key") +
                  " " + refusedKey->fingerprint;
    } else {
      lastError = errorBuffer[0] ? std::string(errorBuffer) : curl_easy_strerror(code);
    }
    while (!lastError.empty() && (lastError.back() == '\n' || lastError.back() == '\r'))
      lastError.pop_back();
    // A server may echo what it was sent; the password must never be shown.
    if (!password.empty())
      for (std::size_t at = lastError.find(password); at != std::string::npos;
           at = lastError.find(password))
        lastError.replace(at, password.size(), "***");
  }

  static int OnProgress(void* clientp, curl_off_t, curl_off_t, curl_off_t uploadTotal,
                        curl_off_t uploadNow) {
    auto* self = static_cast<Impl*>(clientp);
    if (self->cancel && self->cancel->load()) return 1;
    if (self->progress && *self->progress &&
        !(*self->progress)(static_cast<std::uint64_t>(uploadNow < 0 ? 0 : uploadNow),
                           static_cast<std::uint64_t>(uploadTotal < 0 ? 0 : uploadTotal)))
      return 1;
    return 0;
  }

  bool Perform(const std::string& url) {
    if (cancel && cancel->load()) {
      lastError = "cancelled";
      return false;
    }
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    errorBuffer[0] = '\0';
    const CURLcode code = curl_easy_perform(handle);
    if (code == CURLE_OK) return true;
    NoteFailure(code);
    return false;
  }

  bool Fail(const std::string& reason) {
    lastError = reason;
    return false;
  }

  // The URL of a remote path: SFTP paths are absolute, so a relative one starts from the
  // login (home) directory, which curl names "~".
  std::string UrlOf(const std::string& remotePath) const {
    if (sftp && (remotePath.empty() || remotePath.front() != '/'))
      return baseUrl + "/~/" + EncodePath(remotePath);
    // An SFTP URL's path is absolute already; FTP needs the leading '/' escaped.
    if (sftp) return baseUrl + "/" + EncodePath(remotePath.substr(1));
    return baseUrl + "/" + EncodePath(remotePath);
  }

  void Close() {
    if (handle) curl_easy_cleanup(handle);  // sends QUIT on a live connection
    handle = nullptr;
    baseUrl.clear();
    password.clear();
  }
};

CurlFtpClient::CurlFtpClient(FtpTimeLimits limits) : impl_(std::make_unique<Impl>()) {
  impl_->limits = limits;
}

CurlFtpClient::~CurlFtpClient() {
  impl_->Close();
}

void CurlFtpClient::SetCancelFlag(const std::atomic<bool>* cancel) {
  impl_->cancel = cancel;
}

bool CurlFtpClient::Connect(const FtpLogin& login) {
  impl_->Close();
  impl_->lastError.clear();
  impl_->refusedKey.reset();
  // A line break in the user name or password would let it smuggle further commands.
  if (!IsSafeFtpArgument(login.userName) || !IsSafeFtpArgument(login.password))
    return impl_->Fail("the user name or password holds a line break");
  const bool sftp = login.protocol == PostProtocol::Sftp;
  const auto endpoint = ParseFtpHostAddress(login.hostAddress, sftp ? 22 : 21);
  if (!endpoint) return impl_->Fail("the host address is not valid");
  // Without a known-hosts file curl would accept any host key.
  if (sftp && login.knownHostsFile.empty()) return impl_->Fail("no known-hosts file is named");

  InitCurlOnce();
  CURL* h = curl_easy_init();
  if (!h) return impl_->Fail("out of memory");
  impl_->handle = h;
  impl_->sftp = sftp;
  impl_->endpoint = *endpoint;
  impl_->password = login.password;
  const bool ipv6 = endpoint->host.find(':') != std::string::npos;
  impl_->baseUrl = std::string(sftp ? "sftp://" : "ftp://") +
                   (ipv6 ? "[" + endpoint->host + "]" : endpoint->host) + ":" +
                   std::to_string(endpoint->port);

  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, impl_->errorBuffer);
  // Credentials go through their own options, never into a URL that could be shown.
  curl_easy_setopt(h, CURLOPT_USERNAME, login.userName.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, login.password.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, sftp ? "sftp" : "ftp");
#else
  curl_easy_setopt(h, CURLOPT_PROTOCOLS, static_cast<long>(sftp ? CURLPROTO_SFTP : CURLPROTO_FTP));
#endif
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // may run off the main thread
  curl_easy_setopt(
      h, CURLOPT_CONNECTTIMEOUT_MS,
      static_cast<long>(impl_->limits.connect.count() > 0 ? impl_->limits.connect.count() : 1));
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, WholeSeconds(impl_->limits.response));
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, WholeSeconds(impl_->limits.stalledTransfer));
  curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
  curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(h, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
  if (sftp) {
    curl_easy_setopt(h, CURLOPT_SSH_AUTH_TYPES,
                     static_cast<long>(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
    curl_easy_setopt(h, CURLOPT_SSH_KNOWNHOSTS, login.knownHostsFile.c_str());
    curl_easy_setopt(h, CURLOPT_SSH_KEYFUNCTION, &Impl::OnHostKey);
    curl_easy_setopt(h, CURLOPT_SSH_KEYDATA, impl_.get());
  } else {
    // Paths are sent whole, as the user gave them, from the login directory.
    curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    // Passive mode; the address in the server's reply is ignored in favour of the one we
    // connected to, so a server cannot send the data connection elsewhere.
    curl_easy_setopt(h, CURLOPT_FTP_SKIP_PASV_IP, 1L);
  }
  if (login.protocol == PostProtocol::Ftps) {
    // Explicit TLS ("AUTH TLS") on the control and the data connections, or nothing at all:
    // the password must not go out in the clear.
    curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(h, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // TLS 1.2, no older and no newer. vsftpd, which many hosts run, requires the data
    // connection to resume the control connection's TLS session; under TLS 1.3 the session
    // ticket often arrives too late, and the upload fails with 522 or 426, leaving pages
    // missing. Every FTPS server speaks TLS 1.2.
    curl_easy_setopt(h, CURLOPT_SSLVERSION,
                     static_cast<long>(CURL_SSLVERSION_TLSv1_2) |
                         static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2));
    if (!login.caFile.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, login.caFile.c_str());
  }
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, DiscardBody);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Impl::OnProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, impl_.get());
  curl_easy_setopt(h, CURLOPT_NOBODY, 1L);

  if (!impl_->Perform(sftp ? impl_->baseUrl + "/~/" : impl_->baseUrl + "/")) {
    const std::string reason = impl_->lastError;
    impl_->Close();
    impl_->lastError = reason;
    return false;
  }
  return true;
}

bool CurlFtpClient::MakeDirectory(const std::string& remotePath) {
  if (!impl_->handle) return impl_->Fail("not connected");
  if (remotePath.empty() || !IsSafeFtpArgument(remotePath))
    return impl_->Fail("the directory name is not valid");
  const std::string command =
      impl_->sftp ? "mkdir " + QuotedSftpPath(remotePath) : "MKD " + remotePath;
  curl_slist* commands = curl_slist_append(nullptr, command.c_str());
  if (!commands) return impl_->Fail("out of memory");
  curl_easy_setopt(impl_->handle, CURLOPT_QUOTE, commands);
  const bool ok = impl_->Perform(impl_->UrlOf(""));
  curl_easy_setopt(impl_->handle, CURLOPT_QUOTE, static_cast<curl_slist*>(nullptr));
  curl_slist_free_all(commands);
  return ok;
}

bool CurlFtpClient::StoreFile(const std::string& localPath, const std::string& remotePath,
                              const FtpTransferProgress& progress) {
  if (!impl_->handle) return impl_->Fail("not connected");
  if (remotePath.empty() || remotePath.back() == '/' || !IsSafeFtpArgument(remotePath))
    return impl_->Fail("the file name is not valid");
  std::FILE* file = platform::OpenFile(localPath, "rb");
  if (!file) return impl_->Fail("cannot read " + localPath);
  curl_off_t size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long end = std::ftell(file);
    if (end >= 0) size = end;
  }
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return impl_->Fail("cannot read " + localPath);
  }

  CURL* h = impl_->handle;
  // NOBODY must be cleared before UPLOAD is set: clearing it afterwards resets the method.
  curl_easy_setopt(h, CURLOPT_NOBODY, 0L);
  curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(h, CURLOPT_READFUNCTION, ReadLocalFile);
  curl_easy_setopt(h, CURLOPT_READDATA, file);
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, size);
  impl_->progress = &progress;
  bool ok = impl_->Perform(impl_->UrlOf(remotePath));
  impl_->progress = nullptr;
  curl_easy_setopt(h, CURLOPT_UPLOAD, 0L);
  curl_easy_setopt(h, CURLOPT_READDATA, static_cast<void*>(nullptr));
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(-1));
  curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
  if (std::ferror(file)) ok = impl_->Fail("cannot read " + localPath);
  std::fclose(file);
  return ok;
}

bool CurlFtpClient::Disconnect() {
  if (!impl_->handle) return impl_->Fail("not connected");
  impl_->Close();
  return true;
}

std::string CurlFtpClient::LastError() const {
  return impl_->lastError;
}

std::optional<RefusedHostKey> CurlFtpClient::LastRefusedHostKey() const {
  return impl_->refusedKey;
}

}  // namespace drav
