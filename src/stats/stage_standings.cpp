#include "stats/stage_standings.h"

#include <algorithm>

#include "model/error.h"
#include "model/merge_sort.h"
#include "stats/quickprint.h"
#include "stats/stage_view.h"
#include "stats/standings_order.h"

namespace drav {

std::string StageLabel(const Stage& s) {
  if (s.FirstRound == s.LastRound) return s.Name + " (round " + std::to_string(s.FirstRound) + ")";
  return s.Name + " (rounds " + std::to_string(s.FirstRound) + "\u2013" +
         std::to_string(s.LastRound) + ")";
}

std::vector<RankedBracket> RankStage(const Tournament& t, int stage) {
  const Tournament view = StageView(t, stage);
  const TeamTables tables = ComputeStandings(view);
  const TeamOrder order(view, tables.TeamStatsByIndex);
  const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(stage));

  std::vector<RankedBracket> ranked;
  const std::size_t tableCount = s.Brackets.empty() ? 1 : s.Brackets.size();
  for (std::size_t b = 0; b < tableCount; ++b) {
    RankedBracket r;
    r.Bracket = s.Brackets.empty() ? -1 : static_cast<int>(b);
    if (!s.Brackets.empty()) r.Name = s.Brackets[b].Name;
    ranked.push_back(std::move(r));
  }
  // The whole stage in standings order, dealt out to the brackets: a bracket's order is
  // the order its teams keep in the stage's one sorted list, as divisions are ranked.
  for (const Standings& rec : tables.TeamStats) {
    const int bracket = view.DivisionOf(rec.TeamIndex);
    if (s.Brackets.empty()) {
      if (rec.GamesCount > 0) ranked[0].Teams.push_back(rec);
    } else if (bracket >= 0 && bracket < static_cast<int>(ranked.size())) {
      ranked[static_cast<std::size_t>(bracket)].Teams.push_back(rec);
    }
  }
  for (RankedBracket& r : ranked) {
    for (std::size_t i = 0; i < r.Teams.size(); ++i) {
      const bool tied =
          i > 0 && !order(r.Teams[i - 1], r.Teams[i]) && !order(r.Teams[i], r.Teams[i - 1]);
      r.Place.push_back(tied ? r.Place[i - 1] : static_cast<int>(i) + 1);
    }
  }
  return ranked;
}

std::vector<std::string> StageTeamStandingsLines(const Tournament& t, int stage) {
  std::vector<std::string> lines{StageLabel(t.Extras.Stages.at(static_cast<std::size_t>(stage)))};
  const Tournament view = StageView(t, stage);
  // The # column is the place within the bracket, shared places marked "=", as on the
  // web report and in the final ranking.
  const auto& stages = t.Extras.Stages;
  for (RankedBracket bracket : RankStage(t, stage)) {
    // Within a shared place, the teams stand in the order the director settled: the order
    // they were given in the next stage's brackets; the teams that went on come first.
    if (static_cast<std::size_t>(stage) + 1 < stages.size()) {
      const Stage& next = stages[static_cast<std::size_t>(stage) + 1];
      auto settled = [&](int team) {
        int at = 0;
        for (const Bracket& b : next.Brackets)
          for (int member : b.Teams) {
            if (member == team) return at;
            ++at;
          }
        return at + 1;
      };
      for (std::size_t i = 0; i < bracket.Teams.size();) {
        std::size_t j = i + 1;
        while (j < bracket.Teams.size() && bracket.Place[j] == bracket.Place[i]) ++j;
        std::vector<Standings> tie(bracket.Teams.begin() + static_cast<std::ptrdiff_t>(i),
                                   bracket.Teams.begin() + static_cast<std::ptrdiff_t>(j));
        MergeSort(tie, [&](const Standings& a, const Standings& b) {
          return settled(a.TeamIndex) < settled(b.TeamIndex);
        });
        std::copy(tie.begin(), tie.end(), bracket.Teams.begin() + static_cast<std::ptrdiff_t>(i));
        i = j;
      }
    }
    if (bracket.Bracket >= 0) lines.push_back(bracket.Name);
    lines.push_back(TeamHeader(view));
    for (std::size_t i = 0; i < bracket.Teams.size(); ++i) {
      if (bracket.Teams[i].GamesCount <= 0) continue;
      const int place = bracket.Place[i];
      const bool shared = (i > 0 && bracket.Place[i - 1] == place) ||
                          (i + 1 < bracket.Teams.size() && bracket.Place[i + 1] == place);
      lines.push_back(
          TeamLine(view, bracket.Teams[i], std::to_string(place) + (shared ? "=" : "")));
    }
    lines.push_back(" ");
  }
  return lines;
}

std::vector<std::string> StagePlayerStandingsLines(const Tournament& t, int stage) {
  std::vector<std::string> lines{StageLabel(t.Extras.Stages.at(static_cast<std::size_t>(stage)))};
  const std::vector<std::string> body = PlayerStandingsLines(StageView(t, stage));
  lines.insert(lines.end(), body.begin(), body.end());
  return lines;
}

int FindStage(const Tournament& t, const std::string& name) {
  for (std::size_t i = 0; i < t.Extras.Stages.size(); ++i)
    if (t.Extras.Stages[i].Name == name) return static_cast<int>(i);
  throw DravError("No stage is named " + name);
}

}  // namespace drav
