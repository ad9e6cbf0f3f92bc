#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entry/controls.h"
#include "model/tournament.h"

namespace drav::entry {

// The game entry window ("Game Entry") without a toolkit: every control with its state,
// and the window's operations. What the controls show is the only working state; a game
// reaches t.Games only through StoreGame, run by Next, Previous and Go To.
//
// Rows are numbered 1..8 and toss-up columns 0..3, as the control names are: Q2B5 is
// QB(2, 5). The desktop window binds each widget to the control of the same name
// (FindControl), sends the user's typing and clicking here and then refreshes every
// widget from the controls.
class GameEntryForm {
 public:
  static constexpr const char* kCaption = "Game Entry";

  // Creating the window: set-up from t.Format, CurrentGame 0, then LoadGame.
  GameEntryForm(Tournament& t, EntryHost& host);
  GameEntryForm(const GameEntryForm&) = delete;
  GameEntryForm& operator=(const GameEntryForm&) = delete;

  struct PlayerRow {
    ComboBox Player;
    Edit GP;
    std::array<Edit, kColumns> Q;
    Edit Pts;  // always disabled
  };

  // --- Controls -----------------------------------------------------------------------
  ComboBox TeamAName, TeamBName;
  Edit ScoreA, ScoreB;
  std::array<PlayerRow, kRows> RowsA, RowsB;  // index row - 1
  Edit BHA, BPA, BHB, BPB;
  Edit BncBkA, BncBkPtsA, BncBkB, BncBkPtsB;
  Edit SixtyA, SixtyB;
  Edit TUH;
  Edit Round;
  Edit GID;
  Edit Jump;
  Button Button1{"Button1", "Go To"};
  CheckBox Forfeit{"Forfeit", "Forfeit"};
  CheckBox Overtime{"Overtime", "Overtime"};
  // The game's tiebreaker mark: left out of the team standings unless they count.
  CheckBox Tiebreaker{"Tiebreaker", "Tiebreaker"};
  // The game keeps only its result: rows and the bonus strip hide, and nothing of them is
  // stored. A new game keeps the switch as the game before left it.
  CheckBox ScoreOnly{"ScoreOnly", "Score only"};
  Edit OTA, OTB;
  Button DeleteGame{"DeleteGame", "Delete"};
  Button Previous{"Previous", "Previous"};
  Button Next{"Next", "Next"};
  // Column heads of the four count columns: Label1..Label4 team A, Label5..Label8 team B.
  std::array<Label, 2 * kColumns> ColumnHeads;
  Label Label10{"Label10", " GP"}, Label16{"Label16", " GP"};
  Label Label11{"Label11", "Pts"}, Label12{"Label12", "Pts"};
  Label TULabel{"TULabel", "Toss-Ups Heard"};
  Label BonusesLabelA{"BonusesLabelA", "Bonuses"}, HeardLabelA{"HeardLabelA", "Heard"},
      BonusPtsLabelA{"BonusPtsLabelA", "Pts"};
  Label BonusesLabelB{"BonusesLabelB", "Bonuses"}, HeardLabelB{"HeardLabelB", "Heard"},
      BonusPtsLabelB{"BonusPtsLabelB", "Pts"};
  Label BncBkLabelA{"BncBkLabelA", "BncBks"}, BncBkPtsLabelA{"BncBkPtsLabelA", "Pts"};
  Label BncBkLabelB{"BncBkLabelB", "BncBks"}, BncBkPtsLabelB{"BncBkPtsLabelB", "Pts"};
  Label LtngLabelA{"LtngLabelA", "Ltng Pts"}, LtngLabelB{"LtngLabelB", "Ltng Pts"};
  Label RndLabel{"RndLabel", "Rnd"}, IdLabel{"IdLabel", "Id"};
  Panel Panel1{"Panel1", ""}, Panel3{"Panel3", ""};    // bonuses A / B
  Panel Panel2{"Panel2", ""};                          // toss-ups heard
  Panel Panel8{"Panel8", ""}, Panel9{"Panel9", ""};    // lightning A / B
  Panel Panel11{"Panel11", ""}, Panel12{"Panel12", ""};  // bouncebacks A / B

  // Row controls by their names' numbers (row 1..8, column 0..3).
  ComboBox& PlayerA(int row) { return RowA(row).Player; }
  ComboBox& PlayerB(int row) { return RowB(row).Player; }
  Edit& GPA(int row) { return RowA(row).GP; }
  Edit& GPB(int row) { return RowB(row).GP; }
  Edit& QA(int column, int row) { return RowA(row).Q.at(column); }
  Edit& QB(int column, int row) { return RowB(row).Q.at(column); }
  Edit& PtsA(int row) { return RowA(row).Pts; }
  Edit& PtsB(int row) { return RowB(row).Pts; }
  PlayerRow& RowA(int row) { return RowsA.at(row - 1); }
  PlayerRow& RowB(int row) { return RowsB.at(row - 1); }

  // Every control by its name ("Q0A1", "ScoreB", "Panel2", "Label5"); nullptr when there is
  // no such control or it is of another kind.
  Control* FindControl(std::string_view name) const;
  Edit* FindEdit(std::string_view name) const;
  ComboBox* FindComboBox(std::string_view name) const;
  CheckBox* FindCheckBox(std::string_view name) const;
  // Every control, in no particular order.
  std::vector<Control*> AllControls() const;

  // The keyboard (Tab) order of the window; hidden and disabled controls are passed over.
  static std::vector<std::string> TabOrder();

  // --- Operations -----------------------------------------------------------------------
  // The window becomes the active child: refill both team lists, keeping their selection.
  void FormActivate();
  // The user picked a team (the list's item index is already set).
  void TeamANameClick();
  void TeamBNameClick();
  // Convenience for the above: select the item, then run the click.
  void ChooseTeamA(int team);
  void ChooseTeamB(int team);

  // Next, Previous: store, check, move. They return the warnings of the stored game in
  // their order (the window shows each in a box captioned "Warning"). A game that cannot
  // be stored is reported through the host with caption "Error" and nothing moves.
  std::vector<std::string> NextClick();
  // Called at the end of each Next that stored a change (post after every game).
  void SetAfterNextStores(std::function<void()> afterNextStores) {
    afterNextStores_ = std::move(afterNextStores);
  }
  // Each store that changes the tournament and each delete is a step of the history.
  void SetStepHooks(StepHooks hooks) { steps_ = std::move(hooks); }
  std::vector<std::string> PreviousClick();
  // Go To: store, then show the first game whose GID equals Jump's text exactly.
  void Button1Click();
  // Shows the stored game at position, storing the shown one first as Go To does. False
  // when the shown game could not be stored (reported) or there is no such game.
  bool GoToPosition(int position);
  // Delete: asks "Are you sure?" through the host; the edits on screen are not stored.
  void DeleteGameClick();
  // The Next or Previous button gets the keyboard focus.
  void NextEnter() { RecomputeBonuses(); }
  void PreviousEnter() { RecomputeBonuses(); }

  // Builds the record from the controls and puts it into t.Games at CurrentGame, or
  // appends it when the window shows a new game and both teams are chosen. Throws
  // DravError, storing nothing, for an unreadable games-played text, and in bounceback
  // mode for a bonus or bounceback value the file cannot keep (outside 0..9999).
  void StoreGame();
  // The record StoreGame would store (throws as StoreGame for games-played texts).
  GameStats BuildRecord() const;
  // Shows the game at CurrentGame, or a blank new game.
  void LoadGame();

  // --- Nothing typed is lost ---------------------------------------------------------------
  // True when what is on screen is not what is stored: the shown game differs from the
  // stored one (an unreadable games-played text counts as a difference), or a new game
  // has any figure typed (choosing teams alone, and the figures the window fills in by
  // itself, don't count).
  bool HasUnstoredEdits() const;
  // Stores the game on screen as Next does, warnings included, but stays on it: a new
  // game, once stored, is shown as the stored game it now is. Throws DravError, storing
  // nothing, where StoreGame does.
  std::vector<std::string> StoreOnScreen();
  // "Game 4 of 37", or "New game 38" for a game not stored yet.
  std::string PositionCaption() const;
  // The shown game as Delete names it: "Round 3: Lakeview vs. Northfield".
  std::string ShownGameDescription() const;
  // Whether text may stand in count box column of row: an integer box's text (see
  // box_rules.h) that keeps the row's toss-up points within 32 bits.
  bool AcceptsCountText(bool sideA, int row, int column, std::string_view text) const;

  // The computations that run while typing.
  void RowPoints(bool sideA, int row);
  void RecomputeBonuses();

 private:
  struct SideRefs {
    bool isA;
    ComboBox& teamName;
    Edit& score;
    std::array<PlayerRow, kRows>& rows;
    Edit& bh;
    Edit& bp;
    Edit& bncBk;
    Edit& bncBkPts;
    Edit& sixty;
    Edit& ot;
  };
  SideRefs Side(bool sideA);

  void FormCreate();
  void RefillTeamLists();
  void ClearSide(bool sideA);
  void ShowRows(bool sideA, int team);
  void TeamClick(bool sideA);
  void FillPlayerLists(bool sideA, int team);
  void CountChange(bool sideA, int row);
  void GPChange(bool sideA, int row);
  void ForfeitClick();
  void ApplyBonusModeEnabling();
  bool TryStoreGame();
  bool AnyFigureTyped() const;
  // Remembers what the window shows right after loading or storing, so that figures it
  // recomputes by itself never count as the user's edits.
  void TakeBaseline();
  int Position() const;
  void ShowTiebreakerMark(bool marked);
  // Shows or hides the rows and the strip as the Score only switch says
  // (game_entry_score_only.cpp).
  void ApplyScoreOnlyMode();
  void ScoreOnlyClick();
  void Register(Control& c);

  Tournament& t_;
  EntryHost& host_;
  std::function<void()> afterNextStores_;
  bool lastStoreChanged_ = false;  // the last StoreGame changed the tournament
  StepHooks steps_;
  std::map<std::string, Control*, std::less<>> byName_;
  std::optional<GameStats> baseline_;
};

}  // namespace drav::entry
