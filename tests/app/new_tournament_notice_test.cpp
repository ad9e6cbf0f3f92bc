#include "app/new_tournament_notice.h"

#include <gtest/gtest.h>

namespace drav::app {
namespace {

TEST(NewTournamentNoticeTest, NamesWhatStaysAndWhatGoes) {
  struct Case {
    int teams, games;
    std::vector<std::string> packets;
    std::string file, notice;
  } cases[] = {
      {0, 0, {"P1"}, "a.dat", ""},
      {1,
       0,
       {},
       "",
       "New Tournament keeps the 1 team and 0 games of this tournament and sets "
       "every option to this window's values."},
      {8,
       28,
       {"A", "", "C"},
       "events\\fall.dat",
       "New Tournament keeps the 8 teams and 28 games of fall.dat, empties its 2 packet names "
       "and sets every option to this window's values. The file changes only when you save."},
  };
  for (const Case& c : cases) {
    Tournament t;
    t.Rosters.resize(c.teams);
    t.Games.resize(c.games);
    t.PacketNames = c.packets;
    t.FileName = c.file;
    EXPECT_EQ(NewTournamentNotice(t), c.notice) << c.teams;
  }
}

}  // namespace
}  // namespace drav::app
