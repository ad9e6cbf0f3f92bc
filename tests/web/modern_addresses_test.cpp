#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "web/modern/addresses.h"

namespace drav::modern {
namespace {

TEST(PageSlug, NamesFromReceivedFilesBecomePlainSafeWords) {
  const struct {
    std::string name, slug;
  } cases[] = {
      {"Riverside A", "riverside-a"},
      {"St. Brendan's", "st-brendans"},
      {"St Brendan\xE2\x80\x99s", "st-brendans"},
      {"Alpha & Omega", "alpha-and-omega"},
      {"A&M", "a-and-m"},
      {"Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m", "zoe-angstrom"},
      {"Stra\xC3\x9F"
       "e \xC3\x86sir \xC5\x81\xC3\xB3\xC5\xBA",
       "strasse-aesir-loz"},
      {"Caf\xE9", "cafe"},                           // Windows-1252 from an older file
      {"Jose\xCC\x81", "jose"},                      // a combining accent
      {"\xD0\x9C\xD0\xBE\xD1\x81", "u41cu43eu441"},  // other scripts by their codes
      {"  --Lead--  ", "lead"},
      {"../../etc/passwd", "etc-passwd"},
      {"..\\..\\boot.ini", "boot-ini"},
      {"a/b\\c:d*e?f\"g<h>i|j", "a-b-c-d-e-f-g-h-i-j"},
      {"CON", "team-con"},
      {"nul", "team-nul"},
      {"Com1", "team-com1"},
      {"lpt9", "team-lpt9"},
      {"com10", "com10"},
      {"", "team"},
      {"!!! ...", "team"},
      {"\t\r\n\x01", "team"},
  };
  for (const auto& c : cases) EXPECT_EQ(Slug(c.name, "team"), c.slug) << c.name;
}

TEST(PageSlug, LongNamesAreCutAtAWordWithinTheLimit) {
  const std::string words = Slug(std::string(30, 'a') + " " + std::string(30, 'b'), "team");
  EXPECT_EQ(words, std::string(30, 'a'));
  const std::string one = Slug(std::string(500, 'x'), "team");
  EXPECT_EQ(one, std::string(kSlugLimit, 'x'));
  const std::string wide = Slug(std::string(100, '\xE4'), "team");  // cp1252 a-umlaut
  EXPECT_LE(wide.size(), kSlugLimit);
  EXPECT_NE(wide.back(), '-');
}

// name -> address, for a list of names.
std::map<std::string, std::string> AddressOfName(const std::vector<std::string>& names) {
  std::map<std::string, std::string> out;
  const std::vector<std::string> slugs = DistinctSlugs(names, "team");
  for (std::size_t i = 0; i < names.size(); ++i) out[names[i]] = slugs[i];
  return out;
}

TEST(PageAddressesOf, AnAddressStaysWhenOtherTeamsAreSortedAddedOrDeleted) {
  const std::vector<std::string> names = {"Riverside A", "Lakeview",      "RIVERSIDE-A",
                                          "riverside a", "Riverside A 2", "Cedar"};
  const auto before = AddressOfName(names);
  EXPECT_EQ(before.at("RIVERSIDE-A"), "riverside-a");    // first by its bytes
  EXPECT_EQ(before.at("Riverside A"), "riverside-a-3");  // -2 is another team's own
  EXPECT_EQ(before.at("riverside a"), "riverside-a-4");
  EXPECT_EQ(before.at("Riverside A 2"), "riverside-a-2");

  std::vector<std::string> sorted = names;
  std::reverse(sorted.begin(), sorted.end());
  EXPECT_EQ(AddressOfName(sorted), before);
  std::vector<std::string> changed = {"Cedar",       "Riverside A",  "Maple Grove", "RIVERSIDE-A",
                                      "riverside a", "Riverside A 2"};  // Lakeview gone
  auto after = AddressOfName(changed);
  EXPECT_EQ(after.at("Maple Grove"), "maple-grove");
  after.erase("Maple Grove");
  auto kept = before;
  kept.erase("Lakeview");
  EXPECT_EQ(after, kept);
  // Identical names: told apart by their places, the only thing that differs.
  EXPECT_EQ(DistinctSlugs({"Ash", "Ash", "Ash"}, "team"),
            (std::vector<std::string>{"ash", "ash-2", "ash-3"}));
}

TEST(PageAddressesOf, PlayersAreNamedWithinTheirTeam) {
  Tournament t;
  t.Rosters = {{"Ash", "Jo Lee", "Jo Lee", "Kim"}, {"Birch", "Jo Lee"}, {"", ""}};
  const PageAddresses a = AddressesOf(t);
  EXPECT_EQ(a.teams, (std::vector<std::string>{"ash", "birch", "team"}));
  EXPECT_EQ(a.players[0], (std::vector<std::string>{"jo-lee", "jo-lee-2", "kim"}));
  EXPECT_EQ(a.players[1], (std::vector<std::string>{"jo-lee"}));
  EXPECT_EQ(a.players[2], (std::vector<std::string>{"player"}));
}

}  // namespace
}  // namespace drav::modern
