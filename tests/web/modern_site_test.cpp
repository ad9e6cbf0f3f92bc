#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/modern/addresses.h"
#include "web/modern/site.h"
#include "web_fixture.h"

namespace drav::modern {
namespace {

// The links made once per run are the links made on demand, for every team and player
// (exhibition team, players with and without a game log) and outside the lists too.
TEST(ModernSite, LinksMadeOnceAreTheLinksMadeEachTime) {
  const Tournament t = test::WebFixture();
  std::vector<std::vector<bool>> logs;
  for (int team = 0; team < t.TeamCount(); ++team) {
    logs.emplace_back();
    for (int player = 0; player < t.PlayerCount(team); ++player)
      logs.back().push_back((team + player) % 2 == 0);
  }
  Site site{t, "r", {}, false, {}, {}, AddressesOf(t), logs, "", {}, {}, {}, {}};
  std::vector<std::string> made;
  auto each = [&](auto link) {
    for (int team = -1; team <= t.TeamCount(); ++team)
      for (int player = -1; player <= t.PlayerCount(team) + 1; ++player) link(team, player);
  };
  each([&](int team, int player) {
    if (t.IsTeam(team) && player == -1) made.push_back(TeamLink(site, team));
    made.push_back(PlayerLink(site, team, player));
  });
  MakeLinks(site);
  std::size_t at = 0;
  each([&](int team, int player) {
    if (t.IsTeam(team) && player == -1) {
      EXPECT_EQ(TeamLink(site, team), made[at++]);
    }
    EXPECT_EQ(PlayerLink(site, team, player), made[at++]) << team << " " << player;
  });
}

// The key lists each abbreviation once, in page order, and skips a mark without a title.
TEST(ModernSite, KeyOfAPageListsEachAbbreviationOnce) {
  std::string page =
      "<h1>T</h1>\n<abbr title=\"Points\">Pts</abbr><abbr class=\"tag\">x</abbr>"
      "<abbr title=\"Points\">Pts</abbr><abbr class=\"tag\" title=\"Overtime\">OT</abbr>";
  ClosePage(page);
  EXPECT_EQ(page,
            "<h1>T</h1>\n<details class=\"keys\"><summary>Key to the columns and marks</summary>\n"
            "<dl class=\"key\">\n<dt>Pts</dt><dd>Points</dd>\n<dt>OT</dt><dd>Overtime</dd>\n"
            "</dl></details>\n<abbr title=\"Points\">Pts</abbr><abbr class=\"tag\">x</abbr>"
            "<abbr title=\"Points\">Pts</abbr><abbr class=\"tag\" title=\"Overtime\">OT</abbr>"
            "</main>\n</body>\n</html>\n");
}

}  // namespace
}  // namespace drav::modern
