#include "web/web_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/generated_tournament.h"
#include "web/pages.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

class WebReportTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Base() const { return dir_ + "/fall open"; }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
    return names;
  }
  std::string dir_;
};

TEST_F(WebReportTest, DefaultSettingsWriteSixPagesNamedWithSpaces) {
  Tournament t = test::WebFixture();
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_EQ(Files(),
            (std::set<std::string>{"fall open_games.html", "fall open_individuals.html",
                                   "fall open_playerdetail.html", "fall open_standings.html",
                                   "fall open_statkey.html", "fall open_teamdetail.html"}));
}

TEST_F(WebReportTest, UnwritableFolderNamesEveryPageInWritingOrder) {
  Tournament t = test::WebFixture();
  const std::string base = dir_ + "/missing/fall";
  EXPECT_EQ(WriteWebReport(t, base),
            (std::vector<std::string>{base + "_teamdetail.html", base + "_playerdetail.html",
                                      base + "_games.html", base + "_individuals.html",
                                      base + "_standings.html", base + "_statkey.html"}));
}

// A page refused before it is built, one that cannot take its name on the disk and a style
// sheet that cannot be read are named in the order they were attempted, and every other
// page is written.
TEST_F(WebReportTest, FailuresOfEveryKindAreNamedInWritingOrder) {
  Tournament t = test::WebFixture();
  t.Format.StyleSheet = 1;
  t.Format.StyleSheetFile = dir_ + "/no-such.css";
  t.Format.StatKeyFile = "_key/stat.html";
  fs::create_directory(Base() + "_playerdetail.html");
  fs::create_directory(Base() + "_standings.html");
  EXPECT_EQ(WriteWebReport(t, Base()),
            (std::vector<std::string>{Base() + "_style.css", Base() + "_playerdetail.html",
                                      Base() + "_standings.html", Base() + "_key/stat.html"}));
  for (const char* page : {"_teamdetail.html", "_games.html", "_individuals.html"})
    EXPECT_TRUE(fs::is_regular_file(Base() + page)) << page;
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().string().find(".tmp~"), std::string::npos) << e.path();
}

TEST_F(WebReportTest, RoundReportComesFirstWhenSwitchedOn) {
  Tournament t = test::WebFixture();
  t.Format.RoundReports = 1;
  const std::string base = dir_ + "/missing/fall";
  const std::vector<std::string> failed = WriteWebReport(t, base);
  ASSERT_EQ(failed.size(), 7u);
  EXPECT_EQ(failed.front(), base + "_rounds.html");
}

TEST_F(WebReportTest, EverySwitchOffWritesNothingAndFailsNothing) {
  Tournament t = test::WebFixture();
  TourneyFormat& f = t.Format;
  f.TeamStandings = f.IndividualStandings = f.Scoreboard = f.TeamDetail = f.IndividualDetail =
      f.RoundReports = f.StatKey = 0;
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_TRUE(Files().empty());
}

TEST_F(WebReportTest, StyleSheetIsCopiedByteForByte) {
  Tournament t = test::WebFixture();
  t.Format.StyleSheet = 1;
  t.Format.StyleSheetFile = dir_ + "/source.css";
  test::WriteFile(t.Format.StyleSheetFile, "h1 { color: red; }\r\n\x01\xff");
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_EQ(test::ReadFile(Base() + "_style.css"), "h1 { color: red; }\r\n\x01\xff");
}

TEST_F(WebReportTest, StyleSheetThatCannotBeCopiedIsReportedAndThePagesStillWritten) {
  for (const std::string& source : {std::string(), dir_ + "/no-such.css"}) {
    Tournament t = test::WebFixture();
    t.Format.StyleSheet = 1;
    t.Format.StyleSheetFile = source;
    EXPECT_EQ(WriteWebReport(t, Base()), std::vector<std::string>{Base() + "_style.css"}) << source;
    EXPECT_EQ(Files().size(), 6u);
    EXPECT_NE(test::ReadFile(Base() + "_games.html").find("HREF=fall%20open_style.css>"),
              std::string::npos);
  }
}

// A received tournament file could name any file on the disk: only a name ending in
// ".css", in any case, is copied beside the pages.
TEST_F(WebReportTest, OnlyAStyleSheetNamedCssIsCopied) {
  for (const auto& [name, copied] : {std::pair{"secret.txt", false}, {"STYLE.CSS", true}}) {
    SCOPED_TRACE(name);
    fs::remove(Base() + "_style.css");
    Tournament t = test::WebFixture();
    t.Format.StyleSheet = 1;
    t.Format.StyleSheetFile = dir_ + "/" + name;
    test::WriteFile(t.Format.StyleSheetFile, "private");
    const std::vector<std::string> failed = WriteWebReport(t, Base());
    EXPECT_EQ(failed.empty(), copied);
    if (!copied) {
      EXPECT_EQ(failed, std::vector<std::string>{Base() + "_style.css"});
    }
    EXPECT_EQ(fs::exists(Base() + "_style.css"), copied);
  }
}

TEST_F(WebReportTest, StyleSheetSwitchedOffCopiesNothing) {
  Tournament t = test::WebFixture();
  t.Format.StyleSheetFile = dir_ + "/source.css";
  test::WriteFile(t.Format.StyleSheetFile, "x");
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_EQ(Files().count("fall open_style.css"), 0u);
}

TEST_F(WebReportTest, GameOrderIsRestoredAndGamesAreListedByRound) {
  Tournament t = test::WebFixture();
  const std::vector<GameStats> before = t.Games;
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_EQ(t.Games, before);
  EXPECT_EQ(t.Format.SortByRound, 1);
  const std::string games = test::ReadFile(Base() + "_games.html");
  // The round-0 game comes first although it was entered sixth.
  EXPECT_LT(games.find("Alpha &amp; Omega 200, Gamma 100"), games.find("Tie OT"));
}

TEST_F(WebReportTest, GamesAppearInTheOrderOfTheSharedGameSort) {
  test::GeneratedShape shape;
  shape.games = 200;
  shape.rounds = 3;  // many games per round, so the tie order shows
  Tournament t = test::GenerateTournament(shape);
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  Tournament sorted = t;
  SortGames(sorted.Games, 1);
  std::string expected;
  WriteScoreboardPage(expected, sorted, "fall%20open");
  EXPECT_EQ(test::ReadFile(Base() + "_games.html"), expected);
}

TEST_F(WebReportTest, SuffixThatLeavesTheFolderIsRefused) {
  Tournament t = test::WebFixture();
  t.Format.ScoreboardFile = "/../escaped.html";
  t.Format.StatKeyFile = "\\..\\escaped.html";
  const std::vector<std::string> failed = WriteWebReport(t, Base());
  EXPECT_EQ(failed,
            (std::vector<std::string>{Base() + "/../escaped.html", Base() + "\\..\\escaped.html"}));
  EXPECT_FALSE(fs::exists(dir_ + "/escaped.html"));
  EXPECT_EQ(Files().size(), 4u);
}

TEST_F(WebReportTest, EmptySuffixNamesThePageByTheBasePath) {
  Tournament t = test::WebFixture();
  t.Format.StandingsFile = "";
  EXPECT_TRUE(WriteWebReport(t, Base()).empty());
  EXPECT_EQ(Files().count("fall open"), 1u);
  EXPECT_NE(test::ReadFile(Base() + "_games.html").find("<A HREF=fall%20open>Standings</A>"),
            std::string::npos);
}

// Every HREF of every page must name a written file, and its anchor must exist there.
void CheckLinks(const std::string& dir, int* linksChecked) {
  std::map<std::string, std::string> pages;
  for (const auto& e : fs::directory_iterator(dir))
    pages[e.path().filename().string()] = test::ReadFile(e.path().string());
  const std::regex href("HREF=([^\" >][^ >]*)>");
  for (const auto& [name, text] : pages) {
    for (auto it = std::sregex_iterator(text.begin(), text.end(), href);
         it != std::sregex_iterator(); ++it) {
      std::string target = (*it)[1].str();
      for (std::size_t at; (at = target.find("%20")) != std::string::npos;)
        target.replace(at, 3, " ");
      std::string anchor;
      if (const std::size_t hash = target.find('#'); hash != std::string::npos) {
        anchor = target.substr(hash + 1);
        target.resize(hash);
      }
      auto page = pages.find(target);
      ASSERT_NE(page, pages.end()) << name << " links to missing " << target;
      if (!anchor.empty()) {
        EXPECT_NE(page->second.find("<A NAME=" + anchor + ">"), std::string::npos)
            << name << " links to missing anchor " << target << "#" << anchor;
      }
      ++*linksChecked;
    }
  }
}

TEST_F(WebReportTest, EveryLinkOfAGeneratedReportReachesAFileAndAnchor) {
  int linksChecked = 0;
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    test::GeneratedShape shape;
    shape.teams = 12;
    shape.games = 60;
    shape.divisions = seed == 2 ? 2 : 0;
    shape.bonusMode = seed == 3 ? 3 : 1;
    shape.seed = seed;
    Tournament t = test::GenerateTournament(shape);
    t.Format.RoundReports = 1;
    t.Format.StyleSheet = 1;
    t.Format.StyleSheetFile = dir_ + "/source.css";
    test::WriteFile(t.Format.StyleSheetFile, "body {}\n");
    const std::string out = dir_ + "/seed " + std::to_string(seed);
    fs::create_directory(out);
    ASSERT_TRUE(WriteWebReport(t, out + "/gen report").empty());
    CheckLinks(out, &linksChecked);
  }
  EXPECT_GT(linksChecked, 300);
}

}  // namespace
}  // namespace drav
