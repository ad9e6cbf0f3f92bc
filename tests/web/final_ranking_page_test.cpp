// The classic report's final ranking page, written only when the new ranking is in use.
#include <gtest/gtest.h>

#include <map>

#include "stats/stats_fixture.h"
#include "web/pages.h"
#include "web/stage_report.h"
#include "web/web_report.h"

namespace drav {
namespace {

std::map<std::string, std::string> Report(Tournament t) {
  std::map<std::string, std::string> files;
  const ReportSink sink = [&](const std::string& path, const std::string& text) {
    files[path] = text;
  };
  WriteWebReport(t, "out/fall", &sink);
  return files;
}

Tournament Final() {
  Tournament t = test::MakeTourney({"A & B", "C", "D"});
  test::AddGame(t, 1, 2, 300, 100, 1);
  test::AddGame(t, 0, 1, 250, 200, 2);
  t.Format.TeamStandings = 1;
  t.Extras.Stages = {{"Final", 1, 2, false, {}, StageKind::Elimination}};
  return t;
}

TEST(ClassicFinalPage, WrittenAndListedOnlyWhenTheNewRankingIsInUse) {
  Tournament t = Final();
  const auto files = Report(t);
  ASSERT_TRUE(files.count("out/fall_final.html"));
  const std::string& page = files.at("out/fall_final.html");
  EXPECT_NE(page.find("<P><I>Provisional: the tournament is not marked finished yet.</I></P>"),
            std::string::npos);
  EXPECT_NE(page.find("<td ALIGN=RIGHT>1</td>\r\n  <td ALIGN=LEFT>A &amp; B</td>\r\n"
                      "  <td ALIGN=LEFT>Final (rounds 1&#8211;2)</td>"),
            std::string::npos);
  EXPECT_EQ(WebReportFiles(t).back(), (ReportFile{"_final.html", "Final Ranking Upload Failed"}));

  t.Extras.FinalPlaces = {{2, 2}};
  t.Extras.Finished = true;
  const std::string done = Report(t).at("out/fall_final.html");
  EXPECT_EQ(done.find("Provisional"), std::string::npos);
  EXPECT_NE(done.find("<td ALIGN=RIGHT>2</td>\r\n  <td ALIGN=LEFT>D</td>\r\n"
                      "  <td ALIGN=LEFT>Place set by the director</td>"),
            std::string::npos);

  t = Final();
  t.Extras.Stages[0].Kind = StageKind::Pools;  // as every report before: no such page
  EXPECT_FALSE(Report(t).count("out/fall_final.html"));
  EXPECT_FALSE(HasClassicFinalPage(t));
}

}  // namespace
}  // namespace drav
