#include "app/stages_form.h"

#include <cstdint>

#include "model/error.h"
#include "model/stages.h"
#include "model/text_lines.h"

namespace drav::app {

StagesForm::StagesForm(const Tournament& t)
    : t_(t),
      stages_(t.Extras.Stages),
      tiebreakersCount_(t.Extras.TiebreakersCount),
      places_(t.Extras.FinalPlaces),
      finished_(t.Extras.Finished) {}

Stage& StagesForm::At(int stage) {
  if (stage < 0 || stage >= static_cast<int>(stages_.size()))
    throw DravError("Choose a stage first");
  return stages_[static_cast<std::size_t>(stage)];
}

int StagesForm::AddStage(const std::string& name) {
  Stage s;
  s.Name = name;
  if (!stages_.empty() && stages_.back().LastRound < INT32_MAX) {
    s.FirstRound = stages_.back().LastRound + 1;
    s.LastRound = s.FirstRound;
  }
  stages_.push_back(std::move(s));
  return static_cast<int>(stages_.size()) - 1;
}

void StagesForm::RenameStage(int stage, const std::string& name) {
  At(stage).Name = name;
}

int StagesForm::MoveStage(int stage, int delta) {
  At(stage);
  const int to = stage + delta;
  if (to < 0 || to >= static_cast<int>(stages_.size())) return stage;
  std::swap(stages_[static_cast<std::size_t>(stage)], stages_[static_cast<std::size_t>(to)]);
  ties_.clear();
  fillStage_ = -1;
  return to;
}

void StagesForm::DeleteStage(int stage) {
  At(stage);
  stages_.erase(stages_.begin() + stage);
  ties_.clear();
  fillStage_ = -1;
}

void StagesForm::SetRounds(int stage, int firstRound, int lastRound) {
  Stage& s = At(stage);
  s.FirstRound = firstRound;
  s.LastRound = lastRound;
}

void StagesForm::SetCarryOver(int stage, bool on) {
  At(stage).CarryOver = on;
}

void StagesForm::SetKind(int stage, StageKind kind) {
  At(stage).Kind = kind;
}

std::string StagesForm::PlacesText() const {
  std::string text;
  for (const FinalPlace& p : places_)
    text += std::to_string(p.Place) + " " + t_.TeamName(p.Team) + "\n";
  return text;
}

void StagesForm::SetPlacesText(std::string_view text) {
  std::vector<FinalPlace> places;
  ForEachFilledLine(text, [&](std::string_view line, int lineNumber) {
    std::size_t digits = 0;
    while (digits < line.size() && digits < 8 && line[digits] >= '0' && line[digits] <= '9')
      ++digits;
    const std::string_view name =
        digits < line.size() ? TrimBlanks(line.substr(digits)) : std::string_view();
    if (digits == 0 || name.empty() || (line[digits] != ' ' && line[digits] != '\t'))
      throw DravError("Line " + std::to_string(lineNumber) +
                      ": give the place, then the team (\"3 Team name\")");
    FinalPlace p;
    p.Place = std::stoi(std::string(line.substr(0, digits)));
    if (p.Place < 1 || p.Place > t_.TeamCount())
      throw DravError("Line " + std::to_string(lineNumber) +
                      ": a place runs from 1 to the number of teams");
    for (int i = 0; i < t_.TeamCount() && p.Team < 0; ++i)
      if (t_.TeamName(i) == name) p.Team = i;
    if (p.Team < 0) throw DravError("Unknown team " + std::string(name));
    places.push_back(p);
  });
  CheckFinalPlaces(places, t_.TeamCount());
  places_ = std::move(places);
}

std::string StagesForm::BracketsText(int stage) const {
  std::string text;
  if (stage < 0 || stage >= static_cast<int>(stages_.size())) return text;
  for (const Bracket& b : stages_[static_cast<std::size_t>(stage)].Brackets) {
    text += "[" + b.Name + "]\n";
    for (int team : b.Teams) text += t_.TeamName(team) + "\n";
  }
  return text;
}

void StagesForm::SetBracketsText(int stage, std::string_view text) {
  Stage& s = At(stage);
  std::vector<Bracket> brackets;
  ForEachFilledLine(text, [&](std::string_view line, int lineNumber) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      brackets.push_back({std::string(line.substr(1, line.size() - 2)), {}});
      return;
    }
    if (brackets.empty())
      throw DravError("Line " + std::to_string(lineNumber) + ": start a bracket with [its name]");
    int found = -1;
    for (int i = 0; i < t_.TeamCount() && found < 0; ++i)
      if (t_.TeamName(i) == line) found = i;
    if (found < 0) throw DravError("Unknown team " + std::string(line));
    brackets.back().Teams.push_back(found);
  });
  s.Brackets = std::move(brackets);
  if (stage == fillStage_) {
    fillStage_ = -1;  // edited by hand: the filling and its ties no longer apply
    ties_.clear();
  }
}

void StagesForm::FillFromStandings(int stage, int fromStage, std::string_view rulesText) {
  At(stage);
  if (fromStage < 0 || fromStage >= stage) throw DravError("Choose an earlier stage");
  rules_ = ParseRebracketRules(rulesText);
  fillStage_ = stage;
  fromStage_ = fromStage;
  settled_.clear();
  Refill();
}

void StagesForm::SettleTie(int tie, const std::vector<int>& order) {
  if (tie < 0 || tie >= static_cast<int>(ties_.size())) throw DravError("Choose a tie first");
  settled_.push_back(order);
  Refill();
}

void StagesForm::Refill() {
  // The standings are those of the stages as edited here.
  Tournament edited = t_;
  edited.Extras.Stages = stages_;
  CheckStages(edited.Extras.Stages, edited.TeamCount());
  const RebracketResult r = Rebracket(edited, fromStage_, rules_, settled_);
  stages_[static_cast<std::size_t>(fillStage_)].Brackets = r.Brackets;
  ties_ = r.Ties;
}

void StagesForm::Apply(Tournament& t) const {
  if (!ties_.empty()) throw DravError("Settle the ties at the borders first");
  CheckStages(stages_, t.TeamCount());
  CheckFinalPlaces(places_, t.TeamCount());
  t.Extras.Stages = stages_;
  t.Extras.TiebreakersCount = tiebreakersCount_;
  t.Extras.FinalPlaces = places_;
  t.Extras.Finished = finished_;
}

std::string StagesForm::StepName() const {
  if (fillStage_ >= 0 && fillStage_ < static_cast<int>(stages_.size()))
    return "Re-bracket " + stages_[static_cast<std::size_t>(fillStage_)].Name;
  return "Stages";
}

}  // namespace drav::app
