// What the modern pages say in particular cases: scores, figures, one stage's report,
// keyboard access and the files beside the pages.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "page_test_support.h"
#include "stats/quickprint.h"
#include "support/cli_runner.h"
#include "web/modern/modern_report.h"
#include "web/stage_report.h"
#include "web/web_report.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMinus = "\xE2\x88\x92";
constexpr const char* kDash = "\xE2\x80\xAF\xE2\x80\x93\xE2\x80\xAF";  // en dash, set off

class ModernPagesTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(Tournament t) {
    t.Extras.Report = ReportStyle::Modern;
    ASSERT_TRUE(WriteWebReport(t, dir_ + "/x").empty());
  }
  std::string Page(const std::string& suffix) const { return test::ReadFile(dir_ + "/x" + suffix); }
  bool Has(const std::string& suffix, const std::string& text) const {
    return Page(suffix).find(text) != std::string::npos;
  }
  std::string dir_;
};

// Two teams, a rout in which the loser ends below zero.
Tournament Rout() {
  Tournament t;
  t.Format.AllRounds = 1;
  t.QuestionValues = {10, -5, 0, 0};
  t.Rosters = {{"Ash", "A1"}, {"Birch", "B1"}};
  t.Games = {test::MakeGame("1", 1, 0, 1, 675, -5)};
  test::SetRow(t.Games[0], true, 0, 0, 1, 5, 0, 0, 50);
  test::SetRow(t.Games[0], false, 0, 0, 1, 0, 1, 0, -5);
  return t;
}

TEST_F(ModernPagesTest, NegativeScoresShowATrueMinusSignApartFromTheDash) {
  Write(Rout());
  const std::string rout = std::string("675") + kDash + kMinus + "5";
  const std::string loss = std::string(kMinus) + "5" + kDash + "675";
  EXPECT_TRUE(Has("_team_ash.html", "\">" + rout + "</a>"));  // the game's row
  EXPECT_TRUE(Has("_team_ash.html", "<td class=l>" + rout));  // the totals
  EXPECT_TRUE(Has("_team_birch.html", "\">" + loss + "</a>"));
  EXPECT_TRUE(Has("_games_r1.html", std::string("Birch</a> ") + kMinus + "5</h2>"));
  EXPECT_TRUE(Has("_games_r1.html", std::string("Birch ") + kMinus + "5</caption>"));
  for (const char* page : {"_team_ash.html", "_team_birch.html", "_games_r1.html"})
    EXPECT_FALSE(Has(page, "\xE2\x80\x93-")) << page;
}

// Fractional games played whose sum rounds one way added in the stored order (0.05 + 0.05 +
// 0.75 = 0.8499...) and the other way in round order (0.8500...1).
TEST_F(ModernPagesTest, GamesPlayedIsQuickPrintsFigureOnEveryPage) {
  Tournament t;
  t.Format.AllRounds = 1;
  t.QuestionValues = {10, -5, 0, 0};
  t.Rosters = {{"Ash", "Al"}, {"Birch", "Bo"}};
  t.Extras.Stages = {{"Pools", 1, 3, false, {}}};
  const double gp[] = {0.05, 0.05, 0.75};
  for (int i = 0; i < 3; ++i) {
    t.Games.push_back(test::MakeGame(std::to_string(i), 3 - i, 0, 1, 100, 50));
    test::SetRow(t.Games.back(), true, 0, 0, gp[i], 1, 0, 0, 10);
    test::SetRow(t.Games.back(), false, 0, 0, 1, 1, 0, 0, 10);
  }
  bool found = false;
  for (const std::string& line : PlayerStandingsLines(t))
    if (line.find("Al ") != std::string::npos) found = line.find(" 0.8 ") != std::string::npos;
  ASSERT_TRUE(found);
  Write(t);
  for (const char* page : {"_individuals.html", "_individuals_s1.html", "_team_ash.html"}) {
    const std::string text = Page(page);
    const std::size_t row =
        text.find("Al</a>") != std::string::npos ? text.find("Al</a>") : text.find(">Al<td>");
    ASSERT_NE(row, std::string::npos) << page;
    EXPECT_NE(text.find("<td>0.8<", row), std::string::npos) << page;
    EXPECT_EQ(text.find("<td>0.9<", row), std::string::npos) << page;
  }
}

TEST_F(ModernPagesTest, OneStagesReportCoversThatStagesTeamsOnly) {
  Tournament t;
  t.Format.TourneyName = "Open";
  t.Format.AllRounds = 1;
  t.QuestionValues = {10, -5, 0, 0};
  t.Rosters = {{"Ash", "A1"}, {"Birch", "B1"}, {"Cedar", "C1"}, {"Dune", "D1"}};
  t.Extras.Report = ReportStyle::Modern;
  t.Extras.Stages = {{"Pools", 1, 2, false, {}}, {"Final", 3, 3, false, {{"Top", {0, 1}}}}};
  t.Games = {test::MakeGame("1", 1, 0, 2, 200, 100), test::MakeGame("2", 1, 1, 3, 200, 100),
             test::MakeGame("3", 2, 0, 3, 200, 100), test::MakeGame("4", 3, 0, 1, 300, 250)};
  for (GameStats& g : t.Games) test::SetRow(g, true, 0, 0, 1, 1, 0, 0, 10);
  ASSERT_TRUE(WriteStageWebReport(t, 1, dir_ + "/x").empty());
  for (const char* page :
       {"_team_ash.html", "_team_birch.html", "_standings.html", "_games_r3.html"})
    EXPECT_TRUE(fs::exists(dir_ + "/x" + page)) << page;
  // No pages for the teams that stopped earlier, nor for the stages inside the stage.
  for (const char* page : {"_team_cedar.html", "_team_dune.html", "_standings_s1.html",
                           "_final.html", "_games_r1.html"})
    EXPECT_FALSE(fs::exists(dir_ + "/x" + page)) << page;
  const std::string name = "Open Final (round 3)";
  EXPECT_TRUE(Has("_index.html", "<title>" + name + "</title>"));
  EXPECT_TRUE(Has("_index.html", ">2 teams, 1 game, round 3</p>"));
  EXPECT_FALSE(Has("_index.html", "Cedar"));
  EXPECT_TRUE(Has("_standings.html", "<title>Team standings \xE2\x80\x93 " + name + "</title>"));
  EXPECT_TRUE(Has("_standings.html", "<h2>Top</h2>"));
  EXPECT_FALSE(Has("_standings.html", "No games yet"));
}

TEST_F(ModernPagesTest, EveryTableBoxIsReachableByKeyboardAndNamed) {
  Tournament t = test::WebFixture();
  t.Extras.Stages = {{"Prelims", 0, 2, false, {{"Pool A", {0, 1, 2}}}}, {"Finals", 3, 5, true, {}}};
  Write(t);
  int boxes = 0;
  for (const auto& e : fs::directory_iterator(dir_)) {
    const std::string page = test::ReadFile(e.path().string());
    for (std::size_t at = page.find("<div class=\"tw\""); at != std::string::npos;
         at = page.find("<div class=\"tw\"", at + 1), ++boxes) {
      const std::string tag = page.substr(at, page.find('>', at) - at);
      EXPECT_NE(tag.find(" tabindex=\"0\" role=\"region\" aria-label=\""), std::string::npos)
          << e.path().filename() << ": " << tag;
      EXPECT_EQ(tag.find("aria-label=\"\""), std::string::npos) << e.path().filename();
    }
  }
  EXPECT_GT(boxes, 20);
  // A team's name in a box score's label is escaped like every name.
  EXPECT_TRUE(Has("_games_r2.html", "aria-label=\"&lt;script&gt;x&lt;/script&gt;\""));
}

TEST_F(ModernPagesTest, PagesLinkTheProgramsIconWrittenBesideThem) {
  Tournament t = Rout();
  t.Extras.Report = ReportStyle::Modern;
  bool listed = false;
  for (const ReportFile& f : WebReportFiles(t)) listed = listed || f.Suffix == "_icon.png";
  EXPECT_TRUE(listed);  // so Post to Web uploads it
  Write(t);
  EXPECT_EQ(Page("_icon.png"), test::ReadFile(DRAV_TEST_DATA_DIR "/../../data/icons/drav-32.png"));
  for (const char* page : {"_index.html", "_team_ash.html", "_games_r1.html"})
    EXPECT_TRUE(Has(page, "<link rel=\"icon\" type=\"image/png\" href=\"x_icon.png\">")) << page;
}

TEST_F(ModernPagesTest, EachPageKeysItsColumnsUnderItsHeadingForPhones) {
  Write(test::WebFixture());
  const std::string team = Page("_team_alpha-and-omega.html");
  const std::size_t heading = team.find("</h1>\n");
  ASSERT_NE(heading, std::string::npos);
  EXPECT_EQ(team.find("<details class=\"keys\">"), heading + 6);
  // Each head once, with the explanation of its first table; marks explained too.
  EXPECT_NE(team.find("<dt>PPG</dt><dd>Average number of points scored by the team in a "
                      "game</dd>"),
            std::string::npos);
  EXPECT_EQ(test::CountOf(team, "<dt>TUH</dt>"), 1);
  EXPECT_NE(team.find("<dt>exh</dt><dd>Exhibition team</dd>"), std::string::npos);
  EXPECT_NE(Page("_games_r1.html").find("<dt>OT</dt><dd>Overtime</dd>"), std::string::npos);
  EXPECT_EQ(Page("_statkey.html").find("<details"), std::string::npos);
}

TEST_F(ModernPagesTest, TeamPagesChartTheirScoresAndStandingsPlotTeamsWhenBonusesAreKept) {
  Tournament t = test::WebFixture();
  Write(t);
  EXPECT_TRUE(Has("_team_alpha-and-omega.html", "<figure class=chart><figcaption>Points by round"));
  EXPECT_FALSE(Has("_team_idle.html", "Points by round"));  // played no game
  EXPECT_TRUE(Has("_standings.html",
                  "<a href=\"x_team_alpha-and-omega.html\" aria-label=\"Alpha &amp; Omega: "));
  t.Format.TrackBonuses = 0;
  Write(t);
  EXPECT_FALSE(Has("_standings.html", "<figure"));
}

TEST_F(ModernPagesTest, LongIndividualStandingsComeInPagesOfPlacesThatPostToWebUploads) {
  Tournament t;
  t.Format.AllRounds = 1;
  t.QuestionValues = {10, 0, 0, 0};
  for (int team = 0; team < 32; ++team) {
    t.Rosters.push_back({"T" + std::to_string(team)});
    for (int p = 0; p < kRows; ++p) t.Rosters.back().push_back("P" + std::to_string(team * 10 + p));
  }
  for (int game = 0; game < 16; ++game) {
    t.Games.push_back(test::MakeGame(std::to_string(game), 1, 2 * game, 2 * game + 1, 80, 80));
    for (int row = 0; row < kRows; ++row)
      for (bool sideA : {true, false})
        test::SetRow(t.Games.back(), sideA, row, row, 1, 1, 0, 0, 10);
  }
  t.Extras.Report = ReportStyle::Modern;
  Write(t);  // 256 players: places 1-250, then 251-256
  const std::string first = Page("_individuals.html"), second = Page("_individuals_p2.html");
  EXPECT_EQ(test::CountOf(first, "<tr><td>"), 250);
  EXPECT_EQ(test::CountOf(second, "<tr><td>"), 6);
  EXPECT_NE(second.find("<tr><td>1="), std::string::npos);  // all share the place
  EXPECT_NE(first.find("<a href=\"x_individuals_p2.html\">251\xE2\x80\x93"
                       "256</a>"),
            std::string::npos);
  EXPECT_NE(second.find("aria-current=\"page\">251\xE2\x80\x93"
                        "256</a>"),
            std::string::npos);
  bool listed = false;
  for (const ReportFile& f : WebReportFiles(t))
    listed = listed || f.Suffix == "_individuals_p2.html";
  EXPECT_TRUE(listed);
}

// A fixed writing time for the pages, by the variable reproducible builds use.
void FixReportTime(const char* seconds) {
#ifdef _WIN32
  _putenv_s("SOURCE_DATE_EPOCH", seconds);
#else
  setenv("SOURCE_DATE_EPOCH", seconds, 1);
#endif
}

TEST_F(ModernPagesTest, TheWayInLeadsToTheChampionScorersAndSearch) {
  Tournament t = test::WebFixture();
  t.Extras.Stages = {{"Prelims", 0, 2, false, {{"Pool A", {0, 1, 2}}}},
                     {"Finals", 3, 5, false, {{"Top", {0, 1, 2, 3}}}}};
  FixReportTime("1796812920");
  Write(t);
  FixReportTime("");
  const std::string index = Page("_index.html");
  EXPECT_TRUE(Has("_index.html", "Updated 9 December 2026, 10:42</p>"));
  const std::size_t ranking = index.find("<h2>Final ranking</h2>");
  ASSERT_NE(ranking, std::string::npos);
  // A champion only once the tournament is marked finished: the top may be a prelim leader.
  EXPECT_EQ(index.find("Champion:"), std::string::npos);
  t.Extras.Finished = true;
  Write(t);
  EXPECT_TRUE(Has("_index.html", "<p class=\"champ\">Champion: <a href=\"x_team_"));
  EXPECT_NE(
      index.find("<h2>Leading scorers</h2>\n<ol class=\"top\">\n<li><a href=\"x_player_", ranking),
      std::string::npos);
  // The search box, labelled, and its data beside the pages, names escaped for a script.
  EXPECT_TRUE(Has("_index.html", "<label for=\"find\">Find a team or player</label>"));
  EXPECT_TRUE(Has("_index.html", "<script src=\"x_search.js\" defer></script>"));
  EXPECT_TRUE(Has("_search.js", "[\"\\u003cscript\\u003ex\\u003c/script\\u003e\",\"t\","));
  EXPECT_TRUE(
      Has("_search.js", "[\"Ann \\u003cLee\\u003e\",\"p\",\"x_player_alpha-and-omega_ann-lee."));
  EXPECT_FALSE(Has("_search.js", "<script>"));
  // A team page: its place and its record in each stage; a round page: its results first.
  EXPECT_TRUE(Has("_team_gamma.html", "<p class=\"place\">Final place: <b>"));
  EXPECT_TRUE(Has("_team_gamma.html", "<li><a href=\"x_standings_s1.html\">Prelims</a>: "));
  const std::string round = Page("_games_r1.html");
  const std::size_t results =
      round.find("<h2>Results</h2>\n<ul class=\"results\">\n<li><a href=\"#g");
  ASSERT_NE(results, std::string::npos);
  EXPECT_LT(results, round.find("<section class=\"game\""));
}

TEST_F(ModernPagesTest, TheFinalPageDrawsTheBracketOfAnEliminationStageOnly) {
  Tournament t = Rout();
  Stage final;
  final.Name = "Final";
  t.Extras.Stages = {final};
  Write(t);
  EXPECT_FALSE(Has("_final.html", "chart bracket"));
  t.Extras.Stages[0].Kind = StageKind::Elimination;
  Write(t);
  EXPECT_TRUE(Has("_final.html", "<figcaption>Final (round 1): bracket</figcaption>"));
}

}  // namespace
}  // namespace drav
