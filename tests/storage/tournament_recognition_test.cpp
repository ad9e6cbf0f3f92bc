#include "storage/tournament_recognition.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "storage/merge.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

TEST(TournamentRecognition, KnowsATournamentFileByItsCountLines) {
  const struct {
    const char* text;
    bool tournament;
  } cases[] = {
      {"", true},                                    // an empty file is an empty tournament
      {"0\r\n0\r\n", true},                          // no teams, no games, settings cut off
      {" 1 \r\n2\r\nAlpha\r\nAnn\r\n-0\r\n", true},  // blanks and signs are integers
      {"2\r\n1\r\nAlpha\r\n", true},                 // cut short inside the teams
      {"-3\r\n0\r\n", true},                         // a negative count is damage
      {"1\r\n-2147483648\r\nx\r\n", true},           // in a team's string count too
      {"0\r\n99999999999999999999\r\n", true},       // and in the game count
      {"99999999999\r\n0\r\n", true},                // out of range still has the syntax
      {"root:x:0:0:root:/root:/bin/bash\n", false},  // any text
      {"\x89PNG\r\n\x1a\n", false},                  // a picture
      {"\r\n0\r\n", false},                          // an empty count line that is there
      {"1\r\nx\r\nAlpha\r\n0\r\n", false},           // a team's string count
      {"1\r\n1\r\nAlpha\r\nseven\r\n", false},       // the game count
      {"0\r\n+\r\n", false},                         // a sign without digits
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikeTournamentFile(c.text), c.tournament) << c.text;
}

TEST(TournamentRecognition, OpenAndMergeRefuseOtherFilesAndChangeNothing) {
  const std::string dir = test::MakeTempDir();
  const std::string png = dir + "/logo.png";
  test::WriteFile(png, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  Tournament t;
  t.Rosters = {{"Lakeview", "Ann"}};
  t.FileName = "riverside.dat";
  const Tournament before = t;
  try {
    OpenTournament(t, png);
    FAIL() << "opened a picture";
  } catch (const DravError& e) {
    EXPECT_EQ(std::string(e.what()), png + " is not a DRAV tournament file");
  }
  EXPECT_THROW(MergeTournamentFile(t, png), DravError);
  EXPECT_EQ(t.Rosters, before.Rosters);
  EXPECT_EQ(t.FileName, before.FileName);

  // drav-cli refuses it too, and writes nothing.
  auto r = test::RunCli({"resave", png, dir + "/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, png + " is not a DRAV tournament file\n");
  EXPECT_EQ(test::ReadFile(png), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
}

}  // namespace
}  // namespace drav
