#include "web/modern/modern_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "page_test_support.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"
#include "web/web_report.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

// The visible text of a piece of markup, trimmed.
std::string TextOf(const std::string& html) {
  std::string out;
  bool inTag = false;
  for (char c : html) {
    if (c == '<') inTag = true;
    if (!inTag) out += c;
    if (c == '>') inTag = false;
  }
  const auto first = out.find_first_not_of(" \r\n\t");
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(" \r\n\t") - first + 1);
}

// The cells of every table row of a page, classic (cells closed) or modern (cells left
// open, one row a line): the text after each <td or <th up to the next cell or row end.
std::vector<std::vector<std::string>> Rows(const std::string& page) {
  std::vector<std::vector<std::string>> rows;
  std::size_t at = 0;
  while ((at = page.find("<tr", at)) != std::string::npos) {
    const std::size_t end =
        std::min({page.find("</tr>", at), page.find("<tr", at + 3), page.find("</tbody>", at)});
    const std::string row =
        page.substr(at, end == std::string::npos ? std::string::npos : end - at);
    std::vector<std::string> cells;
    std::size_t c = 0;
    while (true) {
      const std::size_t td = row.find("<td", c), th = row.find("<th", c);
      const std::size_t open = std::min(td, th);
      if (open == std::string::npos) break;
      const std::size_t body = row.find('>', open) + 1;
      std::size_t stop = std::min({row.find("<td", body), row.find("<th", body), row.size()});
      cells.push_back(TextOf(row.substr(body, stop - body)));
      c = body;
    }
    rows.push_back(cells);
    at += 3;
  }
  return rows;
}

// Team (or player) name -> column head -> figure, from a standings page. The modern pages
// add an "exh" mark after an exhibition team's name and show W, L and T in one column.
using FigureTable = std::map<std::string, std::map<std::string, std::string>>;
FigureTable Figures(const std::string& page, std::size_t nameColumns) {
  FigureTable out;
  std::vector<std::string> heads;
  for (const auto& cells : Rows(page)) {
    if (cells.empty() || cells[0] == "Standings") continue;  // the classic navigation bar
    if (cells[0] == "Rank" || cells[0] == "#") {
      heads = cells;
      continue;
    }
    if (cells.size() <= nameColumns + 1 || cells.size() != heads.size()) continue;
    // The key: the names under "Player" and "Team", wherever they stand.
    std::string key;
    std::vector<bool> named(cells.size(), false);
    for (const char* head : {"Player", "Team"}) {
      for (std::size_t i = 1; i < cells.size(); ++i) {
        if (heads[i] != head) continue;
        std::string name = cells[i];
        if (name.size() > 4 && name.compare(name.size() - 4, 4, " exh") == 0)
          name.resize(name.size() - 4);
        key += name + "|";
        named[i] = true;
      }
    }
    auto& figures = out[key];
    for (std::size_t i = 1; i < cells.size(); ++i) {
      if (named[i]) continue;
      if (heads[i] != "W\xE2\x80\x93L") {
        figures[heads[i]] = cells[i];
        continue;
      }
      std::vector<std::string> parts(1);
      for (std::size_t at = 0; at < cells[i].size(); ++at) {
        if (cells[i].compare(at, 3, "\xE2\x80\x93") == 0) {
          parts.emplace_back();
          at += 2;
        } else {
          parts.back() += cells[i][at];
        }
      }
      figures["W"] = parts[0];
      figures["L"] = parts.size() > 1 ? parts[1] : "";
      figures["T"] = parts.size() > 2 ? parts[2] : "0";
    }
  }
  return out;
}

// The rows of a page's first table under its head row (the first row starting with
// first), each as head -> cell.
std::vector<std::map<std::string, std::string>> HeadedRows(const std::string& page,
                                                           const std::string& first) {
  std::vector<std::map<std::string, std::string>> out;
  std::vector<std::string> heads;
  for (const auto& cells : Rows(page)) {
    if (heads.empty()) {
      if (!cells.empty() && cells[0] == first) heads = cells;
      continue;
    }
    std::map<std::string, std::string> row;
    for (std::size_t i = 0; i < cells.size() && i < heads.size(); ++i) row[heads[i]] = cells[i];
    out.push_back(row);
  }
  return out;
}

class ModernReportTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Page(const std::string& base, const std::string& suffix) const {
    return test::ReadFile(dir_ + "/" + base + suffix);
  }
  std::string dir_;
};

TEST_F(ModernReportTest, StandingsShowTheClassicFigures) {
  test::GeneratedShape divided;
  divided.teams = 12;
  divided.games = 60;
  divided.divisions = 2;
  divided.seed = 7;
  test::GeneratedShape bounce;
  bounce.bonusMode = 3;
  bounce.seed = 3;
  const std::vector<Tournament> cases = {test::WebFixture(), test::GenerateTournament(divided),
                                         test::GenerateTournament(bounce)};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    Tournament classic = cases[i];
    Tournament modern = cases[i];
    modern.Extras.Report = ReportStyle::Modern;
    ASSERT_TRUE(WriteWebReport(classic, dir_ + "/c").empty());
    ASSERT_TRUE(WriteWebReport(modern, dir_ + "/m").empty());
    const auto teams = Figures(Page("c", "_standings.html"), 1);
    ASSERT_FALSE(teams.empty());
    EXPECT_EQ(Figures(Page("m", "_standings.html"), 1), teams);
    // Players: name and team; the modern page has no division column of its own values.
    // The division column shows the division's name in the modern page only.
    auto players = Figures(Page("c", "_individuals.html"), 2);
    auto modernPlayers = Figures(Page("m", "_individuals.html"), 2);
    for (FigureTable* table : {&players, &modernPlayers})
      for (auto& [name, values] : *table) values.erase("Division");
    ASSERT_FALSE(players.empty());
    EXPECT_EQ(modernPlayers, players);
  }
}

TEST_F(ModernReportTest, ListedFilesAreExactlyTheFilesWritten) {
  Tournament t = test::WebFixture();
  t.Extras.Report = ReportStyle::Modern;
  t.Extras.Stages = {{"Prelims", 0, 2, false, {{"Pool <A>", {0, 1}}, {"Pool B", {2, 4}}}},
                     {"Finals", 3, 5, true, {}}};
  std::set<std::string> listed;
  for (const ReportFile& f : WebReportFiles(t)) listed.insert("fall" + f.Suffix);
  EXPECT_TRUE(WriteWebReport(t, dir_ + "/fall").empty());
  std::set<std::string> written;
  for (const auto& e : fs::directory_iterator(dir_)) written.insert(e.path().filename().string());
  EXPECT_EQ(written, listed);
  EXPECT_TRUE(listed.count("fall_standings_s2.html"));
  EXPECT_TRUE(listed.count("fall_final.html"));
  EXPECT_TRUE(listed.count("fall_games_r0.html"));
  // Names are escaped everywhere; no page holds the raw markup of a name.
  for (const std::string& name : written)
    EXPECT_EQ(test::ReadFile(dir_ + "/" + name).find("<script>x"), std::string::npos) << name;
}

TEST_F(ModernReportTest, StagePagesRankEachBracketOnItsOwnGames) {
  Tournament t = test::WebFixture();
  t.Extras.Report = ReportStyle::Modern;
  t.Extras.Stages = {{"Prelims", 0, 2, false, {{"Pool <A>", {0, 1, 2}}}},
                     {"Finals", 3, 5, false, {}}};
  ASSERT_TRUE(WriteWebReport(t, dir_ + "/fall").empty());
  const std::string prelims = Page("fall", "_standings_s1.html");
  EXPECT_NE(prelims.find("<h2>Pool &lt;A&gt;</h2>"), std::string::npos);
  // Alpha & Omega played rounds 0, 1 and 2: won, tied (overtime), won.
  const auto figures = Figures(prelims, 1);
  ASSERT_TRUE(figures.count("Alpha &amp; Omega|"));
  const auto alpha = figures.at("Alpha &amp; Omega|");
  EXPECT_EQ(alpha.at("W") + alpha.at("L") + alpha.at("T"), "201");
  const auto finals = Figures(Page("fall", "_standings_s2.html"), 1);
  EXPECT_FALSE(finals.count("Alpha &amp; Omega|") &&
               finals.at("Alpha &amp; Omega|").at("W") == "2");
}

TEST_F(ModernReportTest, MarksSharedPlacesTiebreakersAndExhibitionTeams) {
  Tournament t;
  t.Format.AllRounds = 1;
  t.QuestionValues = {10, -5, 0, 0};
  t.Rosters = {{"Ash", "A1"}, {"Birch", "B1"}, {"Cedar", "C1"}, {"Dune", "D1"}};
  t.ExhibitionTeam = {0, 0, 0, 1};
  // Ash and Birch split their games with the same points: one shared place.
  t.Games = {test::MakeGame("1", 1, 0, 1, 200, 100), test::MakeGame("2", 2, 1, 0, 200, 100),
             test::MakeGame("3", 2, 2, 3, 150, 100)};
  t.Games[2].Tiebreaker = true;
  for (GameStats& g : t.Games) test::SetRow(g, true, 0, 0, 1, 1, 0, 0, 10);
  t.Extras.Report = ReportStyle::Modern;
  ASSERT_TRUE(WriteWebReport(t, dir_ + "/x").empty());
  std::vector<std::string> places;
  for (const auto& cells : Rows(Page("x", "_standings.html")))
    if (cells.size() > 1 && cells[0] != "#") places.push_back(cells[0] + " " + cells[1]);
  ASSERT_GE(places.size(), 2u);
  EXPECT_EQ(places[0], "1= Ash");
  EXPECT_EQ(places[1], "1= Birch");
  const std::string tb = "title=\"Tiebreaker game\">TB<";
  EXPECT_NE(Page("x", "_team_cedar.html").find(tb), std::string::npos);
  EXPECT_NE(Page("x", "_games_r2.html").find(tb), std::string::npos);
  EXPECT_NE(
      Page("x", "_index.html").find("Dune</a> <abbr class=\"tag\" title=\"Exhibition team\">exh<"),
      std::string::npos);
}

TEST_F(ModernReportTest, EveryPlayersGameLogAddsUpToThePlayersLine) {
  Tournament t = test::WebFixture();
  t.Extras.Report = ReportStyle::Modern;
  ASSERT_TRUE(WriteWebReport(t, dir_ + "/x").empty());
  std::map<std::string, std::map<std::string, std::string>> lines;  // by player name
  for (const auto& row : HeadedRows(Page("x", "_individuals.html"), "#"))
    lines[row.at("Player")] = row;
  int logs = 0;
  for (const auto& e : fs::directory_iterator(dir_)) {
    const std::string file = e.path().filename().string();
    if (file.rfind("x_player_", 0) != 0) continue;
    SCOPED_TRACE(file);
    ++logs;
    const std::string page = test::ReadFile(e.path().string());
    const std::size_t h1 = page.find("<h1>") + 4;
    const std::string name = page.substr(h1, page.find("</h1>") - h1);
    ASSERT_TRUE(lines.count(name)) << name;
    const auto games = HeadedRows(page, "Rd");
    ASSERT_GE(games.size(), 2u);  // a game at least, then the totals
    const auto& total = games.back();
    EXPECT_EQ(total.at("Opponent"), "Total");
    for (const auto& [head, cell] : total) {
      if (head == "Rd" || head == "Opponent" || head == "Result") continue;
      double sum = 0;
      for (std::size_t g = 0; g + 1 < games.size(); ++g) sum += std::stod(games[g].at(head));
      // Games played: within the total's rounding and the rows'.
      const double slack = head == "GP" ? 0.051 + 0.005 * static_cast<double>(games.size()) : 0;
      EXPECT_NEAR(sum, std::stod(cell), slack) << head;
      if (lines[name].count(head)) {
        EXPECT_EQ(cell, lines[name].at(head)) << head;
      }
    }
    // Linked from the individual standings, the team page and the box scores.
    const std::string href = "href=\"" + file + "\"";
    EXPECT_EQ(test::CountOf(Page("x", "_individuals.html"), href), 1);
    const std::string lead = "<p class=\"note\"><a href=\"";
    const std::size_t team = page.find(lead) + lead.size();
    EXPECT_EQ(
        test::CountOf(test::ReadFile(dir_ + "/" + page.substr(team, page.find('"', team) - team)),
                      href),
        1);
    const std::size_t box = page.find("#g");
    const std::size_t round = page.rfind('"', box) + 1;
    EXPECT_GE(test::CountOf(test::ReadFile(dir_ + "/" + page.substr(round, box - round)), href), 1);
  }
  EXPECT_EQ(logs, static_cast<int>(lines.size()));
}

}  // namespace
}  // namespace drav
