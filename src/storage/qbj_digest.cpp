#include "storage/qbj_digest.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace drav {

namespace {

// FNV-1a: enough to tell two versions of a file apart; nobody gains by forging one.
class Fnv {
 public:
  void Add(std::string_view text) {
    for (const char c : text) Byte(static_cast<unsigned char>(c));
    Byte(0);  // "ab" + "c" differs from "a" + "bc"
  }
  void Add(long long v) {
    for (int i = 0; i < 8; ++i)
      Byte(static_cast<unsigned char>(static_cast<unsigned long long>(v) >> (8 * i)));
  }
  void Add(double v) {
    v += 0.0;  // -0 counts as 0
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Add(static_cast<long long>(bits));
  }
  template <typename T, std::size_t N>
  void Add(const std::array<T, N>& values) {
    for (const T& v : values)
      Add(static_cast<std::conditional_t<std::is_floating_point_v<T>, double, long long>>(v));
  }
  std::string Hex() const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 0; i < 16; ++i) out[i] = kDigits[(h_ >> (60 - 4 * i)) & 0xf];
    return out;
  }

 private:
  void Byte(unsigned char b) {
    h_ ^= b;
    h_ *= 1099511628211ull;
  }
  std::uint64_t h_ = 14695981039346656037ull;
};

}  // namespace

std::string QbjMatchDigest(const nlohmann::json& match) {
  Fnv f;
  f.Add(match.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  return f.Hex();
}

std::string GameDigest(const GameStats& g) {
  Fnv f;
  for (const int v : {g.TeamA, g.TeamB, g.ScoreA, g.ScoreB}) f.Add(static_cast<long long>(v));
  for (const auto* rows : {&g.PlayerA, &g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A, &g.PtsA, &g.PlayerB, &g.Q0B,
                           &g.Q1B, &g.Q2B, &g.Q3B, &g.PtsB})
    f.Add(*rows);
  f.Add(g.GPA);
  f.Add(g.GPB);
  for (const int v : {g.BHA, g.BPA, g.BHB, g.BPB, g.BncBkA, g.BncBkPtsA, g.BncBkB, g.BncBkPtsB,
                      g.SixtyA, g.SixtyB, g.TUH, g.Round, g.Forfeit, g.Overtime, g.OTA, g.OTB,
                      static_cast<int>(g.Tiebreaker), static_cast<int>(g.ScoreOnly)})
    f.Add(static_cast<long long>(v));
  f.Add(g.GID);
  return f.Hex();
}

}  // namespace drav
