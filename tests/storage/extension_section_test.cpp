#include "storage/extension_section.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/score_only.h"
#include "storage/tournament_file.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

Tournament WithEveryExtra() {
  Tournament t = test::GenerateTournament({.teams = 6, .games = 9, .rounds = 3, .seed = 7});
  t.Extras.Stages = {{"Prelims", 1, 2, false, {{"Pool A", {0, 2, 4}}, {"Pool B", {1, 3, 5}}}},
                     {"Playoffs", 3, 3, true, {{"Championship", {4, 0}}, {"Consolation", {}}}},
                     {"Finals", 4, 4, false, {}}};
  t.Extras.TiebreakersCount = true;
  t.Games[2].Tiebreaker = true;
  t.Games[8].Tiebreaker = true;
  t.Extras.Posting = {PostProtocol::Sftp, "", "hosts file", true};
  t.Extras.ImportedMatches = {{"room 1.qbj", "m-1", "0123456789abcdef", "fedcba9876543210"},
                              {"room 2.qbj", "", "", ""}};
  t.Extras.Report = ReportStyle::Modern;
  for (int game : {3, 5}) {
    t.Games[game].ScoreOnly = true;
    ClearBoxScore(t.Games[game]);
  }
  return t;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(ExtensionSection, AbsentWithoutExtrasSoTheDescribedFileIsUnchanged) {
  const Tournament t = test::GenerateTournament({});
  EXPECT_FALSE(HasExtensions(t));
  EXPECT_EQ(SerializeTournament(t).find(kExtensionsHeader), std::string::npos);
}

TEST(ExtensionSection, EveryBlockReadsBackEqualAndWritesTheSameBytes) {
  const Tournament t = WithEveryExtra();
  const std::string text = SerializeTournament(t);
  const Tournament back = ParseTournament(text, Tournament{});
  EXPECT_EQ(back.Extras, t.Extras);
  EXPECT_EQ(back.Games, t.Games);
  EXPECT_EQ(SerializeTournament(back), text);
  EXPECT_NE(text.find("\r\n[DRAV extensions]\r\nStages\r\n"), std::string::npos);
}

TEST(ExtensionSection, OnlyTheBlocksInUseAreWritten) {
  Tournament t = test::GenerateTournament({});
  t.Games[0].Tiebreaker = true;
  const std::string text = SerializeTournament(t);
  EXPECT_NE(text.find("[DRAV extensions]\r\nTiebreakers\r\n2\r\n0\r\n0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Stages"), std::string::npos);
  EXPECT_EQ(text.find("Posting"), std::string::npos);
}

TEST(ExtensionSection, AScoreOnlyGameIsAnEmptyRowGameToTheDescribedFormat) {
  Tournament t = test::GenerateTournament({});
  t.Games[1].ScoreOnly = true;
  t.Games[1].TUH = 20;
  const GameStats full = t.Games[1];
  const std::string text = SerializeTournament(t);
  EXPECT_NE(text.find("[DRAV extensions]\r\nScore only\r\n1\r\n1\r\n"), std::string::npos);
  // The described lines before the section read as a game with no rows.
  const std::string described = text.substr(0, text.find(kExtensionsHeader));
  const GameStats plain = ParseTournament(described, Tournament{}).Games[1];
  EXPECT_FALSE(plain.ScoreOnly);
  EXPECT_EQ(plain.PlayerA[0], -1);
  EXPECT_EQ(plain.BHA, 0);
  // Read with the section, the game is score-only and keeps its result.
  const GameStats back = ParseTournament(text, Tournament{}).Games[1];
  EXPECT_TRUE(back.ScoreOnly);
  EXPECT_EQ(back.ScoreA, full.ScoreA);
  EXPECT_EQ(back.ScoreB, full.ScoreB);
  EXPECT_EQ(back.Round, full.Round);
  EXPECT_EQ(back.TUH, 20);
}

TEST(ExtensionSection, ReadingReplacesTheExtrasOfTheBase) {
  const Tournament base = WithEveryExtra();
  const Tournament plain = ParseTournament(SerializeTournament(test::GenerateTournament({})), base);
  EXPECT_EQ(plain.Extras, TournamentExtras{});
}

TEST(ExtensionSection, BlocksOfANewerVersionAreSkipped) {
  const Tournament t = WithEveryExtra();
  const std::string text = Replace(SerializeTournament(t), "[DRAV extensions]\r\n",
                                   "[DRAV extensions]\r\nColours\r\n2\r\nred\r\nStages\r\n");
  EXPECT_EQ(ParseTournament(text, Tournament{}).Extras, t.Extras);
}

// Records written before digests were kept read with empty digests, and write as they were.
TEST(ExtensionSection, ImportedMatchesWithoutDigestsReadAndWriteAsBefore) {
  Tournament t = test::GenerateTournament({});
  t.Extras.ImportedMatches = {{"room 1.qbj", "#1", "", ""}};
  const std::string text = SerializeTournament(t);
  EXPECT_NE(text.find("Imported matches\r\n2\r\nroom 1.qbj\r\n#1\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Imported digests"), std::string::npos);
  EXPECT_EQ(ParseTournament(text, Tournament{}).Extras, t.Extras);
}

TEST(ExtensionSection, DamagedBlocksAreErrors) {
  const std::string text = SerializeTournament(WithEveryExtra());
  const struct {
    std::string from, to, message;
  } cases[] = {
      {"Posting\r\n4\r\nsftp", "Posting\r\n4\r\ngopher",
       "The Posting block of the file is damaged"},
      {"Posting\r\n4\r\n", "Posting\r\n400\r\n", "The file ends early"},
      {"Tiebreakers\r\n3\r\n1\r\n2\r\n8", "Tiebreakers\r\n3\r\n1\r\n2\r\n9",
       "The Tiebreakers block of the file is damaged"},
      {"Pool A\r\n3\r\n0\r\n2\r\n4", "Pool A\r\n3\r\n0\r\n2\r\n1",  // team 1 in two brackets
       "The Stages block of the file is damaged"},
      {"Playoffs\r\n3\r\n3", "Playoffs\r\n2\r\n3", "The Stages block of the file is damaged"},
      {"Prelims\r\n1\r\n2\r\n0", "Prelims\r\n1\r\n2\r\nyes",
       "The Stages block of the file is damaged"},
      {"Score only\r\n2\r\n3\r\n5", "Score only\r\n2\r\n3\r\n9",
       "The Score only block of the file is damaged"},
      {"Reports\r\n1\r\nmodern", "Reports\r\n1\r\nfancy",
       "The Reports block of the file is damaged"},
      {"0123456789abcdef fedcba", "0123456789abcdeg fedcba",
       "The Imported digests block of the file is damaged"},
      {"Imported digests\r\n2\r\n", "Imported digests\r\n3\r\n\r\n",  // a line too many
       "The Imported digests block of the file is damaged"},
  };
  for (const auto& c : cases) {
    try {
      ParseTournament(Replace(text, c.from, c.to), Tournament{});
      ADD_FAILURE() << c.to << " was read";
    } catch (const DravError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.to;
    }
  }
}

}  // namespace
}  // namespace drav
