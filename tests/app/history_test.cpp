#include "app/history.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/main_commands.h"
#include "entry/game_entry.h"
#include "entry/roster_entry.h"
#include "fake_host.h"
#include "storage/tournament_file.h"
#include "support/generated_tournament.h"

namespace drav::app {
namespace {

Tournament Sample(std::uint32_t seed, int games = 12) {
  drav::test::GeneratedShape shape;
  shape.teams = 6;
  shape.games = games;
  shape.seed = seed;
  return drav::test::GenerateTournament(shape);
}

TEST(History, KeepsTheLastStepsAndDropsUndoneOnesOnANewChange) {
  History h;
  h.SetLimits(3, History::kMaxBytes);
  Tournament t = Sample(1);
  h.Reset(t);
  for (int i = 1; i <= 5; ++i) {
    t.Format.TourneyName = "step " + std::to_string(i);
    h.Push("Step " + std::to_string(i), "10:4" + std::to_string(i), t);
  }
  ASSERT_EQ(h.StepCount(), 3u);
  EXPECT_EQ(h.Step(0).Name, "Step 3");
  EXPECT_EQ(h.Step(2).Time, "10:45");
  EXPECT_EQ(h.UndoName(), "Step 5");
  EXPECT_EQ(h.Undo().Format.TourneyName, "step 4");
  EXPECT_EQ(h.Undo().Format.TourneyName, "step 3");
  EXPECT_EQ(h.RedoName(), "Step 4");
  t.Format.TourneyName = "other";
  h.Push("Other", "10:50", t);
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.StepCount(), 2u);
  EXPECT_EQ(h.GoTo(0).Format.TourneyName, "step 2");
  EXPECT_FALSE(h.CanUndo());
}

TEST(History, TheByteLimitDropsTheOldestButNeverThePresent) {
  History h;
  Tournament t = Sample(2, 200);
  h.Reset(t);
  const std::size_t one = SnapshotBytes(t);
  EXPECT_GT(one, t.Games.size() * sizeof(GameStats));
  h.SetLimits(History::kMaxSteps, 3 * one);
  for (int i = 0; i < 10; ++i) {
    t.Games[0].ScoreA = i;
    h.Push("Store", "", t);
  }
  EXPECT_EQ(h.StepCount(), 2u);
  EXPECT_LE(h.Bytes(), 3 * one);
  h.SetLimits(History::kMaxSteps, 1);
  EXPECT_EQ(h.StepCount(), 0u);
  EXPECT_EQ(h.Present().Games[0].ScoreA, 9);
}

TEST(History, UndoingBackToTheSavedStateLeavesNothingUnsaved) {
  History h;
  Tournament t = Sample(3);
  h.Reset(t);
  t.Games.pop_back();
  h.Push("Delete Game 12", "", t);
  EXPECT_TRUE(h.IsUnsaved(t));
  h.MarkSaved(t);
  EXPECT_FALSE(h.IsUnsaved(t));
  EXPECT_TRUE(h.IsUnsaved(h.Undo()));
  EXPECT_FALSE(h.IsUnsaved(h.Redo()));
}

// The commands of the main window over real entry forms, as a director uses them.
class HistoryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.StartUp();
    t = Sample(7);
    commands.StartUp();
  }
  // Opens the tournament as the history's start with entry forms over it.
  void Begin(const Tournament& start) {
    t = start;
    commands.StartUp();
    t = start;
    commands.GoToStep(0);  // nothing to go to: only checks it does no harm
    Reopen();
  }
  void Reopen() {
    game = std::make_unique<entry::GameEntryForm>(t, entryHost);
    roster = std::make_unique<entry::RosterEntryForm>(t, entryHost);
    game->SetStepHooks(commands.Hooks());
    roster->SetStepHooks(commands.Hooks());
    host.forms = {game.get(), roster.get()};
    host.childWindows = 2;
  }
  // The forms show what the tournament now holds, as the windows do after each command.
  void Resync() {
    if (!host.forms.game) Reopen();
    const int g = t.CurrentGame;
    const int r = t.CurrentTeam;
    game->FormActivate();
    t.CurrentGame = g;
    game->LoadGame();
    t.CurrentTeam = r;
    roster->LoadTeam();
  }

  struct EntryHost : entry::EntryHost {
    bool ConfirmAreYouSure() override { return true; }
    void ShowMessage(const std::string&, const std::string&) override {}
  } entryHost;
  Tournament t;
  test::FakeHost host;
  MainCommands commands{t, host};
  std::unique_ptr<entry::GameEntryForm> game;
  std::unique_ptr<entry::RosterEntryForm> roster;
};

TEST_F(HistoryCommandsTest, TwoHundredRandomCommandsUndoToTheFirstAndRedoToTheLast) {
  commands.LimitHistory(1000, History::kMaxBytes);
  // Games as the window stores them back (a forfeit's scores read -1), so that moving
  // through them changes nothing.
  Tournament start = Sample(11, 30);
  {
    entry::GameEntryForm pager(start, entryHost);
    for (int i = 0; i < start.GameCount(); ++i) pager.NextClick();
    start.CurrentGame = 0;
  }
  Begin(start);
  std::mt19937 rng(27);
  std::vector<std::string> states{SerializeTournament(t)};
  const auto pick = [&rng](int n) { return n <= 0 ? 0 : static_cast<int>(rng() % n); };
  for (int i = 0; i < 200; ++i) {
    Resync();
    if (i == 190) {  // late, so that the commands after it have less to change
      host.saveAnswers.push_back(SaveAnswer::Discard);
      commands.CloseAll1Click();
      states.push_back(SerializeTournament(t));
      Reopen();
    }
    // Leaving the shown game stores it as the window reads it, which may be a step.
    if (t.GameCount() > 0) game->GoToPosition(pick(t.GameCount()));
    if (commands.Steps().StepCount() == states.size()) states.push_back(SerializeTournament(t));
    const std::size_t before = commands.Steps().StepCount();
    switch (pick(9)) {
      case 0:
      case 1:  // a changed score, stored by Next
        if (t.CurrentGame < t.GameCount()) {
          game->ScoreA.SetText(std::to_string(pick(400)));
          game->NextClick();
        }
        break;
      case 2:
        if (t.CurrentGame < t.GameCount()) game->DeleteGameClick();
        break;
      case 3:  // a player renamed
        if (t.TeamCount() > 0) {
          t.CurrentTeam = pick(t.TeamCount());
          roster->LoadTeam();
          roster->Memo1.SetLines({"Player " + std::to_string(i)});
          roster->NextClick();
        }
        break;
      case 4:
        host.confirmAnswers.push_back(true);
        commands.SortTeams1Click();
        break;
      case 5:
        host.confirmAnswers.push_back(true);
        if (pick(2) == 0)
          commands.SortGames1Click();
        else
          commands.GroupRounds1Click();
        break;
      case 6:
        host.settingsAnswers.push_back(
            [i](SettingsForm& f) { f.TourneyName = "Open " + std::to_string(i); });
        commands.OpenSettings(0);
        break;
      case 7:  // the round of a game, stored by Previous
        if (t.CurrentGame < t.GameCount()) {
          game->Round.SetText(std::to_string(1 + pick(9)));
          game->PreviousClick();
        }
        break;
      case 8:
        host.optionsAnswers.push_back(NewTournamentChoices{});
        commands.NewTournament1Click();
        break;
    }
    if (!host.forms.game) Reopen();
    host.confirmAnswers.clear();
    host.saveAnswers.clear();
    // Each command is at most one step; a step always changes what a save writes.
    const std::size_t after = commands.Steps().StepCount();
    ASSERT_LE(after, before + 1) << "command " << i << ": " << commands.Steps().Step(after - 2).Name
                                 << ", " << commands.Steps().UndoName();
    if (after == before + 1) states.push_back(SerializeTournament(t));
  }
  const std::size_t steps = commands.Steps().StepCount();
  ASSERT_EQ(states.size(), steps + 1);
  ASSERT_GT(steps, 100u);
  for (std::size_t i = steps; i-- > 0;) {
    commands.Undo1Click();
    ASSERT_EQ(SerializeTournament(t), states[i]) << "after undoing step " << i + 1;
  }
  EXPECT_FALSE(commands.Steps().CanUndo());
  for (std::size_t i = 1; i <= steps; ++i) commands.Redo1Click();
  EXPECT_EQ(SerializeTournament(t), states.back());
}

TEST_F(HistoryCommandsTest, EachStepIsNamedForWhatItDid) {
  Begin(Sample(5));
  Resync();
  game->GoToPosition(11);
  const std::string shown = game->ShownGameDescription();
  game->DeleteGameClick();
  EXPECT_EQ(commands.Steps().UndoName(), "Delete Game 12 (" + shown + ")");
  Resync();
  game->GoToPosition(2);
  const std::string third = game->ShownGameDescription();
  game->ScoreB.SetText("999");
  game->PreviousClick();
  EXPECT_EQ(commands.Steps().UndoName(), "Store Game 3 (" + third + ")");
  Resync();
  game->GoToPosition(0);
  game->Tiebreaker.SetChecked(!game->Tiebreaker.Checked());
  game->NextClick();
  EXPECT_EQ(commands.Steps().UndoName(), "Mark Tiebreaker");
  Resync();
  roster->Team.SetText("Riverside A");
  roster->NextClick();
  EXPECT_EQ(commands.Steps().UndoName(), "Store Team Riverside A");
  host.confirmAnswers.push_back(true);
  commands.SortTeams1Click();
  EXPECT_EQ(commands.Steps().UndoName(), "Sort Teams");
  host.settingsAnswers.push_back([](SettingsForm& f) { f.TourneyName = "Spring Open"; });
  commands.OpenSettings(0);
  EXPECT_EQ(commands.Steps().UndoName(), "Settings");
  host.settingsAnswers.push_back([](SettingsForm&) {});
  commands.OpenSettings(0);  // OK without a change is no step
  EXPECT_EQ(commands.Steps().StepCount(), 6u);
  host.saveAnswers.push_back(SaveAnswer::Discard);
  commands.CloseAll1Click();
  EXPECT_EQ(commands.Steps().UndoName(), "Close All");
  EXPECT_EQ(t.TeamCount(), 0);

  commands.Undo1Click();
  EXPECT_EQ(t.TeamCount(), 6);
  EXPECT_EQ(t.Format.TourneyName, "Spring Open");
  EXPECT_EQ(commands.Steps().RedoName(), "Close All");
  EXPECT_EQ(host.statuses.back(), "Undid Close All");
}

TEST_F(HistoryCommandsTest, UndoStoresTheTypedScoreAsItsOwnStepThenUndoesIt) {
  Begin(Sample(6));
  Resync();
  game->GoToPosition(4);
  const std::string before = SerializeTournament(t);
  game->ScoreA.SetText("777");
  commands.Undo1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  EXPECT_EQ(commands.Steps().RedoName(), "Store Game 5 (" + game->ShownGameDescription() + ")");
  commands.Redo1Click();
  EXPECT_EQ(t.Games[4].ScoreA, 777);
}

}  // namespace
}  // namespace drav::app
