#include "posting/host_key.h"

#include <fstream>

#include "model/error.h"
#include "platform/files.h"

namespace drav {
namespace {

constexpr std::uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

std::uint32_t RotateRight(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

void CompressBlock(std::uint32_t state[8], const std::uint8_t* block) {
  std::uint32_t w[64];
  for (int i = 0; i < 16; ++i)
    w[i] = (std::uint32_t{block[4 * i]} << 24) | (std::uint32_t{block[4 * i + 1]} << 16) |
           (std::uint32_t{block[4 * i + 2]} << 8) | std::uint32_t{block[4 * i + 3]};
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 =
        RotateRight(w[i - 15], 7) ^ RotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 =
        RotateRight(w[i - 2], 17) ^ RotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4], f = state[5],
                g = state[6], h = state[7];
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t s1 = RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25);
    const std::uint32_t choice = (e & f) ^ (~e & g);
    const std::uint32_t t1 = h + s1 + choice + kRoundConstants[i] + w[i];
    const std::uint32_t s0 = RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22);
    const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
    const std::uint32_t t2 = s0 + majority;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
  state[5] += f;
  state[6] += g;
  state[7] += h;
}

}  // namespace

std::array<std::uint8_t, 32> Sha256(std::string_view data) {
  std::uint32_t state[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::size_t whole = data.size() / 64 * 64;
  for (std::size_t at = 0; at < whole; at += 64)
    CompressBlock(state, reinterpret_cast<const std::uint8_t*>(data.data() + at));
  // The tail, the 0x80 marker and the 64-bit bit length fill one or two last blocks.
  std::uint8_t tail[128] = {};
  const std::size_t rest = data.size() - whole;
  for (std::size_t i = 0; i < rest; ++i) tail[i] = static_cast<std::uint8_t>(data[whole + i]);
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
  for (std::size_t at = 0; at < tailSize; at += 64) CompressBlock(state, tail + at);
  std::array<std::uint8_t, 32> digest{};
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 4; ++j)
      digest[static_cast<std::size_t>(4 * i + j)] =
          static_cast<std::uint8_t>(state[i] >> (24 - 8 * j));
  return digest;
}

std::string Base64(std::string_view data, bool padded) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < data.size(); i += 3) {
    const std::size_t n = data.size() - i < 3 ? data.size() - i : 3;
    std::uint32_t group = 0;
    for (std::size_t j = 0; j < 3; ++j)
      group = (group << 8) | (j < n ? static_cast<std::uint8_t>(data[i + j]) : 0u);
    for (std::size_t j = 0; j < 4; ++j) {
      if (j <= n)
        out.push_back(kAlphabet[(group >> (18 - 6 * j)) & 0x3F]);
      else if (padded)
        out.push_back('=');
    }
  }
  return out;
}

std::string HostKeyFingerprint(std::string_view keyBlob) {
  const auto digest = Sha256(keyBlob);
  return "SHA256:" +
         Base64(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()),
                false);
}

std::string HostKeyType(std::string_view keyBlob) {
  if (keyBlob.size() < 4) return {};
  std::uint64_t length = 0;
  for (int i = 0; i < 4; ++i) length = (length << 8) | static_cast<std::uint8_t>(keyBlob[i]);
  if (length == 0 || length > keyBlob.size() - 4) return {};
  std::string type(keyBlob.substr(4, static_cast<std::size_t>(length)));
  // A type name is printable ASCII without blanks; anything else would break the line.
  for (char c : type)
    if (c <= ' ' || c > '~') return {};
  return type;
}

std::string KnownHostLine(std::string_view host, int port, std::string_view keyBlob) {
  const std::string name =
      port == 22 ? std::string(host) : "[" + std::string(host) + "]:" + std::to_string(port);
  return name + " " + HostKeyType(keyBlob) + " " + Base64(keyBlob);
}

void AppendKnownHost(const std::string& path, std::string_view line) {
  // A file that does not end with a line break would glue the new entry onto its last line.
  bool needsBreak = false;
  {
    std::ifstream in(platform::PathFromUtf8(path), std::ios::binary | std::ios::ate);
    if (in && in.tellg() > 0) {
      in.seekg(-1, std::ios::end);
      char last = 0;
      in.get(last);
      needsBreak = last != '\n';
    }
  }
  std::ofstream out(platform::PathFromUtf8(path), std::ios::binary | std::ios::app);
  if (out) {
    if (needsBreak) out << '\n';
    out << line << '\n';
    out.flush();
  }
  if (!out) throw DravError("Cannot write " + path);
}

}  // namespace drav
