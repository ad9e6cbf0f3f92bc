#include "web/pages.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/tournament.h"
#include "page_test_support.h"
#include "stats/player_stats.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"
#include "web_fixture.h"

namespace drav {
namespace {

using test::CountOf;
using test::HasLine;
using test::MakeGame;
using test::SetRow;

Tournament TwoTeams() {
  Tournament t;
  t.Format.TUHeard = 1;
  t.Format.PowNeg = 1;
  t.Format.TrackBonuses = 1;
  t.Format.AllRounds = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Ash", "Al", "Ann"}, {"Birch", "Bea"}};
  t.TeamDivision = {-1, -1};
  t.ExhibitionTeam = {0, 0};
  return t;
}

std::string Scoreboard(const Tournament& t) {
  std::string page;
  WriteScoreboardPage(page, t, "b");
  return page;
}

std::string Rounds(const Tournament& t) {
  std::string page;
  WriteRoundReportPage(page, t, "b");
  return page;
}

std::string TeamDetail(const Tournament& t) {
  std::string page;
  WriteTeamDetailPage(page, t, ComputeTeamStats(t), ComputePlayerStats(t), "b");
  return page;
}

std::string PlayerDetail(const Tournament& t) {
  std::string page;
  WriteIndividualDetailPage(page, t, ComputePlayerStats(t), "b");
  return page;
}

std::string Standings(const Tournament& t) {
  TeamTables tables = ComputeStandings(t);
  std::string page;
  WriteTeamStandingsPage(page, t, tables.TeamStats, "b");
  return page;
}

// ---- Scoreboard ----

TEST(ScoreboardPage, ForfeitShowsOnlyTheForfeitLineEvenWithScores) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 1, 0, 300, 10);
  g.Forfeit = 1;
  SetRow(g, true, 0, 0, 1, 2, 0, 0, 30);
  t.Games.push_back(g);
  const std::string page = Scoreboard(t);
  EXPECT_NE(page.find("<FONT SIZE=+1>Birch defeats Ash by forfeit</H2>\r\n<P></FONT>\r\n</BODY>"),
            std::string::npos);
  EXPECT_EQ(page.find("Bea"), std::string::npos);
}

TEST(ScoreboardPage, PlayerRowsListCountsOfUsedSlotsAndSkipRowsWithoutGamesPlayed) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 0, 1, 250, 200);
  SetRow(g, true, 0, 0, 1, 1, 2, 1, 30);
  SetRow(g, true, 1, 1, 0, 5, 5, 5, 100);  // games played 0: left out
  SetRow(g, false, 2, 0, 1, 0, 1, 0, 10);
  t.Games.push_back(g);
  const std::string page = Scoreboard(t);
  EXPECT_TRUE(HasLine(page, "Ash: Al 1 2 1 30<br>"));
  EXPECT_TRUE(HasLine(page, "Birch: Bea 0 1 0 10<br>"));
}

TEST(ScoreboardPage, RowWithoutPlayerNamesTheTeamAndRowPastTheListNamesNothing) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 0, 1, 250, 200);
  SetRow(g, true, 0, -1, 1, 0, 1, 0, 10);
  SetRow(g, true, 1, 2, 1, 0, 1, 0, 10);  // Ash has two players: entry 3 is past the list
  t.Games.push_back(g);
  EXPECT_TRUE(HasLine(Scoreboard(t), "Ash: Ash 0 1 0 10,  0 1 0 10<br>"));
}

TEST(ScoreboardPage, SelectedRoundsStartTheHeadingsAtTheFirstSelectedRound) {
  Tournament t = TwoTeams();
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = 3;
  t.Format.RoundsMax = 4;
  t.Format.RoundReports = 1;
  for (int round : {1, 2, 4, 5}) t.Games.push_back(MakeGame("g", round, 0, 1, 100, 90));
  const std::string page = Scoreboard(t);
  EXPECT_TRUE(HasLine(page, "<FONT SIZE=+1 COLOR=red>Round 3</FONT><P>"));
  EXPECT_NE(page.find("<hr><FONT SIZE=+1 COLOR=red>Round 4</FONT><P><FONT SIZE=+1>Ash 100"),
            std::string::npos);
  EXPECT_EQ(CountOf(page, "<FONT SIZE=+1>Ash"), 1);
}

TEST(ScoreboardPage, ExtremeRoundsAndIndexesStayInBounds) {
  Tournament t = TwoTeams();
  t.Format.RoundReports = 1;
  t.PacketNames = {"P1"};
  t.Games.push_back(MakeGame("a", INT_MIN, 0, 1, 10, 20));
  GameStats g = MakeGame("b", INT_MAX, 0, 7, 10, 20);
  SetRow(g, true, 0, INT_MAX, 1, 1, 0, 0, 15);
  SetRow(g, false, 0, INT_MIN, 1, 1, 0, 0, 15);
  t.Games.push_back(g);
  const std::string page = Scoreboard(t);
  EXPECT_TRUE(HasLine(page, "<FONT SIZE=+1 COLOR=red>Round -2147483648 (Packet: P1)</FONT><P>"));
  EXPECT_NE(page.find("<hr><FONT SIZE=+1 COLOR=red>Round 2147483647</FONT><P>"), std::string::npos);
  EXPECT_TRUE(HasLine(page, "Ash:  1 0 0 15<br>"));
}

TEST(ScoreboardPage, NoGamesGiveTheFrameAlone) {
  Tournament t = TwoTeams();
  t.Format.RoundReports = 1;
  const std::string page = Scoreboard(t);
  EXPECT_NE(page.find("<H1> Scoreboard</H1><P>\r\n</BODY>\r\n</HTML>\r\n"), std::string::npos);
}

// ---- Round report ----

TEST(RoundReportPage, AveragesPointsOverTeamGames) {
  Tournament t = TwoTeams();
  t.Games.push_back(MakeGame("1", 1, 0, 1, 200, 150));
  t.Games.push_back(MakeGame("2", 1, 1, 0, 300, 100));
  EXPECT_TRUE(HasLine(Rounds(t), "  <td>187.50</td>"));
}

TEST(RoundReportPage, NegativeRoundReplacesTheTable) {
  Tournament t = TwoTeams();
  t.Games.push_back(MakeGame("1", 1, 0, 1, 200, 150));
  GameStats forfeit = MakeGame("2", -1, 0, 1, 0, 0);
  forfeit.Forfeit = 1;
  t.Games.push_back(forfeit);
  const std::string page = Rounds(t);
  EXPECT_NE(page.find("<P>\r\nInvalid round numbers\r\n</BODY>"), std::string::npos);
  EXPECT_EQ(page.find("<table border=1"), std::string::npos);
}

TEST(RoundReportPage, PacketsCountFromTheLowestRoundAndHugeRoundsNeedNoTable) {
  Tournament t = TwoTeams();
  t.PacketNames = {"A", "B", "C"};
  for (int round : {5, 3, 4, 6, 2000000000}) t.Games.push_back(MakeGame("g", round, 0, 1, 10, 10));
  const std::string page = Rounds(t);
  for (const char* label : {"A", "B", "C", "6", "2000000000"})
    EXPECT_TRUE(HasLine(page, std::string("  <td>") + label + "</td>")) << label;
  EXPECT_LT(page.find("<td>A</td>"), page.find("<td>C</td>"));
}

TEST(RoundReportPage, ForfeitsAreLeftOutButSetTheLowestRound) {
  Tournament t = TwoTeams();
  t.PacketNames = {"first", "second"};
  GameStats forfeit = MakeGame("1", 1, 0, 1, 0, 0);
  forfeit.Forfeit = 1;
  t.Games.push_back(forfeit);
  t.Games.push_back(MakeGame("2", 2, 0, 1, 100, 100));
  const std::string page = Rounds(t);
  EXPECT_FALSE(HasLine(page, "  <td>first</td>"));
  EXPECT_TRUE(HasLine(page, "  <td>second</td>"));
}

TEST(RoundReportPage, NoGamesGiveTheHeaderRowAlone) {
  Tournament t = TwoTeams();
  const std::string page = Rounds(t);
  EXPECT_EQ(CountOf(page, "<tr>"), 2);  // navigation bar and the header row
}

// ---- Team detail ----

TEST(TeamDetailPage, PacketColumnUsesRoundMinusOneWithinTheList) {
  Tournament t = TwoTeams();
  t.Format.RoundReports = 1;
  t.PacketNames = {"one", "two", "three <3>"};
  for (int round : {3, 0, 4, INT_MIN}) t.Games.push_back(MakeGame("g", round, 0, 1, 10, 20));
  const std::string page = TeamDetail(t);
  EXPECT_EQ(CountOf(page, "  <td ALIGN=LEFT>three &lt;3&gt;</td>"), 2);  // once per team
  EXPECT_EQ(CountOf(page, "  <td ALIGN=LEFT> </td>"), 2 * (3 + 1));      // 3 games + total row
}

TEST(TeamDetailPage, ToleratesStatisticsListsShorterThanTheTeams) {
  Tournament t = TwoTeams();
  t.Games.push_back(MakeGame("1", 1, 0, 1, 200, 150));
  std::string page;
  WriteTeamDetailPage(page, t, {}, {}, "b");
  EXPECT_TRUE(HasLine(page, "  <td ALIGN=RIGHT><B>0</B></td>"));
  EXPECT_EQ(CountOf(page, "<A NAME=t"), 2);
}

TEST(TeamDetailPage, ForfeitRowsHaveThreeCells) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 0, 1, 0, 0);
  g.Forfeit = 1;
  t.Games.push_back(g);
  const std::string page = TeamDetail(t);
  EXPECT_NE(page.find("<tr>\r\n  <td ALIGN=LEFT>Birch</td>\r\n  <td ALIGN=RIGHT>W</td>\r\n"
                      "  <td ALIGN=RIGHT>Forfeit</td>\r\n</tr>"),
            std::string::npos);
  EXPECT_NE(page.find("<tr>\r\n  <td ALIGN=LEFT>Ash</td>\r\n  <td ALIGN=RIGHT>L</td>\r\n"
                      "  <td ALIGN=RIGHT>Forfeit</td>\r\n</tr>"),
            std::string::npos);
}

// ---- Individual detail ----

TEST(IndividualDetailPage, ForfeitsAndBlankScoresNeverShow) {
  Tournament t = TwoTeams();
  GameStats forfeit = MakeGame("1", 1, 0, 1, 100, 0);
  forfeit.Forfeit = 1;
  SetRow(forfeit, true, 0, 0, 1, 1, 0, 0, 15);
  GameStats blank = MakeGame("2", 1, 1, 0, -1, 100);
  SetRow(blank, false, 0, 0, 1, 1, 0, 0, 15);
  GameStats played = MakeGame("3", 2, 0, 1, 100, 50);
  SetRow(played, true, 0, 0, 1, 0, 1, 0, 10);
  t.Games = {forfeit, blank, played};
  const std::string page = PlayerDetail(t);
  EXPECT_EQ(CountOf(page, "  <td ALIGN=LEFT>Birch</td>"), 1);
  EXPECT_EQ(page.find("NAME=p2_0"), std::string::npos);  // Ann never played
}

TEST(IndividualDetailPage, ExtremePlayerIndexesMatchNobody) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 0, 1, 100, 50);
  SetRow(g, true, 0, INT_MAX, 1, 1, 0, 0, 15);
  SetRow(g, true, 1, INT_MIN, 1, 1, 0, 0, 15);
  t.Games.push_back(g);
  const std::string page = PlayerDetail(t);
  EXPECT_EQ(page.find("<A NAME=p1_0"), std::string::npos);
}

// ---- Team standings ----

TEST(TeamStandingsPage, WinsIncludeForfeitWins) {
  Tournament t = TwoTeams();
  for (int i = 0; i < 3; ++i) {
    GameStats g = MakeGame("f", 1, 0, 1, 0, 0);
    g.Forfeit = 1;
    t.Games.push_back(g);
  }
  t.Games.push_back(MakeGame("a", 2, 0, 1, 200, 100));
  t.Games.push_back(MakeGame("b", 2, 1, 0, 100, 200));
  const std::string page = Standings(t);
  EXPECT_NE(page.find("Ash</A></td>\r\n  <td ALIGN=RIGHT>5</td>"), std::string::npos);
}

TEST(TeamStandingsPage, DivisionsWithoutNamesLeaveTheBodyEmpty) {
  Tournament t = TwoTeams();
  t.Format.Divisions = 1;
  t.Games.push_back(MakeGame("a", 2, 0, 1, 200, 100));
  EXPECT_NE(Standings(t).find("Team Standings</H1><P>\r\n</BODY>"), std::string::npos);
}

TEST(TeamStandingsPage, WithoutTeamDetailNamesArePlainAndTeamsWithoutGamesTakeNoRank) {
  Tournament t = TwoTeams();
  t.Format.TeamDetail = 0;
  t.Rosters.insert(t.Rosters.begin(), {"Idle"});
  t.TeamDivision.push_back(-1);
  t.ExhibitionTeam.push_back(0);
  t.Games.push_back(MakeGame("a", 2, 1, 2, 200, 100));
  const std::string page = Standings(t);
  EXPECT_NE(page.find("<tr>\r\n  <td ALIGN=LEFT>1</td>\r\n  <td ALIGN=LEFT>\r\nAsh</td>"),
            std::string::npos);
  EXPECT_NE(page.find("<tr>\r\n  <td ALIGN=LEFT>2</td>\r\n  <td ALIGN=LEFT>\r\nBirch</td>"),
            std::string::npos);
  EXPECT_EQ(page.find("Idle"), std::string::npos);
}

// ---- Individual standings ----

TEST(IndividualStandingsPage, DivisionCellIsBlankForUnknownDivisions) {
  Tournament t = TwoTeams();
  t.Format.Divisions = 1;
  t.DivisionNames = {"Only"};
  t.TeamDivision = {0, 7};
  GameStats g = MakeGame("1", 1, 0, 1, 100, 50);
  SetRow(g, true, 0, 0, 0.25, 1, 0, 0, 15);
  SetRow(g, false, 0, 0, 1, 0, 1, 0, 10);
  t.Games.push_back(g);
  std::vector<Individuals> players = ComputePlayerStats(t);
  SortPlayerStats(t, players);
  std::string page;
  WriteIndividualStandingsPage(page, t, players, "b");
  EXPECT_NE(page.find("Al</A></td>\r\n  <td ALIGN=LEFT>Ash</td>\r\n  <td ALIGN=LEFT>Only</td>\r\n"
                      "  <td ALIGN=RIGHT>0.2</td>"),
            std::string::npos);
  EXPECT_NE(page.find("Bea</A></td>\r\n  <td ALIGN=LEFT>Birch</td>\r\n  <td ALIGN=LEFT> </td>"),
            std::string::npos);
  EXPECT_NE(page.find("<A HREF=b_playerdetail.html#p1_0>Al</A>"), std::string::npos);
}

// ---- Stat key ----

TEST(StatKeyPage, SettingsChooseTheRows) {
  Tournament t;
  t.Format.SortCriterion = 3;
  t.QuestionValues = {20, 10, 0, -5};
  std::string page;
  WriteStatKeyPage(page, t, "b");
  EXPECT_NE(
      page.find("<td>Mrg</td>\r\n<td>Team's average margin of victory (if positive) or defeat "
                "(if negative)</td>\r\n</tr>\r\n<tr>\r\n<td>SoS</td>"),
      std::string::npos);
  EXPECT_EQ(CountOf(page, "<td>20 10 -5 </td>"), 4);
  // Every tracking switch off: no optional rows, the five fixed scoreboard lines only.
  EXPECT_EQ(page.find("<td>TUH</td>"), std::string::npos);
  EXPECT_EQ(page.find("<td>BHrd</td>"), std::string::npos);
  EXPECT_EQ(page.find("The next line"), std::string::npos);
  EXPECT_TRUE(HasLine(
      page, "last number after each name is the individual's total points for the game.  "));
}

TEST(StatKeyPage, BritishStyleRewordsOnlyWhereTheSectionsSaySo) {
  Tournament t;
  t.Format.BritishStyle = 1;
  t.Format.TUHeard = 1;
  t.QuestionValues = {15, 10, -5, 0};
  std::string page;
  WriteStatKeyPage(page, t, "b");
  EXPECT_EQ(CountOf(page, "<td>Number of starters answered"),
            2);  // team standings, individual detail
  EXPECT_EQ(CountOf(page, "<td>Number of toss-ups answered"),
            2);  // individual standings, team detail
  EXPECT_TRUE(HasLine(page, "<td>TUPts/TUH.</td>"));
  EXPECT_EQ(CountOf(page, "<td>SH</td>"), 4);
}

TEST(TiebreakerMark, ScoreboardAndDetailPagesNameTheGameATiebreaker) {
  Tournament t = TwoTeams();
  GameStats g = MakeGame("1", 1, 0, 1, 200, 150);
  SetRow(g, true, 0, 0, 1, 2, 0, 0, 30);
  t.Games.push_back(g);  // an ordinary game, so both teams have a detail table
  g.GID = "2";
  g.Tiebreaker = true;
  t.Games.push_back(g);
  EXPECT_NE(Scoreboard(t).find("Ash 200, Birch 150 (tiebreaker)</FONT>"), std::string::npos);
  EXPECT_NE(TeamDetail(t).find("<td ALIGN=LEFT>Birch (tiebreaker)</td>"), std::string::npos);
  EXPECT_NE(PlayerDetail(t).find("<td ALIGN=LEFT>Birch (tiebreaker)</td>"), std::string::npos);
  t.Games[1].Forfeit = 1;
  EXPECT_NE(Scoreboard(t).find("Ash defeats Birch by forfeit (tiebreaker)</H2>"),
            std::string::npos);
}

}  // namespace
}  // namespace drav
