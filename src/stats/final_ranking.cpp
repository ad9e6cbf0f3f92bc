#include "stats/final_ranking.h"

#include "stats/quickprint.h"
#include "stats/stage_standings.h"

namespace drav {

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
    for (const RankedBracket& bracket : stages[static_cast<std::size_t>(stage)]) {
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
  return ranking;
}

std::vector<std::string> FinalRankingLines(const Tournament& t) {
  std::vector<std::string> lines{"Final ranking",
                                 LeftField("#", 5) + LeftField("Team", 24) + "Finished in"};
  for (const FinalRankEntry& e : FinalRanking(t)) {
    const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(e.Stage));
    std::string where = s.Name;
    if (e.Bracket >= 0 && e.Bracket < static_cast<int>(s.Brackets.size()))
      where += ": " + s.Brackets[static_cast<std::size_t>(e.Bracket)].Name;
    lines.push_back(LeftField(std::to_string(e.Rank) + (e.Tied ? "=" : ""), 5) +
                    LeftField(t.TeamName(e.Team), 24) + where);
  }
  return lines;
}

}  // namespace drav
