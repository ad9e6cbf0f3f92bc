#include "support/staged_tournament.h"

#include <string>

namespace drav::test {

Tournament StagedTournament() {
  Tournament t;
  t.QuestionValues = {15, 10, -5, 0};
  t.Format.SortCriterion = 1;
  for (int i = 0; i < 24; ++i) {
    const std::string name = "Team " + std::to_string(i + 1);
    t.Rosters.push_back({name, name + " A", name + " B"});
    t.TeamDivision.push_back(-1);
    t.ExhibitionTeam.push_back(0);
  }
  Stage prelims{"Prelims", 1, 5, false, {}};
  for (int p = 0; p < 4; ++p) {
    Bracket b{"Pool " + std::to_string(p + 1), {}};
    for (int k = 0; k < 6; ++k) b.Teams.push_back(6 * p + k);
    prelims.Brackets.push_back(b);
    int round = 1;
    for (int i = 0; i < 6; ++i) {
      for (int j = i + 1; j < 6; ++j) {
        GameStats g;
        g.GID = std::to_string(t.Games.size() + 1);
        g.TeamA = 6 * p + i;
        g.TeamB = 6 * p + j;
        const bool draw = p == 0 && i == 2 && j == 3;
        g.ScoreA = draw ? 150 : 200;
        g.ScoreB = draw ? 150 : 100;
        g.TUH = 20;
        g.Round = round;
        round = round % 5 + 1;
        t.Games.push_back(g);
      }
    }
  }
  t.Extras.Stages = {prelims, {"Playoffs", 6, 8, true, {}}};
  return t;
}

}  // namespace drav::test
