// Stage kinds, hand-set final places and the finished mark in the file's section of our own.
#include <gtest/gtest.h>

#include "model/error.h"
#include "storage/extension_section.h"
#include "storage/tournament_file.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

Tournament WithPlacing() {
  Tournament t = test::GenerateTournament({.teams = 6, .games = 9, .rounds = 3, .seed = 7});
  t.Extras.Stages = {{"Prelims", 1, 2, false, {}},
                     {"Playoffs", 3, 3, false, {{"Top", {0, 1}}}, StageKind::Elimination}};
  t.Extras.FinalPlaces = {{4, 2}, {1, 1}};
  t.Extras.Finished = true;
  return t;
}

TEST(FinalPlacesSection, ReadsBackEqualInBlocksOfTheirOwn) {
  const Tournament t = WithPlacing();
  const std::string text = SerializeTournament(t);
  EXPECT_NE(text.find("Stage kinds\r\n2\r\npools\r\nelimination\r\n"), std::string::npos);
  EXPECT_NE(text.find("Final places\r\n4\r\n4\r\n2\r\n1\r\n1\r\n"), std::string::npos);
  EXPECT_NE(text.find("Finished\r\n1\r\n1\r\n"), std::string::npos);
  const Tournament back = ParseTournament(text, Tournament{});
  EXPECT_EQ(back.Extras, t.Extras);
  EXPECT_EQ(SerializeTournament(back), text);
}

TEST(FinalPlacesSection, PoolsStagesWriteNoKindsBlock) {
  Tournament t = WithPlacing();
  t.Extras.Stages[1].Kind = StageKind::Pools;
  t.Extras.FinalPlaces.clear();
  t.Extras.Finished = false;
  const std::string text = SerializeTournament(t);
  for (const char* block : {"Stage kinds", "Final places", "Finished"})
    EXPECT_EQ(text.find(block), std::string::npos) << block;
}

TEST(FinalPlacesSection, HostileBlocksAreDamagedNotRead) {
  const std::string text = SerializeTournament(WithPlacing());
  const struct {
    std::string from, to, message;
  } cases[] = {
      {"pools\r\nelimination", "pools\r\nknockout", "The Stage kinds block of the file is damaged"},
      {"Stage kinds\r\n2\r\npools\r\n", "Stage kinds\r\n1\r\n",  // one kind for two stages
       "The Stage kinds block of the file is damaged"},
      {"Final places\r\n4\r\n4\r\n", "Final places\r\n4\r\n6\r\n",  // no team 6
       "The Final places block of the file is damaged"},
      {"Final places\r\n4\r\n4\r\n2", "Final places\r\n4\r\n4\r\n0",
       "The Final places block of the file is damaged"},
      {"Final places\r\n4\r\n4\r\n2\r\n1", "Final places\r\n4\r\n4\r\n2\r\n4",  // placed twice
       "The Final places block of the file is damaged"},
      {"Final places\r\n4\r\n4\r\n2\r\n1\r\n1\r\n", "Final places\r\n3\r\n4\r\n2\r\n1\r\n",
       "The Final places block of the file is damaged"},  // a team without its place
      {"Finished\r\n1\r\n1", "Finished\r\n1\r\n2", "The Finished block of the file is damaged"},
  };
  for (const auto& c : cases) {
    std::string hostile = text;
    const auto at = hostile.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    hostile.replace(at, c.from.size(), c.to);
    try {
      ParseTournament(hostile, Tournament{});
      ADD_FAILURE() << c.to << " was read";
    } catch (const DravError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.to;
    }
  }
}

// A newer file's kinds may come before its stages; they still land on the right stages.
TEST(FinalPlacesSection, KindsBeforeTheStagesBlockApply) {
  const Tournament t = WithPlacing();
  std::string text = SerializeTournament(t);
  const std::string kinds = "Stage kinds\r\n2\r\npools\r\nelimination\r\n";
  text.erase(text.find(kinds), kinds.size());
  const std::string header = std::string(kExtensionsHeader) + "\r\n";
  text.insert(text.find(header) + header.size(), kinds);
  EXPECT_EQ(ParseTournament(text, Tournament{}).Extras, t.Extras);
}

}  // namespace
}  // namespace drav
