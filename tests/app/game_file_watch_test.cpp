#include "app/game_file_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav::app {
namespace {

using namespace std::chrono_literals;
using Clock = GameFileWatch::Clock;

// One match in the shape moderator software saves it: a bare list of objects.
std::string MatchFile(const std::string& id, const std::string& teamA, const std::string& teamB,
                      int round = 1) {
  return R"({"version": "2.1.1", "objects": [{"type": "Match", "id": ")" + id +
         R"(", "tossups_read": 20, "_round": )" + std::to_string(round) + R"(, "match_teams": [
    {"team": {"name": ")" +
         teamA + R"("}, "bonus_points": 20, "match_players": [
      {"player": {"name": "Quill )" +
         teamA +
         R"("}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 10}, "number": 2}]}]},
    {"team": {"name": ")" +
         teamB + R"("}, "bonus_points": 0, "match_players": [
      {"player": {"name": "Moss )" +
         teamB +
         R"("}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": -5}, "number": 1}]}]}]}]})";
}

Tournament Base() {
  Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.QuestionValues = {15, 10, -5, 0};
  return t;
}

// Polls as the clock moves on by step, count times, collecting what is handed out.
std::vector<ReadyGameFile> PollFor(GameFileWatch& w, Clock::time_point& now, int count,
                                   Clock::duration step = 300ms) {
  std::vector<ReadyGameFile> all;
  for (int i = 0; i < count; ++i) {
    for (ReadyGameFile& f : w.Poll(now)) all.push_back(std::move(f));
    now += step;
  }
  return all;
}

TEST(GameFileWatch, FileWrittenInTwoHalvesIsTakenOnceAfterTheSecondHalf) {
  const std::string dir = test::MakeTempDir();
  const std::string text = MatchFile("m1", "Ravens", "Otters");
  const std::string half = text.substr(0, text.size() / 2);
  test::WriteFile(dir + "/room1.qbj", half);
  test::WriteFile(dir + "/notes.txt", "not a match file");
  GameFileWatch w(dir);
  Clock::time_point now{};
  EXPECT_TRUE(PollFor(w, now, 8).empty());  // 2.4 s of half a file

  test::WriteFile(dir + "/room1.qbj", text);
  EXPECT_TRUE(PollFor(w, now, 3).empty());  // not yet unchanged for a second
  const auto ready = PollFor(w, now, 3);
  ASSERT_EQ(ready.size(), 1u);
  EXPECT_EQ(ready[0].Contents, text);
  Tournament t = Base();
  EXPECT_EQ(w.Take(t, ready[0]).State, GameFileState::Imported);
  EXPECT_EQ(t.GameCount(), 1);
  EXPECT_TRUE(PollFor(w, now, 10).empty());
}

TEST(GameFileWatch, FileThatStaysBrokenIsHandedOutToFail) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/room2.qbj", "{\"version\": ");
  GameFileWatch w(dir, 1s);
  Clock::time_point now{};
  const auto ready = PollFor(w, now, 40);
  ASSERT_EQ(ready.size(), 1u);
  Tournament t = Base();
  const GameFileResult r = w.Take(t, ready[0]);
  EXPECT_EQ(r.State, GameFileState::Failed);
  EXPECT_EQ(r.Detail, dir + "/room2.qbj is not valid JSON (it is read again when it changes)");
}

TEST(GameFileWatch, MatchesTakenBeforeAreSkippedAfterARestart) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/r1.qbj", MatchFile("m1", "Ravens", "Otters"));
  Tournament t = Base();
  {
    GameFileWatch w(dir);
    Clock::time_point now{};
    for (const ReadyGameFile& f : PollFor(w, now, 5)) w.Take(t, f);
  }
  ASSERT_EQ(t.GameCount(), 1);
  ASSERT_FALSE(t.Extras.ImportedMatches.empty());
  EXPECT_EQ(t.Extras.ImportedMatches[0].MatchId, "m1");

  GameFileWatch again(dir);  // a new run remembers only what the tournament does
  Clock::time_point now{};
  const auto ready = PollFor(again, now, 5);
  ASSERT_EQ(ready.size(), 1u);
  const GameFileResult r = again.Take(t, ready[0]);
  EXPECT_EQ(r.State, GameFileState::Skipped);
  EXPECT_EQ(t.GameCount(), 1);
}

TEST(GameFileWatch, ChangedFileIsHandedOutAgain) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/r1.qbj", MatchFile("m1", "Ravens", "Otters"));
  GameFileWatch w(dir);
  Clock::time_point now{};
  ASSERT_EQ(PollFor(w, now, 5).size(), 1u);
  test::WriteFile(dir + "/r1.qbj", MatchFile("m2", "Ravens", "Herons of Lake", 2));
  const auto ready = PollFor(w, now, 5);
  ASSERT_EQ(ready.size(), 1u);
  EXPECT_NE(ready[0].Contents.find("Herons"), std::string::npos);
}

TEST(GameFileWatch, UnknownTeamWaitsUntilTheDirectorChooses) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/r1.qbj", MatchFile("m1", "Ravens", "Otterz"));
  GameFileWatch w(dir);
  // Stands in for an importer that refuses a team the tournament lacks unless settled.
  w.SetImporter([](Tournament& t, const std::vector<QbjSource>& sources,
                   const QbjImportOptions& options) -> QbjImportReport {
    if (options.TeamChoices.empty())
      throw UnknownQbjTeam(sources[0].name, "Otterz", "Unknown team \"Otterz\"");
    t.Games.emplace_back();
    return {{"settled"}, {}};
  });
  Clock::time_point now{};
  const auto ready = PollFor(w, now, 5);
  ASSERT_EQ(ready.size(), 1u);
  Tournament t = Base();
  t.Rosters = {{"Ravens"}, {"Otters"}};
  GameFileResult r = w.Take(t, ready[0]);
  EXPECT_EQ(r.State, GameFileState::Waiting);
  EXPECT_EQ(r.Team, "Otterz");
  EXPECT_EQ(t.GameCount(), 0);

  QbjImportOptions options;
  options.TeamChoices = {{"Otterz", 1}};
  r = w.Take(t, ready[0], options);
  EXPECT_EQ(r.State, GameFileState::Imported);
  EXPECT_EQ(r.Detail, "settled");
  EXPECT_EQ(t.GameCount(), 1);
}

TEST(GameFileWatch, FailedImportLeavesTheTournamentAlone) {
  const std::string dir = test::MakeTempDir();
  std::string text = MatchFile("m1", "Ravens", "Otters");
  text.replace(text.find("\"value\": 10"), 11, "\"value\": 7");
  test::WriteFile(dir + "/r1.qbj", text);
  GameFileWatch w(dir);
  Clock::time_point now{};
  const auto ready = PollFor(w, now, 5);
  ASSERT_EQ(ready.size(), 1u);
  Tournament t = Base();
  const GameFileResult r = w.Take(t, ready[0]);
  EXPECT_EQ(r.State, GameFileState::Failed);
  EXPECT_NE(r.Detail.find("r1.qbj"), std::string::npos) << r.Detail;
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_TRUE(t.Rosters.empty());
}

TEST(GameFileWatch, AdoptingAnImportKeepsTheGameBeingTyped) {
  struct Case {
    int current;
    int expected;
  };
  // Two stored games, two imported: editing game 1 stays on it; a new game stays new.
  for (const Case c : {Case{1, 1}, Case{2, 4}}) {
    Tournament t = Base();
    t.Games.resize(2);
    t.CurrentGame = c.current;
    t.FileName = "event.dat";
    t.SavedGameCount = 2;
    Tournament imported = t;
    imported.Games.resize(4);
    imported.CurrentGame = 0;
    imported.FileName.clear();
    AdoptImport(t, std::move(imported));
    EXPECT_EQ(t.CurrentGame, c.expected);
    EXPECT_EQ(t.GameCount(), 4);
    EXPECT_EQ(t.FileName, "event.dat");
    EXPECT_EQ(t.SavedGameCount, 2);
  }
}

// Moderator software that gives its matches no ids: they are known as "#1", "#2"...
std::string WithoutIds(std::string text) {
  for (std::size_t at; (at = text.find(R"("id": ")")) != std::string::npos;)
    text.erase(at, text.find(", ", at) + 2 - at);
  return text;
}

// Ravens answer one toss-up more (and their score follows): a corrected re-export.
std::string Corrected(std::string text, std::size_t from = 0) {
  const std::size_t at = text.find(R"("number": 2)", from);
  if (at != std::string::npos) text.replace(at, 11, R"("number": 3)");
  return text;
}

// Takes one version of the file as a fresh run would (a new watch), after the tournament
// went through its file as the next session would find it.
GameFileResult TakeAfterRestart(Tournament& t, const std::string& path, const std::string& text,
                                QbjImportOptions options = {}) {
  t = ParseTournament(SerializeTournament(t), Tournament{});
  test::WriteFile(path, text);
  const std::string dir = path.substr(0, path.find_last_of('/'));
  GameFileWatch w(dir);
  Clock::time_point now{};
  for (const ReadyGameFile& f : PollFor(w, now, 5))
    if (f.Path == path) return w.Take(t, f, options);
  ADD_FAILURE() << path << " was not handed out";
  return {};
}

TEST(GameFileWatch, FileWithoutIdsIsADuplicateOnlyWhileItsContentIsTheSame) {
  using Changed = QbjImportOptions::Changed;
  const std::string dir = test::MakeTempDir();
  const std::string first = WithoutIds(MatchFile("", "Ravens", "Otters"));
  Tournament t = Base();
  ASSERT_EQ(TakeAfterRestart(t, dir + "/room1.qbj", first).State, GameFileState::Imported);
  ASSERT_EQ(TakeAfterRestart(t, dir + "/room2.qbj", MatchFile("b", "Herons", "Larks", 2)).State,
            GameFileState::Imported);
  ASSERT_EQ(t.GameCount(), 2);
  ASSERT_EQ(t.Extras.ImportedMatches[0].MatchId, "#1");
  const GameStats second = t.Games[1];

  // The same match re-exported with other spacing is still the same match.
  std::string respaced = first;
  for (std::size_t at; (at = respaced.find(": ")) != std::string::npos;) respaced.erase(at + 1, 1);
  GameFileResult r = TakeAfterRestart(t, dir + "/room1.qbj", respaced);
  EXPECT_EQ(r.State, GameFileState::Skipped);
  EXPECT_STREQ(GameFileStateText(r.State), "skipped (duplicate)");

  // Corrected: reported, and nothing changes until the director chooses.
  const std::string fixed = Corrected(first);
  const Tournament before = t;
  r = TakeAfterRestart(t, dir + "/room1.qbj", fixed);
  EXPECT_EQ(r.State, GameFileState::Changed);
  EXPECT_STREQ(GameFileStateText(r.State), "changed after import");
  EXPECT_EQ(r.Detail.substr(0, r.Detail.find('\n')),
            dir + "/room1.qbj: changed after import: round 1, Ravens vs. Otters");
  EXPECT_TRUE(SameContents(t, before));

  r = TakeAfterRestart(t, dir + "/room1.qbj", fixed, {true, {}, Changed::Keep});
  EXPECT_EQ(r.State, GameFileState::Skipped);
  EXPECT_EQ(r.Detail.substr(0, r.Detail.find('\n')),
            dir + "/room1.qbj: the games imported before were kept");
  EXPECT_TRUE(SameContents(t, before));

  // Replaced: the new version in the first game's place, the other game untouched.
  r = TakeAfterRestart(t, dir + "/room1.qbj", fixed, {true, {}, Changed::Replace});
  EXPECT_EQ(r.State, GameFileState::Imported);
  EXPECT_EQ(r.GamesReplaced, 1);
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(t.Games[0].ScoreA, before.Games[0].ScoreA + 10);
  EXPECT_EQ(t.Games[0].GID, before.Games[0].GID);
  EXPECT_EQ(t.Games[1], second);
  EXPECT_EQ(t.Extras.ImportedMatches.size(), before.Extras.ImportedMatches.size());
  // Now the corrected version is what was taken.
  EXPECT_EQ(TakeAfterRestart(t, dir + "/room1.qbj", fixed).State, GameFileState::Skipped);
  EXPECT_EQ(TakeAfterRestart(t, dir + "/room1.qbj", first).State, GameFileState::Changed);
}

TEST(GameFileWatch, ReusedIdsAnswerMatchByMatchAndAHandEditedGameIsStillFound) {
  const std::string dir = test::MakeTempDir();
  // Two matches under one id, as some moderator software numbers them per room.
  const std::string one = MatchFile("g", "Ravens", "Otters");
  const std::string two = MatchFile("g", "Herons", "Larks", 2);
  const std::string both = one.substr(0, one.rfind("]}")) + ", " + two.substr(two.find("[{") + 1);
  Tournament t = Base();
  ASSERT_EQ(TakeAfterRestart(t, dir + "/room.qbj", both).State, GameFileState::Imported);
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(TakeAfterRestart(t, dir + "/room.qbj", both).State, GameFileState::Skipped);

  // The director fixed a typo in the second game by hand; then the moderator re-exported.
  t.Games[1].TUH = 21;
  const std::string fixed = Corrected(both, both.find("Herons"));
  GameFileResult r = TakeAfterRestart(t, dir + "/room.qbj", fixed);
  ASSERT_EQ(r.State, GameFileState::Changed);
  EXPECT_EQ(r.Detail.substr(0, r.Detail.find('\n')),
            dir + "/room.qbj: changed after import: round 2, Herons vs. Larks");
  const std::string mark = ": changed after import: ";
  EXPECT_EQ(r.Detail.find(mark, r.Detail.find(mark) + 1), std::string::npos) << r.Detail;
  const GameStats first = t.Games[0];
  r = TakeAfterRestart(t, dir + "/room.qbj", fixed, {true, {}, QbjImportOptions::Changed::Replace});
  EXPECT_EQ(r.State, GameFileState::Imported);
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(t.Games[0], first);
  EXPECT_EQ(t.Games[1].TUH, 20);
  EXPECT_EQ(t.Games[1].Round, 2);
}

TEST(GameFileWatch, ImportStepNamesTheNumberOfFiles) {
  EXPECT_EQ(ImportStepName(1), "Import 1 Match File");
  EXPECT_EQ(ImportStepName(6), "Import 6 Match Files");
}

}  // namespace
}  // namespace drav::app
