#include "web/modern/addresses.h"

#include <algorithm>
#include <map>
#include <set>

#include "model/text_codec.h"

namespace drav::modern {

namespace {

// Latin-1 letters U+00C0..U+00FF without their marks; "" separates words (x and divide).
constexpr const char* kLatin1[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// Latin Extended-A, U+0100..U+017F: runs of letters sharing one base letter.
struct Run {
  char32_t last;
  const char* base;
};
constexpr Run kExtendedA[] = {
    {0x105, "a"}, {0x10D, "c"},  {0x111, "d"}, {0x11B, "e"}, {0x123, "g"}, {0x127, "h"},
    {0x131, "i"}, {0x133, "ij"}, {0x135, "j"}, {0x138, "k"}, {0x142, "l"}, {0x14B, "n"},
    {0x151, "o"}, {0x153, "oe"}, {0x159, "r"}, {0x161, "s"}, {0x167, "t"}, {0x173, "u"},
    {0x175, "w"}, {0x178, "y"},  {0x17E, "z"}, {0x17F, "s"}};

// What a character adds to the current word; nullptr: it ends the word.
const char* Folded(char32_t c, std::string& scratch) {
  if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
    scratch.assign(1, static_cast<char>(c));
    return scratch.c_str();
  }
  if (c >= 'A' && c <= 'Z') {
    scratch.assign(1, static_cast<char>(c - 'A' + 'a'));
    return scratch.c_str();
  }
  // Apostrophes (' and the typographic one) and combining marks join the word.
  if (c == '\'' || c == 0x2019 || (c >= 0x300 && c <= 0x36F)) return "";
  if (c >= 0xC0 && c <= 0xFF) return *kLatin1[c - 0xC0] ? kLatin1[c - 0xC0] : nullptr;
  if (c >= 0x100 && c <= 0x17F) {
    for (const Run& r : kExtendedA)
      if (c <= r.last) return r.base;
  }
  // Spaces, punctuation and symbols of the Latin-1 and general punctuation blocks, and
  // every other character below U+0180, separate words.
  if (c < 0x180 || (c >= 0x2000 && c <= 0x206F) || c == 0x3000 || c == 0xFEFF) return nullptr;
  // Any other letter: its code, so that names in other scripts stay apart.
  static constexpr char kHex[] = "0123456789abcdef";
  scratch = "u";
  std::string digits;
  for (char32_t v = c; v != 0; v >>= 4) digits.insert(digits.begin(), kHex[v & 0xF]);
  scratch += digits;
  return scratch.c_str();
}

bool IsReservedDeviceName(const std::string& s) {
  static const std::set<std::string> kNames = {"con", "prn", "aux", "nul"};
  if (kNames.count(s)) return true;
  return s.size() == 4 && (s.compare(0, 3, "com") == 0 || s.compare(0, 3, "lpt") == 0) &&
         s[3] >= '1' && s[3] <= '9';
}

}  // namespace

std::string Slug(std::string_view name, std::string_view fallback) {
  std::string out;
  std::string scratch;
  bool pendingDash = false;
  for (char32_t c : DecodeName(name)) {
    const char* piece = c == '&' ? "and" : Folded(c, scratch);
    if (c == '&') pendingDash = true;
    if (!piece) {
      pendingDash = true;
      continue;
    }
    if (!*piece) continue;
    if (pendingDash && !out.empty()) out += '-';
    pendingDash = c == '&';
    out += piece;
  }
  if (out.size() > kSlugLimit) {
    // Cut at a word's end when one is near enough.
    const std::size_t dash = out.rfind('-', kSlugLimit);
    out.resize(dash != std::string::npos && dash >= kSlugLimit / 2 ? dash : kSlugLimit);
  }
  if (out.empty()) return std::string(fallback);
  if (IsReservedDeviceName(out)) return std::string(fallback) + "-" + out;
  return out;
}

std::vector<std::string> DistinctSlugs(const std::vector<std::string>& names,
                                       std::string_view fallback) {
  std::vector<std::string> slugs;
  slugs.reserve(names.size());
  for (const std::string& n : names) slugs.push_back(Slug(n, fallback));
  // The names of each slug, in the order of their bytes, then of their place in the list.
  std::map<std::string, std::vector<std::size_t>> groups;
  for (std::size_t i = 0; i < names.size(); ++i) groups[slugs[i]].push_back(i);
  std::set<std::string> taken;
  for (const auto& [slug, members] : groups) taken.insert(slug);
  for (auto& [slug, members] : groups) {
    if (members.size() < 2) continue;
    std::stable_sort(members.begin(), members.end(),
                     [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
    int number = 2;
    for (std::size_t m = 1; m < members.size(); ++m) {
      std::string candidate;
      do candidate = slug + "-" + std::to_string(number++);
      while (taken.count(candidate));
      taken.insert(candidate);
      slugs[members[m]] = std::move(candidate);
    }
  }
  return slugs;
}

PageAddresses AddressesOf(const Tournament& t) {
  PageAddresses out;
  std::vector<std::string> teamNames;
  for (int team = 0; team < t.TeamCount(); ++team) teamNames.push_back(t.TeamName(team));
  out.teams = DistinctSlugs(teamNames, "team");
  for (int team = 0; team < t.TeamCount(); ++team) {
    std::vector<std::string> names;
    for (int p = 0; p < t.PlayerCount(team); ++p) names.push_back(t.PlayerName(team, p));
    out.players.push_back(DistinctSlugs(names, "player"));
  }
  return out;
}

}  // namespace drav::modern
