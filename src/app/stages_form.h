#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"
#include "stats/rebracket.h"

namespace drav::app {

// The logic of the Stages window: an editable copy of the stages that Apply writes back
// after checking them. Brackets are edited as text: a line "[Bracket name]" starts a
// bracket, each following line names one of its teams exactly.
class StagesForm {
 public:
  explicit StagesForm(const Tournament& t);

  const std::vector<Stage>& Stages() const { return stages_; }
  bool TiebreakersCount() const { return tiebreakersCount_; }
  void SetTiebreakersCount(bool on) { tiebreakersCount_ = on; }

  // A new stage after the last, its rounds following the last stage's; returns its index.
  int AddStage(const std::string& name);
  void RenameStage(int stage, const std::string& name);
  // Moves a stage one place up (delta -1) or down (+1); returns its new index.
  int MoveStage(int stage, int delta);
  void DeleteStage(int stage);
  void SetRounds(int stage, int firstRound, int lastRound);
  void SetCarryOver(int stage, bool on);
  void SetKind(int stage, StageKind kind);

  // The final places set by hand as text, one a line: the place, a space, the team's exact
  // name ("3 Team name"); and back (DravError naming the faulty line, an unknown team, a
  // team placed twice or a place outside 1..team count). Empty text: no hand-set place.
  std::string PlacesText() const;
  void SetPlacesText(std::string_view text);
  const std::vector<FinalPlace>& Places() const { return places_; }
  bool Finished() const { return finished_; }
  void SetFinished(bool on) { finished_ = on; }

  // The brackets of a stage as text, and back (DravError naming an unknown team or line).
  std::string BracketsText(int stage) const;
  void SetBracketsText(int stage, std::string_view text);

  // Fills the stage's brackets from the standings of the earlier stage fromStage by the
  // rules' text. Ties at a rule's border stay open (Ties()) until settled.
  void FillFromStandings(int stage, int fromStage, std::string_view rulesText);
  const std::vector<BorderTie>& Ties() const { return ties_; }
  // The director's order for the teams of open tie i; fills the brackets again.
  void SettleTie(int tie, const std::vector<int>& order);

  // Checks the stages and writes them to t. Throws DravError while a tie is open or when
  // the stages do not check; t is then unchanged.
  void Apply(Tournament& t) const;
  // What Apply does, as the history names it: "Re-bracket Playoffs" when a stage's
  // brackets came from standings, else "Stages".
  std::string StepName() const;

 private:
  Stage& At(int stage);
  void Refill();

  const Tournament& t_;
  std::vector<Stage> stages_;
  bool tiebreakersCount_;
  std::vector<FinalPlace> places_;
  bool finished_;
  // The last filling from standings, redone as ties are settled.
  int fillStage_ = -1;
  int fromStage_ = -1;
  std::vector<RebracketRule> rules_;
  std::vector<std::vector<int>> settled_;
  std::vector<BorderTie> ties_;
};

}  // namespace drav::app
