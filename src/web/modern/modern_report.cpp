#include "web/modern/modern_report.h"

#include <unordered_map>
#include <utility>

#include "model/merge_sort.h"
#include "stats/player_stats.h"
#include "stats/stage_standings.h"
#include "stats/stage_view.h"
#include "stats/team_stats.h"
#include "web/html.h"
#include "web/modern/site.h"
#include "web/report_writer.h"
#include "web/team_games.h"

namespace drav {

using modern::Site;

namespace {

// Every file of the report in writing order, pages first; the same list serves the
// writing and Post to Web, so the two cannot disagree.
struct PlannedFile {
  enum Kind {
    Index,
    Final,
    Standings,
    Individuals,
    Team,
    RoundIndex,
    Round,
    RoundReport,
    Key,
    Style,
    Script,
    Icon
  };
  Kind kind;
  int arg;  // stage (-1 all), team or round
  std::string suffix;
  const char* failure;
};

// teams: the teams that get a page, by index; empty: all.
std::vector<PlannedFile> Plan(const Tournament& t, const std::vector<int>& rounds,
                              const std::vector<bool>& teams) {
  using K = PlannedFile::Kind;
  std::vector<PlannedFile> files;
  files.push_back({K::Index, 0, std::string(modern::kIndexFile), "Index Page Upload Failed"});
  const int stages = static_cast<int>(t.Extras.Stages.size());
  if (stages > 0)
    files.push_back({K::Final, 0, std::string(modern::kFinalFile), "Final Ranking Upload Failed"});
  for (int s = -1; s < stages; ++s)
    files.push_back({K::Standings, s, modern::StandingsFile(s), "Team Standings Upload Failed"});
  for (int s = -1; s < stages; ++s)
    files.push_back(
        {K::Individuals, s, modern::IndividualsFile(s), "Individual Standings Upload Failed"});
  for (int team = 0; team < t.TeamCount(); ++team)
    if (teams.empty() || teams[static_cast<std::size_t>(team)])
      files.push_back({K::Team, team, modern::TeamFile(team), "Team Page Upload Failed"});
  files.push_back({K::RoundIndex, 0, std::string(modern::kGamesFile), "Scoreboard Upload Failed"});
  for (int round : rounds)
    files.push_back({K::Round, round, modern::RoundFile(round), "Scoreboard Upload Failed"});
  files.push_back(
      {K::RoundReport, 0, std::string(modern::kRoundsFile), "Round Reports Upload Failed"});
  files.push_back({K::Key, 0, std::string(modern::kKeyFile), "Stat Key Upload Failed"});
  files.push_back({K::Style, 0, std::string(modern::kStyleFile), "Style Sheet Upload Failed"});
  files.push_back({K::Script, 0, std::string(modern::kScriptFile), "Script Upload Failed"});
  files.push_back({K::Icon, 0, std::string(modern::kIconFile), "Icon Upload Failed"});
  return files;
}

// The rounds, from the games in round order (the report's own order).
std::vector<int> RoundsInRoundOrder(const Tournament& t) {
  std::vector<int> rounds;
  for (const GameStats& g : t.Games)
    if (modern::OnScoreboard(t, g)) rounds.push_back(g.Round);
  MergeSort(rounds, [](int a, int b) { return a < b; });
  std::vector<int> distinct;
  for (int r : rounds)
    if (distinct.empty() || distinct.back() != r) distinct.push_back(r);
  return distinct;
}

}  // namespace

std::vector<ReportFile> ModernReportFiles(const Tournament& t) {
  std::vector<ReportFile> files;
  for (const PlannedFile& f : Plan(t, RoundsInRoundOrder(t), {}))
    files.push_back({f.suffix, f.failure});
  return files;
}

namespace {

std::vector<std::string> Write(Tournament& t, const std::string& basePath, const ReportSink* sink,
                               std::vector<bool> teams) {
  // Every figure first, on the games in their stored order; the pages then list the games
  // in round order.
  std::vector<modern::Tables> tables;
  for (int s = -1; s < static_cast<int>(t.Extras.Stages.size()); ++s)
    tables.push_back(modern::TablesOf(t, s));

  t.Format.SortByRound = 1;
  web::GamesInRoundOrder roundOrder(t);
  const Tournament& view = t;
  Site site{view,
            LinkBaseOf(basePath),
            RoundsInRoundOrder(view),
            !view.Extras.Stages.empty(),
            std::move(tables),
            std::move(teams)};
  const std::vector<Standings>& teamStats = site.tables.front().byIndex;

  // Each team's players in individual standings order, and each round's games.
  std::vector<std::vector<const Individuals*>> playersOfTeam(
      static_cast<std::size_t>(t.TeamCount()));
  for (const Individuals& p : site.tables.front().players)
    if (p.GP > 0 && view.IsTeam(p.TeamIndex))
      playersOfTeam[static_cast<std::size_t>(p.TeamIndex)].push_back(&p);
  const auto gamesByTeam = web::GamesByTeam(view);
  std::unordered_map<int, std::vector<std::size_t>> gamesOfRound;
  for (std::size_t i = 0; i < view.Games.size(); ++i)
    if (modern::OnScoreboard(view, view.Games[i])) gamesOfRound[view.Games[i].Round].push_back(i);
  const std::vector<std::size_t> none;

  web::ReportWriter writer(basePath, sink);
  using K = PlannedFile::Kind;
  for (const PlannedFile& file : Plan(view, site.rounds, site.teams)) {
    writer.Page(file.suffix, [&](std::string& page) {
      switch (file.kind) {
        case K::Index:
          modern::WriteIndexPage(page, site);
          break;
        case K::Final:
          modern::WriteFinalPage(page, site);
          break;
        case K::Standings:
          modern::WriteStandingsPage(page, site, file.arg);
          break;
        case K::Individuals:
          modern::WriteIndividualsPage(page, site, file.arg);
          break;
        case K::Team: {
          const auto slot = static_cast<std::size_t>(file.arg);
          modern::WriteTeamPage(page, site, file.arg, gamesByTeam[slot], teamStats[slot],
                                playersOfTeam[slot]);
          break;
        }
        case K::RoundIndex:
          modern::WriteRoundIndexPage(page, site);
          break;
        case K::Round: {
          auto it = gamesOfRound.find(file.arg);
          modern::WriteRoundPage(page, site, file.arg,
                                 it != gamesOfRound.end() ? it->second : none);
          break;
        }
        case K::RoundReport:
          modern::WriteRoundReport(page, site);
          break;
        case K::Key:
          modern::WriteKeyPage(page, site);
          break;
        case K::Style:
          page += modern::StyleSheetText();
          break;
        case K::Script:
          page += modern::ScriptText();
          break;
        case K::Icon:
          page += modern::IconBytes();
          break;
      }
    });
  }
  return writer.TakeFailures();
}

}  // namespace

std::vector<std::string> WriteModernReport(Tournament& t, const std::string& basePath,
                                           const ReportSink* sink) {
  return Write(t, basePath, sink, {});
}

std::vector<std::string> WriteModernStageReport(const Tournament& t, int stage,
                                                const std::string& basePath) {
  const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(stage));
  Tournament view = StageView(t, stage);
  std::string& name = view.Format.TourneyName;
  if (!name.empty()) name += ' ';
  name += StageLabel(s);
  // The report is of this stage alone: its brackets are the standings' tables, and it has
  // no stage pages of its own.
  view.Extras.Stages.clear();
  // Its teams: those of its brackets and those that played in it.
  std::vector<bool> teams(static_cast<std::size_t>(view.TeamCount()), false);
  for (int team = 0; team < view.TeamCount(); ++team)
    teams[static_cast<std::size_t>(team)] = view.DivisionOf(team) >= 0;
  for (const GameStats& g : view.Games)
    for (int team : {g.TeamA, g.TeamB})
      if (view.IsTeam(team)) teams[static_cast<std::size_t>(team)] = true;
  return Write(view, basePath, nullptr, std::move(teams));
}

}  // namespace drav
