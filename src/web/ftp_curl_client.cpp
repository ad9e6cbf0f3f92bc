#include "web/ftp_curl_client.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

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

}  // namespace

struct CurlFtpClient::Impl {
  FtpTimeLimits limits;
  CURL* handle = nullptr;
  std::string baseUrl;  // "ftp://host:port"
  const std::atomic<bool>* cancel = nullptr;
  const FtpTransferProgress* progress = nullptr;

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
    if (cancel && cancel->load()) return false;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    return curl_easy_perform(handle) == CURLE_OK;
  }

  void Close() {
    if (handle) curl_easy_cleanup(handle);  // sends QUIT on a live connection
    handle = nullptr;
    baseUrl.clear();
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
  // A line break in the user name or password would let it smuggle further commands.
  if (!IsSafeFtpArgument(login.userName) || !IsSafeFtpArgument(login.password)) return false;
  const auto endpoint = ParseFtpHostAddress(login.hostAddress);
  if (!endpoint) return false;

  InitCurlOnce();
  CURL* h = curl_easy_init();
  if (!h) return false;
  impl_->handle = h;
  const bool ipv6 = endpoint->host.find(':') != std::string::npos;
  impl_->baseUrl = "ftp://" + (ipv6 ? "[" + endpoint->host + "]" : endpoint->host) + ":" +
                   std::to_string(endpoint->port);

  // Credentials go through their own options, never into a URL that could be shown.
  curl_easy_setopt(h, CURLOPT_USERNAME, login.userName.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, login.password.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
#else
  curl_easy_setopt(h, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_FTP));
#endif
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // may run off the main thread
  curl_easy_setopt(
      h, CURLOPT_CONNECTTIMEOUT_MS,
      static_cast<long>(impl_->limits.connect.count() > 0 ? impl_->limits.connect.count() : 1));
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, WholeSeconds(impl_->limits.response));
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, WholeSeconds(impl_->limits.stalledTransfer));
  curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
  // Paths are sent whole, as the user gave them, from the login directory.
  curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(h, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
  // Passive mode; the address in the server's reply is ignored in favour of the one we
  // connected to, so a server cannot send the data connection elsewhere.
  curl_easy_setopt(h, CURLOPT_FTP_SKIP_PASV_IP, 1L);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, DiscardBody);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Impl::OnProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, impl_.get());
  curl_easy_setopt(h, CURLOPT_NOBODY, 1L);

  if (!impl_->Perform(impl_->baseUrl + "/")) {
    impl_->Close();
    return false;
  }
  return true;
}

bool CurlFtpClient::MakeDirectory(const std::string& remotePath) {
  if (!impl_->handle || remotePath.empty() || !IsSafeFtpArgument(remotePath)) return false;
  curl_slist* commands = curl_slist_append(nullptr, ("MKD " + remotePath).c_str());
  if (!commands) return false;
  curl_easy_setopt(impl_->handle, CURLOPT_QUOTE, commands);
  const bool ok = impl_->Perform(impl_->baseUrl + "/");
  curl_easy_setopt(impl_->handle, CURLOPT_QUOTE, static_cast<curl_slist*>(nullptr));
  curl_slist_free_all(commands);
  return ok;
}

bool CurlFtpClient::StoreFile(const std::string& localPath, const std::string& remotePath,
                              const FtpTransferProgress& progress) {
  if (!impl_->handle || remotePath.empty() || remotePath.back() == '/' ||
      !IsSafeFtpArgument(remotePath))
    return false;
  std::FILE* file = std::fopen(localPath.c_str(), "rb");
  if (!file) return false;
  curl_off_t size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long end = std::ftell(file);
    if (end >= 0) size = end;
  }
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return false;
  }

  CURL* h = impl_->handle;
  // NOBODY must be cleared before UPLOAD is set: clearing it afterwards resets the method.
  curl_easy_setopt(h, CURLOPT_NOBODY, 0L);
  curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(h, CURLOPT_READFUNCTION, ReadLocalFile);
  curl_easy_setopt(h, CURLOPT_READDATA, file);
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, size);
  impl_->progress = &progress;
  bool ok = impl_->Perform(impl_->baseUrl + "/" + EncodePath(remotePath));
  impl_->progress = nullptr;
  curl_easy_setopt(h, CURLOPT_UPLOAD, 0L);
  curl_easy_setopt(h, CURLOPT_READDATA, static_cast<void*>(nullptr));
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(-1));
  curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
  if (std::ferror(file)) ok = false;
  std::fclose(file);
  return ok;
}

bool CurlFtpClient::Disconnect() {
  if (!impl_->handle) return false;
  impl_->Close();
  return true;
}

}  // namespace drav
