// The report's pictures: what they show, their text alternatives, and that hostile figures
// and names cannot break them.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <regex>
#include <string>

#include "web/modern/charts.h"

namespace drav::modern {
namespace {

constexpr const char* kMinus = "\xE2\x88\x92";

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The y of the first rect after the given text's first appearance.
int BoxTopAfter(const std::string& svg, const std::string& text) {
  const std::size_t at = svg.rfind("<rect", svg.find(text));
  std::smatch m;
  const std::string rest = svg.substr(at, 80);
  EXPECT_TRUE(std::regex_search(rest, m, std::regex("y=\"(-?[0-9]+)\"")));
  return std::stoi(m[1]);
}

TEST(ModernChartsTest, PointsByRoundNamesEveryGameInItsTextAlternative) {
  EXPECT_EQ(PointsByRoundChart("Ash", {}), "");
  const std::string svg = PointsByRoundChart("Ash & <Oak>", {{1, 320, 140}, {3, 675, -5}});
  EXPECT_NE(svg.find("<title id=pr-t>Points for and against Ash &amp; &lt;Oak&gt;, game by game"),
            std::string::npos);
  EXPECT_NE(svg.find(std::string("Round 1: 320 for, 140 against. Round 3: 675 for, ") + kMinus +
                     "5 against.</desc>"),
            std::string::npos);
  EXPECT_NE(svg.find("role=img aria-labelledby=\"pr-t pr-d\""), std::string::npos);
  EXPECT_EQ(Count(svg, "<polyline"), 2);
  EXPECT_EQ(Count(svg, "<circle"), 4);
  // The axis reaches below zero for the negative score, and labels it with a true minus.
  EXPECT_NE(svg.find(std::string(">") + kMinus + "200</text>"), std::string::npos);
}

TEST(ModernChartsTest, ScatterLinksEachDotAndSkipsFiguresThatAreNotNumbers) {
  EXPECT_EQ(PpgPpbScatter({{"Ash", "a.html", 300, 20}}), "");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::string svg = PpgPpbScatter(
      {{"Ash", "a.html", 300, 20}, {"Birch", "b.html", 150.26, 12.5}, {"Bad", "c.html", nan, 1}});
  EXPECT_EQ(Count(svg, "<a href="), 2);
  EXPECT_NE(svg.find("<a href=\"b.html\" aria-label=\"Birch: 150.3 PPG, 12.50 PPB\">"),
            std::string::npos);
  EXPECT_EQ(svg.find("c.html"), std::string::npos);
  EXPECT_NE(svg.find("<desc id=sc-d>"), std::string::npos);
}

TEST(ModernChartsTest, HostileFiguresStayInsideTheViewBox) {
  constexpr std::int64_t big = std::numeric_limits<std::int64_t>::max();
  const std::string line = PointsByRoundChart("X", {{1, big, -big}, {2, 0, 0}});
  const std::string dots =
      PpgPpbScatter({{"A", "a", 1e308, -1e308}, {"B", "b", -1e308, 1e308}, {"C", "c", 0, 0}});
  for (const std::string& svg : {line, dots}) {
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    std::smatch m;
    std::string rest = svg;
    while (std::regex_search(rest, m, std::regex("(?:cx|cy)=\"(-?[0-9]+)\""))) {
      EXPECT_LE(std::abs(std::stol(m[1])), 1000000);
      rest = m.suffix();
    }
  }
}

// A four-team knock-out: two semi-finals, then the final between their winners.
std::vector<BracketGame> KnockOut() {
  auto side = [](int team, const char* name, const char* score, bool won) {
    return BracketSide{team, name, std::string("t") + name + ".html", score, won};
  };
  return {{1, side(0, "Ash", "300", true), side(1, "Birch", "120", false)},
          {1, side(2, "Cedar", "200", false), side(3, "Dogwood", "250", true)},
          {2, side(0, "Ash", "410", true), side(3, "Dogwood", "380", false)}};
}

TEST(ModernChartsTest, BracketDrawsTheFinalBetweenTheGamesItsTeamsCameFrom) {
  EXPECT_EQ(BracketChart("Playoffs", {}), "");
  const std::string svg = BracketChart("Playoffs", KnockOut());
  EXPECT_NE(svg.find(">Round 1</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Round 2</text>"), std::string::npos);
  EXPECT_EQ(Count(svg, "<rect"), 3);
  EXPECT_EQ(Count(svg, "<path class=ln"), 2);  // Ash and Dogwood carried into the final
  const int semi1 = BoxTopAfter(svg, ">Birch<"), semi2 = BoxTopAfter(svg, ">Cedar<");
  const int final = BoxTopAfter(svg, ">410<");
  EXPECT_GT(final, semi1);
  EXPECT_LT(final, semi2);
  EXPECT_NE(svg.find("<a href=\"tAsh.html\"><text x=\"6\" y=\""), std::string::npos);
  EXPECT_EQ(Count(svg, "class=w>"), 6);  // each winner's name and score
  EXPECT_NE(svg.find("role=region aria-label=\"Playoffs bracket\""), std::string::npos);
}

TEST(ModernChartsTest, BracketShortensLongNamesAndEscapesThem) {
  std::vector<BracketGame> games = KnockOut();
  games[0].A.Name = "<script>alert(1)</script> Academy of Very Long Names";
  const std::string svg = BracketChart("<b>", games);
  EXPECT_EQ(svg.find("<script>"), std::string::npos);
  EXPECT_EQ(svg.find("<b>"), std::string::npos);
  EXPECT_NE(svg.find("&lt;script&gt;alert(1)&lt;/s&#8230;<"), std::string::npos);
}

}  // namespace
}  // namespace drav::modern
