#include "app/main_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "entry/game_entry.h"
#include "fake_host.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav::app {
namespace {

using test::FakeHost;

class MainCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = drav::test::MakeTempDir();
    commands.SetAutosavePath(dir + "/dravautosave.dat");
    commands.StartUp();
  }

  // A tournament file on disk with a few teams and games.
  std::string WriteSample(const std::string& name, int games = 6) {
    drav::test::GeneratedShape shape;
    shape.teams = 4;
    shape.games = games;
    Tournament sample = drav::test::GenerateTournament(shape);
    const std::string path = dir + "/" + name;
    WriteTournament(sample, path);
    return path;
  }

  // Exit with unsaved data asks Save, Discard or Cancel instead of "Are you sure?".
  bool ExitAsksAboutUnsavedData() {
    const std::size_t asked = host.saveQuestions.size();
    host.confirmAnswers.push_back(false);
    commands.FormCloseQuery();
    host.confirmAnswers.clear();
    return host.saveQuestions.size() > asked;
  }

  std::string dir;
  Tournament t;
  FakeHost host;
  MainCommands commands{t, host};
};

TEST_F(MainCommandsTest, StartUpShowsBareCaptionAndExitAsksWithoutUnsavedLine) {
  EXPECT_EQ(host.caption, "DRAV");
  EXPECT_EQ(host.childWindows, 0);
  host.confirmAnswers.push_back(true);
  EXPECT_TRUE(commands.FormCloseQuery());
  ASSERT_EQ(host.confirmsShown.size(), 1u);
  EXPECT_FALSE(host.confirmsShown[0]);
}

TEST_F(MainCommandsTest, ExitCancelledKeepsTheProgramOpen) {
  host.confirmAnswers.push_back(false);
  EXPECT_FALSE(commands.FormCloseQuery());
}

TEST_F(MainCommandsTest, NewTournamentCancelledChangesNothing) {
  t.PacketNames = {"P1"};
  const Tournament before = t;
  host.optionsAnswers.push_back(std::nullopt);
  commands.NewTournament1Click();
  EXPECT_EQ(SerializeTournament(t), SerializeTournament(before));
  EXPECT_EQ(host.rebuilds, 0);
}

TEST_F(MainCommandsTest, NewTournamentSetsEachBonusChoice) {
  const std::pair<BonusChoice, std::pair<int, int>> cases[] = {
      {BonusChoice::Automatic, {1, 1}},
      {BonusChoice::Manual, {1, 0}},
      {BonusChoice::None, {0, 0}},
      {BonusChoice::ManualHeardAutoPts, {1, 2}},
      {BonusChoice::ManualBouncebacks, {1, 3}},
  };
  for (const auto& [choice, pair] : cases) {
    NewTournamentChoices choices;
    choices.Bonus = choice;
    host.optionsAnswers.push_back(choices);
    commands.NewTournament1Click();
    EXPECT_EQ(t.Format.TrackBonuses, pair.first);
    EXPECT_EQ(t.Format.BonusMode, pair.second);
  }
  EXPECT_EQ(host.rebuilds, 5);
}

TEST_F(MainCommandsTest, NewTournamentKeepsTeamsGamesAndCaptionButEmptiesPacketNames) {
  commands.OpenPath(WriteSample("a.dat"));
  t.PacketNames = {"A", "B"};
  const auto teams = t.Rosters;
  const auto games = t.GameCount();
  NewTournamentChoices choices;
  choices.Divisions = true;
  choices.ColumnChecked[3] = true;
  choices.ColumnText[3] = "x";
  // Cancel on the notice keeps every setting; OK goes on to the options.
  const std::string before = SerializeTournament(t);
  host.optionsAnswers.push_back(choices);
  commands.NewTournament1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], "New Tournament keeps the " + std::to_string(teams.size()) +
                                   " teams and " + std::to_string(games) +
                                   " games of a.dat, empties its 2 packet names and sets every "
                                   "option to this window's values. The file changes only when "
                                   "you save.");
  host.okCancelAnswers.push_back(true);
  commands.NewTournament1Click();

  EXPECT_EQ(t.Rosters, teams);
  EXPECT_EQ(t.GameCount(), games);
  EXPECT_TRUE(t.PacketNames.empty());
  EXPECT_EQ(t.SavedGameCount, 0);
  EXPECT_EQ(t.QuestionValues[3], 0);
  EXPECT_EQ(host.caption, "DRAV " + dir + "/a.dat");
  EXPECT_TRUE(host.divisionsWindow);
  EXPECT_EQ(t.Format.Warning1, 1);
  EXPECT_EQ(t.Format.AllRounds, 1);
}

TEST_F(MainCommandsTest, OpenSetsCaptionRebuildsWindowsAndCountsAsSaved) {
  const std::string path = WriteSample("open me.dat");
  host.openNames.push_back(path);
  t.CurrentGame = 3;
  commands.Open1Click();
  EXPECT_EQ(host.caption, "DRAV " + path);
  EXPECT_EQ(t.FileName, path);
  EXPECT_EQ(host.rebuilds, 1);
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_GT(t.GameCount(), 0);
  EXPECT_FALSE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, OpenCancelledOrFailedLeavesTournamentAlone) {
  commands.OpenPath(WriteSample("a.dat"));
  const std::string before = SerializeTournament(t);
  host.openNames.push_back(std::nullopt);
  commands.Open1Click();
  host.openNames.push_back(dir + "/missing.dat");
  commands.Open1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, "Cannot open " + dir + "/missing.dat");
  EXPECT_EQ(host.messages[0].second, "Error");
  EXPECT_EQ(host.caption, "DRAV " + dir + "/a.dat");
}

TEST_F(MainCommandsTest, SaveAsRoundTripsAndSetsCaption) {
  commands.OpenPath(WriteSample("a.dat"));
  t.Games[0].ScoreA += 5;
  EXPECT_TRUE(ExitAsksAboutUnsavedData());
  const std::string copy = dir + "/copy.dat";
  host.saveNames.push_back(copy);
  commands.SaveAs1Click();
  EXPECT_EQ(host.caption, "DRAV " + copy);
  EXPECT_EQ(t.FileName, copy);
  EXPECT_FALSE(ExitAsksAboutUnsavedData());

  Tournament reopened;
  OpenTournament(reopened, copy);
  EXPECT_EQ(SerializeTournament(reopened), SerializeTournament(t));

  // A name typed without an extension gets ".dat"; one with an extension keeps it.
  for (const auto& [typed, saved] :
       {std::pair{"/plain", "/plain.dat"}, std::pair{"/with.ext", "/with.ext"}}) {
    host.saveNames.push_back(dir + typed);
    commands.SaveAs1Click();
    EXPECT_EQ(t.FileName, dir + saved);
    EXPECT_TRUE(std::filesystem::exists(dir + saved)) << saved;
  }
}

TEST_F(MainCommandsTest, SaveWithoutFileNameAsksAndSaveAfterOpenWritesBack) {
  host.saveNames.push_back(std::nullopt);
  commands.SaveTournament2Click();
  EXPECT_TRUE(host.saveNames.empty());  // it asked
  EXPECT_TRUE(t.FileName.empty());

  const std::string path = WriteSample("a.dat");
  commands.OpenPath(path);
  t.Rosters[0][0] = "Renamed";
  commands.SaveTournament2Click();
  Tournament reopened;
  OpenTournament(reopened, path);
  EXPECT_EQ(reopened.Rosters[0][0], "Renamed");
  EXPECT_FALSE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, FailedSaveIsReportedAndNotTakenAsSaved) {
  commands.OpenPath(WriteSample("a.dat"));
  t.Games.pop_back();
  const std::string bad = dir + "/no such dir/x.dat";
  host.saveNames.push_back(bad);
  commands.SaveAs1Click();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, "Cannot write " + bad);
  EXPECT_EQ(host.messages[0].second, "Error");
  EXPECT_EQ(t.FileName, dir + "/a.dat");
  EXPECT_EQ(host.caption, "DRAV " + dir + "/a.dat");
  EXPECT_NE(t.SavedGameCount, t.GameCount());
  EXPECT_TRUE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, EditsThatKeepTheGameCountStillCountAsUnsaved) {
  commands.OpenPath(WriteSample("a.dat"));
  t.Games[1].ScoreB = 999;
  EXPECT_TRUE(ExitAsksAboutUnsavedData());

  commands.OpenPath(dir + "/a.dat");
  t.Rosters[1].push_back("New Player");
  EXPECT_TRUE(ExitAsksAboutUnsavedData());

  commands.OpenPath(dir + "/a.dat");
  t.Format.Password = "secret";  // kept in memory only: nothing in the file changes
  t.Format.AutoSaveMin = 5;
  EXPECT_FALSE(ExitAsksAboutUnsavedData());
  t.Format.TourneyName = "Fall Open";
  EXPECT_TRUE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, AutosaveWritesBackupButKeepsUnsavedStateAndCaption) {
  commands.OpenPath(WriteSample("a.dat"));
  t.Games.pop_back();
  commands.AutosaveTimer();
  EXPECT_TRUE(std::filesystem::exists(dir + "/dravautosave.dat"));
  EXPECT_EQ(t.SavedGameCount, t.GameCount());
  EXPECT_EQ(t.FileName, dir + "/a.dat");
  EXPECT_EQ(host.caption, "DRAV " + dir + "/a.dat");
  EXPECT_TRUE(ExitAsksAboutUnsavedData());
  Tournament backup;
  OpenTournament(backup, dir + "/dravautosave.dat");
  EXPECT_EQ(backup.GameCount(), t.GameCount());
}

TEST_F(MainCommandsTest, FailedAutosaveIsShownInTheStatusBar) {
  commands.SetAutosavePath(dir + "/missing/dravautosave.dat");
  commands.AutosaveTimer();
  ASSERT_FALSE(host.statuses.empty());
  EXPECT_EQ(host.statuses.back(),
            "Autosave failed at 10:42: Cannot write " + dir + "/missing/dravautosave.dat");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainCommandsTest, CloseAllConfirmedEmptiesTheEventButKeepsTheDirectorsSettings) {
  commands.OpenPath(WriteSample("a.dat"));
  t.Format.TourneyName = "Fall Open";
  t.Format.BaseName = "fall";
  t.Format.StyleSheet = 1;
  t.Format.StyleSheetFile = "fall.css";
  t.Format.HostAddress = "ftp.example.org";
  t.Format.UserName = "director";
  t.Format.Directory = "www";
  t.Extras.Posting.Protocol = PostProtocol::Sftp;
  t.Extras.ImportedMatches = {{"round1.qbj", "m1", "", ""}};
  t.PacketNames = {"P"};
  t.Extras.Stages = {{"Prelims", 1, 2, false, {{"Pool", {0}}}}};
  t.Extras.TiebreakersCount = true;
  host.saveAnswers.push_back(SaveAnswer::Discard);
  commands.CloseAll1Click();
  EXPECT_EQ(host.saveQuestions.back(), "Changes to the settings are not saved in a.dat");
  EXPECT_TRUE(t.Rosters.empty());
  EXPECT_TRUE(t.Extras.Stages.empty());  // no bracket may name a team to come
  EXPECT_TRUE(t.Extras.TiebreakersCount);
  EXPECT_TRUE(t.Games.empty());
  EXPECT_TRUE(t.DivisionNames.empty());
  EXPECT_TRUE(t.TeamDivision.empty());
  EXPECT_TRUE(t.FileName.empty());
  // The event's identity goes, so the next event's pages cannot carry it.
  EXPECT_EQ(t.Format.TourneyName, "");
  EXPECT_EQ(t.Format.BaseName, "");
  EXPECT_EQ(t.Format.StyleSheet, 0);
  EXPECT_EQ(t.Format.StyleSheetFile, "");
  EXPECT_TRUE(t.Extras.ImportedMatches.empty());  // their games are gone
  EXPECT_EQ(t.Format.HostAddress, "ftp.example.org");
  EXPECT_EQ(t.Format.UserName, "director");
  EXPECT_EQ(t.Format.Directory, "www");
  EXPECT_EQ(t.Extras.Posting.Protocol, PostProtocol::Sftp);
  EXPECT_EQ(t.PacketNames, std::vector<std::string>{"P"});
  EXPECT_EQ(host.caption, "DRAV");  // no file is Save's target any more
  EXPECT_EQ(host.childWindows, 0);
  EXPECT_EQ(t.SavedGameCount, 0);
  EXPECT_FALSE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, CloseAllCancelledKeepsEverything) {
  commands.OpenPath(WriteSample("a.dat"));
  const std::string before = SerializeTournament(t);
  host.confirmAnswers.push_back(false);
  commands.CloseAll1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  EXPECT_EQ(host.childWindows, 2);
  EXPECT_EQ(t.SavedGameCount, 0);
  // Nothing changed, so nothing can be lost.
  EXPECT_FALSE(ExitAsksAboutUnsavedData());
}

TEST_F(MainCommandsTest, CommandsThatReplaceTheTournamentStopTheWatchedFolderFirst) {
  host.confirmAnswers.push_back(true);
  commands.CloseAll1Click();
  host.openNames.push_back(WriteSample("a.dat"));
  commands.Open1Click();
  host.okCancelAnswers.push_back(true);
  host.optionsAnswers.push_back(NewTournamentChoices{});
  commands.NewTournament1Click();
  EXPECT_EQ(host.watchStops,
            (std::vector<std::string>{"Close All", "Open Tournament", "New Tournament"}));
  // Cancelled, nothing is replaced and the watch goes on.
  commands.CloseAll1Click();
  EXPECT_EQ(host.watchStops.size(), 3u);
}

TEST_F(MainCommandsTest, SettingsLoadShowsAutosaveOffAsTenMinutesUnchecked) {
  host.settingsAnswers.push_back(nullptr);
  commands.OpenSettings(SettingsForm::General);
  ASSERT_EQ(host.settingsShown.size(), 1u);
  EXPECT_FALSE(host.settingsShown[0].AutoSave);
  EXPECT_EQ(host.settingsShown[0].AutoSaveMin, "10");
  host.settingsAnswers.push_back([](SettingsForm&) {});
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(t.Format.AutoSaveMin, 0);
  EXPECT_FALSE(host.timerOn);
}

TEST_F(MainCommandsTest, SettingsAutosaveWithZeroOrTextRunsEveryTenMinutes) {
  for (const char* minutes : {"0", "soon", "-3"}) {
    host.settingsAnswers.push_back([minutes](SettingsForm& f) {
      f.AutoSave = true;
      f.AutoSaveMin = minutes;
    });
    commands.OpenSettings(SettingsForm::General);
    EXPECT_EQ(t.Format.AutoSaveMin, 10) << minutes;
    EXPECT_TRUE(host.timerOn);
    EXPECT_EQ(host.timerMs, 600000);
  }
  host.settingsAnswers.push_back([](SettingsForm& f) { f.AutoSaveMin = "3"; });
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(host.timerMs, 180000);
  host.settingsAnswers.push_back([](SettingsForm& f) { f.AutoSave = false; });
  commands.OpenSettings(SettingsForm::General);
  EXPECT_FALSE(host.timerOn);
  EXPECT_EQ(t.Format.AutoSaveMin, 0);
}

TEST_F(MainCommandsTest, SettingsChangeQuestionValuesButNeverSwitchOffOneThatGamesUse) {
  t = drav::test::GenerateTournament({.teams = 4, .games = 6, .seed = 5});
  t.QuestionValues = {15, 10, -5, 0};
  for (GameStats& g : t.Games)
    for (int r = 0; r < kRows; ++r)
      for (int c : {0, 2}) g.QA(c, r) = g.QB(c, r) = 0;  // no 15s, no -5s
  t.Games[2].QB(2, 1) = 1;                               // but game 3 has a -5
  host.childWindows = 2;
  const Tournament before = t;
  // Switching -5 off is refused, naming the game; the window comes back with what was
  // typed, and Cancel then changes nothing.
  host.settingsAnswers.push_back([](SettingsForm& f) {
    EXPECT_EQ(f.ValueText, (std::array<std::string, kColumns>{"15", "10", "-5", ""}));
    f.ValueChecked[2] = false;
    f.ValueText[1] = "20";
  });
  host.settingsAnswers.push_back(nullptr);
  commands.OpenSettings(SettingsForm::General);
  ASSERT_EQ(host.messages.size(), 1u);
  const Tournament& b = before;
  const std::string game = "game 3 (Round " + std::to_string(b.Games[2].Round) + ": " +
                           b.TeamName(b.Games[2].TeamA) + " vs. " + b.TeamName(b.Games[2].TeamB) +
                           ")";
  EXPECT_EQ(host.messages[0].first,
            "The question value -5 cannot be switched off: " + game + " has answers worth it.");
  ASSERT_EQ(host.settingsShown.size(), 2u);
  EXPECT_EQ(host.settingsShown[1].ValueText[1], "20");
  EXPECT_EQ(t.QuestionValues, before.QuestionValues);
  // A value no game uses can go, another can change, and the entry windows are rebuilt.
  host.settingsAnswers.push_back([](SettingsForm& f) {
    f.ValueChecked[0] = false;
    f.ValueText[1] = "20";
  });
  const int rebuilds = host.rebuilds;
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(t.QuestionValues, (std::array<int, kColumns>{0, 20, -5, 0}));
  EXPECT_EQ(host.rebuilds, rebuilds + 1);
  EXPECT_EQ(t.Games, before.Games);
}

TEST_F(MainCommandsTest, ResultsForSubmissionAsksAboutGapsFirstThenWritesOneLineAGame) {
  t = drav::test::GenerateTournament({.teams = 4, .games = 6, .seed = 2});
  t.Games[3].Round = 0;
  const std::string path = dir + "/results.csv";
  host.saveNames.push_back(path);
  host.okCancelAnswers.push_back(false);
  commands.ResultsForSubmission1Click();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find("has no round"), std::string::npos) << host.questions[0];
  EXPECT_FALSE(std::filesystem::exists(path));
  host.okCancelAnswers.push_back(true);
  commands.ResultsForSubmission1Click();
  const std::string csv = drav::test::ReadFile(path);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 7);  // the header and six games
}

TEST_F(MainCommandsTest, SettingsReportStyleIsKeptWithTheTournament) {
  host.settingsAnswers.push_back([](SettingsForm& f) {
    EXPECT_FALSE(f.ModernReport);
    f.ModernReport = true;
  });
  commands.OpenSettings(SettingsForm::Reports);
  EXPECT_EQ(t.Extras.Report, ReportStyle::Modern);
  host.settingsAnswers.push_back([](SettingsForm& f) { EXPECT_TRUE(f.ModernReport); });
  commands.OpenSettings(SettingsForm::Reports);
  EXPECT_EQ(t.Extras.Report, ReportStyle::Modern);
}

TEST_F(MainCommandsTest, SettingsCancelChangesNothing) {
  host.settingsAnswers.push_back(nullptr);
  const TourneyFormat before = t.Format;
  commands.OpenSettings(SettingsForm::Ftp);
  EXPECT_EQ(host.settingsShown[0].ActivePage, SettingsForm::Ftp);
  EXPECT_TRUE(t.Format == before);
}

TEST_F(MainCommandsTest, SettingsStoreEveryPage) {
  host.settingsAnswers.push_back([](SettingsForm& f) {
    f.TourneyName = "Spring";
    f.AllRounds = false;
    f.RoundsMin = "3";
    f.RoundsMax = "five";
    f.HostAddress = "ftp.example.org";
    f.UserName = "me";
    f.Password = "pw";
    f.Directory = "www";
    f.BaseName = "spring";
    f.Paths = false;
    f.TeamStandings = false;
    f.RoundReports = true;
    f.StyleSheet = true;
    f.Edit1 = "_s.html";
    f.Edit8 = "style.css";
    f.BritishStyle = true;
    f.SortButton = 5;
    f.TUHSort = true;
    f.Warning[2] = false;
    f.RepeatBox = false;
    f.SwissTUH = false;
    f.RRNoLimit = false;
    f.RRRooms = "x";
    f.RandomNoLimit = false;
    f.RandomRooms = "3";
    f.RandomRounds = "";
  });
  t.Format.Warning1 = 1;
  t.Format.Warning3 = 1;
  commands.OpenSettings(SettingsForm::Scheduling);
  const TourneyFormat& f = t.Format;
  EXPECT_EQ(f.TourneyName, "Spring");
  EXPECT_EQ(f.AllRounds, 0);
  EXPECT_EQ(f.RoundsMin, 3);
  EXPECT_EQ(f.RoundsMax, 1);
  EXPECT_EQ(f.HostAddress, "ftp.example.org");
  EXPECT_EQ(f.UserName, "me");
  EXPECT_EQ(f.Password, "pw");
  EXPECT_EQ(f.Directory, "www");
  EXPECT_EQ(f.BaseName, "spring");
  EXPECT_EQ(f.Paths, 0);
  EXPECT_EQ(f.TeamStandings, 0);
  EXPECT_EQ(f.RoundReports, 1);
  EXPECT_EQ(f.StyleSheet, 1);
  EXPECT_EQ(f.StandingsFile, "_s.html");
  EXPECT_EQ(f.StyleSheetFile, "style.css");
  EXPECT_EQ(f.BritishStyle, 1);
  EXPECT_EQ(f.SortCriterion, 5);
  EXPECT_EQ(f.TUHSort, 1);
  EXPECT_EQ(f.Warning3, 0);
  EXPECT_EQ(f.RepeatAvoidance, 0);
  EXPECT_EQ(f.SwissTUH, 0);
  EXPECT_EQ(f.RRNoLimit, 0);
  EXPECT_EQ(f.RRRooms, 0);
  EXPECT_EQ(f.RandomNoLimit, 0);
  EXPECT_EQ(f.RandomRooms, 3);
  EXPECT_EQ(f.RandomRounds, 0);

  // Loading shows what was stored.
  host.settingsAnswers.push_back(nullptr);
  commands.OpenSettings(SettingsForm::Reports);
  const SettingsForm& shown = host.settingsShown.back();
  EXPECT_FALSE(shown.AllRounds);
  EXPECT_EQ(shown.RoundsMin, "3");
  EXPECT_EQ(shown.SortButton, 5);
  EXPECT_EQ(shown.Edit1, "_s.html");
  EXPECT_EQ(shown.RRRooms, "0");
  EXPECT_FALSE(shown.Warning[2]);
  EXPECT_TRUE(shown.Warning[0]);
}

TEST_F(MainCommandsTest, SortCriterionOutsideRangeShowsNoButtonAndIsKept) {
  t.Format.SortCriterion = 0;
  host.settingsAnswers.push_back([](SettingsForm&) {});
  commands.OpenSettings(SettingsForm::Sorting);
  EXPECT_EQ(host.settingsShown[0].SortButton, 0);
  EXPECT_EQ(t.Format.SortCriterion, 0);
}

TEST_F(MainCommandsTest, TogglingDivisionsRebuildsOnlyWhenWindowsAreOpen) {
  host.settingsAnswers.push_back([](SettingsForm& f) { f.Divisions = true; });
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(t.Format.Divisions, 1);
  EXPECT_EQ(host.rebuilds, 0);

  host.optionsAnswers.push_back(NewTournamentChoices{});
  commands.NewTournament1Click();
  EXPECT_FALSE(host.divisionsWindow);
  host.settingsAnswers.push_back([](SettingsForm& f) { f.Divisions = true; });
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(host.rebuilds, 2);
  EXPECT_TRUE(host.divisionsWindow);
  host.settingsAnswers.push_back([](SettingsForm& f) { f.Divisions = false; });
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(host.rebuilds, 3);
  EXPECT_FALSE(host.divisionsWindow);
  // Unchanged box: no rebuild.
  host.settingsAnswers.push_back([](SettingsForm&) {});
  commands.OpenSettings(SettingsForm::General);
  EXPECT_EQ(host.rebuilds, 3);
}

TEST(AutosaveIntervalTest, StaysWithinTimerRange) {
  EXPECT_EQ(AutosaveIntervalMs(10), 600000);
  EXPECT_EQ(AutosaveIntervalMs(2147483647), 2147483647);
}

}  // namespace
}  // namespace drav::app

namespace drav::app {
namespace {

class NothingLostTest : public MainCommandsTest {
 protected:
  // An opened file, with a typed game on screen in a game entry form over it.
  void OpenWithTypedGame() {
    path = WriteSample("riverside.dat", 2);
    ASSERT_TRUE(commands.OpenPath(path));
    game = std::make_unique<entry::GameEntryForm>(t, entryHost);
    host.forms.game = game.get();
    t.CurrentGame = t.GameCount();
    game->LoadGame();
    game->ChooseTeamA(0);
    game->ChooseTeamB(1);
    game->ScoreA.SetText("150");
    game->ScoreB.SetText("0");
  }

  struct EntryHost : entry::EntryHost {
    bool ConfirmAreYouSure() override { return true; }
    void ShowMessage(const std::string&, const std::string&) override {}
  } entryHost;
  std::unique_ptr<entry::GameEntryForm> game;
  std::string path;
};

TEST_F(NothingLostTest, OpenAsksNamingTheGameOnScreenAndCancelKeepsIt) {
  OpenWithTypedGame();
  host.openNames.push_back(WriteSample("other.dat"));
  commands.Open1Click();  // the box answers Cancel
  ASSERT_EQ(host.saveQuestions.size(), 1u);
  EXPECT_EQ(host.saveQuestions[0], "The game on screen has not been stored");
  EXPECT_EQ(t.FileName, path);
  EXPECT_EQ(game->ScoreA.Text(), "150");
  EXPECT_EQ(host.openNames.size(), 1u);  // no file was asked for

  // Save stores the game on screen, writes the file, then the command goes on.
  host.saveAnswers.push_back(SaveAnswer::Save);
  commands.Open1Click();
  Tournament reread;
  OpenTournament(reread, path);
  ASSERT_EQ(reread.GameCount(), 3);
  EXPECT_EQ(reread.Games[2].ScoreA, 150);
  EXPECT_NE(std::find(host.statuses.begin(), host.statuses.end(), "Saved riverside.dat at 10:42"),
            host.statuses.end());
  EXPECT_NE(t.FileName, path);  // the other file is open now
}

TEST_F(NothingLostTest, UnsavedGamesAreCountedAndDiscardGoesOn) {
  OpenWithTypedGame();
  game->StoreOnScreen();
  host.saveAnswers.push_back(SaveAnswer::Discard);
  host.openNames.push_back(WriteSample("other.dat"));
  commands.Open1Click();
  ASSERT_EQ(host.saveQuestions.size(), 1u);
  EXPECT_EQ(host.saveQuestions[0], "1 game is not saved in riverside.dat");
  EXPECT_EQ(t.FileName, dir + "/other.dat");
}

TEST_F(NothingLostTest, SaveWritesTheScoreOnScreenAndARefusedStoreWritesNothing) {
  OpenWithTypedGame();
  commands.SaveTournament2Click();
  Tournament reread;
  OpenTournament(reread, path);
  ASSERT_EQ(reread.GameCount(), 3);
  EXPECT_EQ(reread.Games[2].ScoreA, 150);
  EXPECT_FALSE(commands.HasUnsavedData());
  EXPECT_FALSE(game->HasUnstoredEdits());

  const std::string before = drav::test::ReadFile(path);
  game->GPA(1).SetText("1/0");
  commands.SaveTournament2Click();
  EXPECT_EQ(drav::test::ReadFile(path), before);
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().second, "Error");
  EXPECT_EQ(host.messages.back().first.rfind("Nothing was saved. Games played in row 1", 0), 0u);

  // Autosave writes only what is stored, and never asks.
  commands.AutosaveTimer();
  EXPECT_EQ(host.statuses.back(), "Autosaved at 10:42");
  EXPECT_EQ(game->GPA(1).Text(), "1/0");
}

TEST_F(NothingLostTest, CloseAllAndExitUseTheThreeButtonBoxOnlyWithSomethingToLose) {
  OpenWithTypedGame();
  EXPECT_FALSE(commands.FormCloseQuery());  // Cancel
  EXPECT_TRUE(host.confirmsShown.empty());
  host.saveAnswers.push_back(SaveAnswer::Discard);
  commands.CloseAll1Click();
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_EQ(host.caption, "DRAV");
  // Nothing left to lose: the described "Are you sure?".
  host.confirmAnswers.push_back(true);
  EXPECT_TRUE(commands.FormCloseQuery());
  EXPECT_EQ(host.confirmsShown.size(), 1u);
  EXPECT_EQ(host.saveQuestions.size(), 2u);
}

}  // namespace
}  // namespace drav::app

namespace drav::app {
namespace {

TEST_F(NothingLostTest, ANewGameWithoutBothTeamsIsNotDroppedBySave) {
  OpenWithTypedGame();
  game->TeamBName.SetItemIndex(-1);
  const std::string before = drav::test::ReadFile(path);
  commands.SaveTournament2Click();
  EXPECT_EQ(drav::test::ReadFile(path), before);
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().first,
            "Nothing was saved. The game on screen needs both teams before it can be stored.");
}

}  // namespace
}  // namespace drav::app
