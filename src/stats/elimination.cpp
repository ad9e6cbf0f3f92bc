#include "stats/elimination.h"

#include <climits>

#include "model/merge_sort.h"

namespace drav {

namespace {

// Team A, team B, or -1 for a game without a winner (a tie, or a score not given).
int WinnerOf(const GameStats& g) {
  if (g.Forfeit != 0) return g.TeamA;
  if (g.ScoreA == -1 || g.ScoreB == -1 || g.ScoreA == g.ScoreB) return -1;
  return g.ScoreA > g.ScoreB ? g.TeamA : g.TeamB;
}

struct Run {
  bool played = false;
  int lastRound = 0;
  bool lostLast = false;  // lost a game in its last round
};

}  // namespace

bool PlaceByElimination(const Tournament& t, int stage, RankedBracket& bracket) {
  const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(stage));
  std::vector<char> member(t.Rosters.size(), 0);
  for (const Standings& rec : bracket.Teams)
    if (t.IsTeam(rec.TeamIndex)) member[static_cast<std::size_t>(rec.TeamIndex)] = 1;
  auto isMember = [&](int team) {
    return t.IsTeam(team) && member[static_cast<std::size_t>(team)];
  };

  std::vector<Run> runs(t.Rosters.size());
  bool anyGame = false;
  int latest = 0;
  for (const GameStats& g : t.Games) {
    if (g.Round < s.FirstRound || g.Round > s.LastRound || g.TeamA == g.TeamB) continue;
    if (!t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB)) continue;
    if (!isMember(g.TeamA) && !isMember(g.TeamB)) continue;
    const int winner = WinnerOf(g);
    for (const int team : {g.TeamA, g.TeamB}) {
      if (!isMember(team)) continue;
      Run& r = runs[static_cast<std::size_t>(team)];
      const bool lost = winner >= 0 && winner != team;
      if (!r.played || g.Round > r.lastRound) {
        r = {true, g.Round, lost};
      } else if (g.Round == r.lastRound) {
        r.lostLast = r.lostLast || lost;
      }
    }
    if (!anyGame || g.Round > latest) latest = g.Round;
    anyGame = true;
  }

  // The games of the latest round, and the one winner when there is a single game.
  int lastGames = 0;
  int champion = -1;
  for (const GameStats& g : t.Games) {
    if (!anyGame || g.Round != latest || g.TeamA == g.TeamB) continue;
    if (!t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB)) continue;
    if (!isMember(g.TeamA) && !isMember(g.TeamB)) continue;
    ++lastGames;
    champion = WinnerOf(g);
  }
  if (lastGames != 1 || !isMember(champion)) champion = -1;
  auto stillIn = [&](int team) {
    const Run& r = runs[static_cast<std::size_t>(team)];
    return !r.played || !r.lostLast;
  };
  bool othersStillIn = false;
  for (const Standings& rec : bracket.Teams)
    if (isMember(rec.TeamIndex) && rec.TeamIndex != champion && stillIn(rec.TeamIndex))
      othersStillIn = true;
  const bool decided = champion >= 0 && (latest >= s.LastRound || !othersStillIn);

  // Higher keys rank first: the champion or the teams still in, then the teams by the
  // round they went out in; teams without a game in a decided stage last.
  auto key = [&](int team) -> long long {
    if (!isMember(team)) return LLONG_MIN;
    const Run& r = runs[static_cast<std::size_t>(team)];
    if (decided) {
      if (team == champion) return LLONG_MAX;
      return r.played ? r.lastRound : LLONG_MIN + 1;
    }
    return stillIn(team) ? LLONG_MAX : r.lastRound;
  };
  std::vector<std::pair<long long, Standings>> keyed;
  for (Standings& rec : bracket.Teams) keyed.emplace_back(key(rec.TeamIndex), std::move(rec));
  MergeSort(keyed, [](const auto& a, const auto& b) { return a.first > b.first; });
  bracket.Teams.clear();
  bracket.Place.clear();
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    const bool shared = i > 0 && keyed[i].first == keyed[i - 1].first;
    bracket.Place.push_back(shared ? bracket.Place[i - 1] : static_cast<int>(i) + 1);
    bracket.Teams.push_back(std::move(keyed[i].second));
  }
  return decided;
}

}  // namespace drav
