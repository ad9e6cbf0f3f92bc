#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "entry/controls.h"
#include "model/tournament.h"

namespace drav::entry {

// The roster entry window ("Roster Entry") without a toolkit: one team at a time, its
// name, players (one per memo line), division and exhibition flag. A team reaches
// t.Rosters only through StoreTeam, run by Next and Previous.
class RosterEntryForm {
 public:
  static constexpr const char* kCaption = "Roster Entry";
  static constexpr const char* kDeleteRefused =
      "You cannot delete a team once games have been entered";

  // Creating the window: CurrentTeam 0, division box shown only with divisions, LoadTeam.
  RosterEntryForm(Tournament& t, EntryHost& host);
  RosterEntryForm(const RosterEntryForm&) = delete;
  RosterEntryForm& operator=(const RosterEntryForm&) = delete;

  Edit Team{"Team"};
  Label TeamLabel{"TeamLabel", "Team"};
  ComboBox Division{"Division"};
  Label Label3{"Label3", "Division"};
  CheckBox ExbTeam{"ExbTeam", "Exhibition Team"};
  Memo Memo1{"Memo1"};
  Label PlayersLabel{"PlayersLabel", "Players"};
  Button Previous{"Previous", "Previous"};
  Button Next{"Next", "Next"};
  Button DeleteTeamButton{"DeleteTeamButton", "Delete"};

  Control* FindControl(std::string_view name) const;
  std::vector<Control*> AllControls() const;

  // The window becomes the active child: unstored edits are discarded.
  void FormActivate();
  void NextClick();
  void PreviousClick();
  // Refused through the host ("Error") once games exist; otherwise asks "Are you sure?".
  void DeleteTeamButtonClick();
  void LoadTeam();
  void StoreTeam();
  // Each store that changes the tournament and each delete is a step of the history.
  void SetStepHooks(StepHooks hooks) { steps_ = std::move(hooks); }

  // True when StoreTeam would change the tournament: a new team with a name, or a
  // shown team whose name, players, division or exhibition flag were edited.
  bool HasUnstoredEdits() const;
  // Stores the team on screen as Next does, without moving; a new team, once stored, is
  // shown as the stored team it now is.
  void StoreOnScreen();
  // The user leaves the window for another child: unstored edits are stored, so that the
  // game entry window's lists show them and nothing is dropped on coming back.
  void FormDeactivate();
  // "Team 3 of 12", or "New team 13".
  std::string PositionCaption() const;

 private:
  void ShowDivisionBox();
  std::vector<std::string> RosterOnScreen() const;
  // What the window showed after loading or storing, so that a team the window cannot
  // show exactly (an empty player line, a division while divisions are off) never counts
  // as edited.
  void TakeBaseline();
  int Position() const;
  void Register(Control& c) { byName_[c.Name()] = &c; }

  Tournament& t_;
  EntryHost& host_;
  StepHooks steps_;
  std::map<std::string, Control*, std::less<>> byName_;
  struct Shown {
    std::vector<std::string> roster;
    int division = -1;
    bool exhibition = false;
    bool operator==(const Shown&) const = default;
  };
  Shown ShownNow() const;
  Shown baseline_;
};

}  // namespace drav::entry
