#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "entry/controls.h"
#include "model/tournament.h"

namespace drav::entry::test {

// Answers the confirmation window from a script (OK when the script is empty) and keeps
// every message box shown, as (caption, text).
class FakeHost : public EntryHost {
 public:
  bool ConfirmAreYouSure() override {
    ++confirmations;
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.emplace_back(caption, text);
  }

  std::deque<bool> answers;
  int confirmations = 0;
  std::vector<std::pair<std::string, std::string>> messages;
};

// A tournament as New Tournament leaves it with the "Automatic" bonus choice, values 15,
// 10, -5 and the fourth column off, every warning on, and three teams: Alpha with six
// players, Beta with three, Gamma with five.
inline Tournament ThreeTeams(int bonusMode = 1) {
  Tournament t;
  TourneyFormat& f = t.Format;
  f.TrackBonuses = 1;
  f.BonusMode = bonusMode;
  f.PowNeg = 1;
  f.TUHeard = 1;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = f.Warning5 = f.Warning6 = f.Warning7 = 1;
  f.AllRounds = f.RoundsMin = f.RoundsMax = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Alpha", "Ann", "Abe", "Amy", "Art", "Ada", "Al"},
               {"Beta", "Bea", "Bob", "Bud"},
               {"Gamma", "Gus", "Gil", "Gwen", "Guy", "Gia"}};
  t.TeamDivision = {-1, -1, -1};
  t.ExhibitionTeam = {0, 0, 0};
  return t;
}

}  // namespace drav::entry::test
