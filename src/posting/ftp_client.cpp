#include "posting/ftp_client.h"

namespace drav {
namespace {

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

bool IsIpv6Byte(char c) {
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' ||
         c == '.';
}

template <typename Pred>
bool AllOf(std::string_view text, Pred pred) {
  for (char c : text)
    if (!pred(c)) return false;
  return true;
}

std::optional<int> ParsePort(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + (c - '0');
  }
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<FtpEndpoint> ParseFtpHostAddress(std::string_view hostAddress, int defaultPort) {
  if (hostAddress.empty()) return std::nullopt;
  FtpEndpoint endpoint;
  endpoint.port = defaultPort;
  if (hostAddress.front() == '[') {
    const std::size_t close = hostAddress.find(']');
    if (close == std::string_view::npos || close < 2) return std::nullopt;
    const std::string_view address = hostAddress.substr(1, close - 1);
    if (!AllOf(address, IsIpv6Byte)) return std::nullopt;
    endpoint.host = std::string(address);
    const std::string_view rest = hostAddress.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      auto port = ParsePort(rest.substr(1));
      if (!port) return std::nullopt;
      endpoint.port = *port;
    }
    return endpoint;
  }
  const std::size_t colon = hostAddress.find(':');
  if (colon == std::string_view::npos) {
    if (!AllOf(hostAddress, IsNameByte)) return std::nullopt;
    endpoint.host = std::string(hostAddress);
    return endpoint;
  }
  if (hostAddress.find(':', colon + 1) != std::string_view::npos) {
    // More than one colon: a bare IPv6 address, which cannot carry a port.
    if (!AllOf(hostAddress, IsIpv6Byte)) return std::nullopt;
    endpoint.host = std::string(hostAddress);
    return endpoint;
  }
  const std::string_view host = hostAddress.substr(0, colon);
  if (host.empty() || !AllOf(host, IsNameByte)) return std::nullopt;
  auto port = ParsePort(hostAddress.substr(colon + 1));
  if (!port) return std::nullopt;
  endpoint.host = std::string(host);
  endpoint.port = *port;
  return endpoint;
}

bool IsSafeFtpArgument(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace drav
