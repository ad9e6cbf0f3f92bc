#include "entry/ordering.h"

#include <algorithm>
#include <numeric>

#include "model/merge_sort.h"
#include "model/stages.h"

namespace drav {

void SortGamesByIdentifier(Tournament& t) {
  t.Format.SortByRound = 0;
  SortGames(t.Games, t.Format.SortByRound);
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
}

void GroupRounds(Tournament& t) {
  t.Format.SortByRound = 1;
  SortGames(t.Games, t.Format.SortByRound);
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
}

std::vector<int> SortTeams(Tournament& t) {
  const int n = t.TeamCount();
  // Lists that fell short of the teams are padded first so every team carries an entry.
  if (t.TeamDivision.size() < t.Rosters.size()) t.TeamDivision.resize(t.Rosters.size(), -1);
  if (t.ExhibitionTeam.size() < t.Rosters.size()) t.ExhibitionTeam.resize(t.Rosters.size(), 0);

  // order[newPosition] = old index. std::string compares bytes as unsigned values, a
  // prefix before its extensions.
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  MergeSort(order, [&t](int a, int b) { return t.TeamName(a) < t.TeamName(b); });

  std::vector<int> oldToNew(n);
  std::vector<std::vector<std::string>> rosters(n);
  std::vector<int> divisions(n);
  std::vector<int> exhibition(n);
  for (int i = 0; i < n; ++i) {
    const int old = order[i];
    oldToNew[old] = i;
    rosters[i] = std::move(t.Rosters[old]);
    divisions[i] = t.TeamDivision[old];
    exhibition[i] = t.ExhibitionTeam[old];
  }
  t.Rosters = std::move(rosters);
  std::copy(divisions.begin(), divisions.end(), t.TeamDivision.begin());
  std::copy(exhibition.begin(), exhibition.end(), t.ExhibitionTeam.begin());

  RenumberStageTeams(t.Extras.Stages, oldToNew);
  RenumberFinalPlaces(t.Extras.FinalPlaces, oldToNew);
  for (auto& g : t.Games) {
    if (g.TeamA >= 0 && g.TeamA < n) g.TeamA = oldToNew[g.TeamA];
    if (g.TeamB >= 0 && g.TeamB < n) g.TeamB = oldToNew[g.TeamB];
  }
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
  return oldToNew;
}

}  // namespace drav
