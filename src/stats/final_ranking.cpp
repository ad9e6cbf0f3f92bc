#include "stats/final_ranking.h"

#include <algorithm>

#include "model/merge_sort.h"
#include "model/stages.h"
#include "stats/elimination.h"
#include "stats/quickprint.h"
#include "stats/stage_standings.h"

namespace drav {

namespace {

// The hand-set places over the computed ranking: each hand-set team at its number, the
// computed teams (without them) filling the places between in their order, computed ties
// kept together.
std::vector<FinalRankEntry> WithHandSetPlaces(const Tournament& t,
                                              const std::vector<FinalRankEntry>& computed) {
  std::vector<FinalPlace> places;
  std::vector<char> handSet(t.Rosters.size(), 0);
  for (const FinalPlace& p : t.Extras.FinalPlaces) {
    if (!t.IsTeam(p.Team) || p.Place < 1 || p.Place > kMaxFinalPlace ||
        handSet[static_cast<std::size_t>(p.Team)])
      continue;
    handSet[static_cast<std::size_t>(p.Team)] = 1;
    places.push_back(p);
  }
  if (places.empty()) return computed;
  MergeSort(places, [](const FinalPlace& a, const FinalPlace& b) { return a.Place < b.Place; });
  std::vector<FinalRankEntry> rest;
  std::vector<const FinalRankEntry*> whereOf(t.Rosters.size(), nullptr);
  for (const FinalRankEntry& e : computed) {
    if (!t.IsTeam(e.Team)) continue;
    whereOf[static_cast<std::size_t>(e.Team)] = &e;
    if (!handSet[static_cast<std::size_t>(e.Team)]) rest.push_back(e);
  }

  std::vector<FinalRankEntry> ranking;
  std::size_t nextPlace = 0, nextRest = 0;
  long long position = 1;  // the place the next team takes
  while (nextPlace < places.size() || nextRest < rest.size()) {
    std::size_t end = 0;
    if (nextPlace < places.size() &&
        (nextRest >= rest.size() || places[nextPlace].Place <= position)) {
      end = nextPlace + 1;
      while (end < places.size() && places[end].Place == places[nextPlace].Place) ++end;
      for (std::size_t i = nextPlace; i < end; ++i) {
        FinalRankEntry e;
        if (const FinalRankEntry* was = whereOf[static_cast<std::size_t>(places[i].Team)]) e = *was;
        e.Team = places[i].Team;
        e.Rank = places[nextPlace].Place;
        e.Tied = end - nextPlace > 1;
        e.Manual = true;
        ranking.push_back(e);
      }
      position = std::max<long long>(position, places[nextPlace].Place) +
                 static_cast<long long>(end - nextPlace);
      nextPlace = end;
      continue;
    }
    end = nextRest + 1;
    while (end < rest.size() && rest[end].Rank == rest[nextRest].Rank) ++end;
    for (std::size_t i = nextRest; i < end; ++i) {
      FinalRankEntry e = rest[i];
      e.Rank = static_cast<int>(position);
      e.Tied = end - nextRest > 1;
      ranking.push_back(e);
    }
    position += static_cast<long long>(end - nextRest);
    nextRest = end;
  }
  return ranking;
}

}  // namespace

std::vector<FinalRankEntry> FinalRanking(const Tournament& t) {
  std::vector<std::vector<RankedBracket>> stages;
  for (int stage = 0; stage < static_cast<int>(t.Extras.Stages.size()); ++stage)
    stages.push_back(RankStage(t, stage));
  return FinalRanking(t, stages);
}

std::vector<FinalRankEntry> FinalRanking(const Tournament& t,
                                         const std::vector<std::vector<RankedBracket>>& stages) {
  std::vector<FinalRankEntry> ranking;
  std::vector<char> placed(t.Rosters.size(), 0);
  for (int stage = static_cast<int>(stages.size()) - 1; stage >= 0; --stage) {
    const bool elimination =
        static_cast<std::size_t>(stage) < t.Extras.Stages.size() &&
        t.Extras.Stages[static_cast<std::size_t>(stage)].Kind == StageKind::Elimination;
    for (RankedBracket bracket : stages[static_cast<std::size_t>(stage)]) {
      if (elimination) PlaceByElimination(t, stage, bracket);
      int previousPlace = 0;  // the bracket place of the team ranked just before, 0: none
      for (std::size_t i = 0; i < bracket.Teams.size(); ++i) {
        const int team = bracket.Teams[i].TeamIndex;
        if (!t.IsTeam(team) || placed[static_cast<std::size_t>(team)]) continue;
        placed[static_cast<std::size_t>(team)] = 1;
        FinalRankEntry e;
        e.Team = team;
        e.Stage = stage;
        e.Bracket = bracket.Bracket;
        e.Rank = static_cast<int>(ranking.size()) + 1;
        const int place = i < bracket.Place.size() ? bracket.Place[i] : static_cast<int>(i) + 1;
        if (previousPlace != 0 && previousPlace == place) {
          FinalRankEntry& before = ranking.back();
          e.Rank = before.Rank;
          e.Tied = before.Tied = true;
        }
        previousPlace = place;
        ranking.push_back(e);
      }
    }
  }
  return WithHandSetPlaces(t, ranking);
}

bool FinalRankingProvisional(const Tournament& t) {
  if (t.Extras.Finished) return false;
  if (!t.Extras.FinalPlaces.empty()) return true;
  for (const Stage& s : t.Extras.Stages)
    if (s.Kind == StageKind::Elimination) return true;
  return false;
}

std::vector<std::string> FinalRankingLines(const Tournament& t) {
  std::vector<std::string> lines{
      FinalRankingProvisional(t) ? "Final ranking (provisional)" : "Final ranking",
      LeftField("#", 5) + LeftField("Team", 24) + "Finished in"};
  for (const FinalRankEntry& e : FinalRanking(t)) {
    std::string where;
    if (e.Manual) {
      where = "place set by the director";
    } else if (e.Stage >= 0 && static_cast<std::size_t>(e.Stage) < t.Extras.Stages.size()) {
      const Stage& s = t.Extras.Stages[static_cast<std::size_t>(e.Stage)];
      where = s.Name;
      if (e.Bracket >= 0 && e.Bracket < static_cast<int>(s.Brackets.size()))
        where += ": " + s.Brackets[static_cast<std::size_t>(e.Bracket)].Name;
    }
    lines.push_back(LeftField(std::to_string(e.Rank) + (e.Tied ? "=" : ""), 5) +
                    LeftField(t.TeamName(e.Team), 24) + where);
  }
  return lines;
}

}  // namespace drav
