#include "web/modern/modern_report.h"

#include <unordered_map>
#include <utility>

#include "model/merge_sort.h"
#include "stats/final_ranking.h"
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
    Player,
    RoundIndex,
    Round,
    RoundReport,
    Key,
    Style,
    Script,
    Search,
    Icon
  };
  Kind kind;
  int arg;  // stage (-1 all), team or round
  std::string suffix;
  const char* failure;
  int player;    // a player's game log: arg is the team
  int part = 0;  // the page of a long individual standings
};

// teams: the teams that get a page, by index; empty: all. logs: the players who get a
// game log.
std::vector<PlannedFile> Plan(const Tournament& t, const std::vector<int>& rounds,
                              const std::vector<bool>& teams,
                              const modern::PageAddresses& addresses,
                              const std::vector<std::vector<bool>>& logs,
                              const std::vector<modern::Tables>& tables) {
  using K = PlannedFile::Kind;
  std::vector<PlannedFile> files;
  auto add = [&](K kind, int arg, std::string suffix, const char* failure, int player = -1) {
    files.push_back({kind, arg, std::move(suffix), failure, player});
  };
  add(K::Index, 0, std::string(modern::kIndexFile), "Index Page Upload Failed");
  const int stages = static_cast<int>(t.Extras.Stages.size());
  if (stages > 0) add(K::Final, 0, std::string(modern::kFinalFile), "Final Ranking Upload Failed");
  for (int s = -1; s < stages; ++s)
    add(K::Standings, s, modern::StandingsFile(s), "Team Standings Upload Failed");
  for (int s = -1; s < stages; ++s) {
    const int parts =
        static_cast<int>(tables.at(static_cast<std::size_t>(s + 1)).IndividualsParts());
    for (int part = 0; part < parts; ++part)
      files.push_back({K::Individuals, s, modern::IndividualsFile(s, part),
                       "Individual Standings Upload Failed", -1, part});
  }
  for (int team = 0; team < t.TeamCount(); ++team)
    if (teams.empty() || teams[static_cast<std::size_t>(team)])
      add(K::Team, team, modern::TeamFile(addresses, team), "Team Page Upload Failed");
  for (int team = 0; team < t.TeamCount(); ++team)
    for (int p = 0; p < t.PlayerCount(team); ++p)
      if (logs[static_cast<std::size_t>(team)][static_cast<std::size_t>(p)])
        add(K::Player, team, modern::PlayerFile(addresses, team, p), "Player Page Upload Failed",
            p);
  add(K::RoundIndex, 0, std::string(modern::kGamesFile), "Scoreboard Upload Failed");
  for (int round : rounds)
    add(K::Round, round, modern::RoundFile(round), "Scoreboard Upload Failed");
  add(K::RoundReport, 0, std::string(modern::kRoundsFile), "Round Reports Upload Failed");
  add(K::Key, 0, std::string(modern::kKeyFile), "Stat Key Upload Failed");
  add(K::Style, 0, std::string(modern::kStyleFile), "Style Sheet Upload Failed");
  add(K::Script, 0, std::string(modern::kScriptFile), "Script Upload Failed");
  add(K::Search, 0, std::string(modern::kSearchFile), "Search Data Upload Failed");
  add(K::Icon, 0, std::string(modern::kIconFile), "Icon Upload Failed");
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

// The players who get a game log: those who played, on the teams the report covers.
std::vector<std::vector<bool>> LogsOf(const Tournament& t, const std::vector<Individuals>& players,
                                      const std::vector<bool>& teams) {
  std::vector<std::vector<bool>> logs;
  for (int team = 0; team < t.TeamCount(); ++team)
    logs.emplace_back(static_cast<std::size_t>(t.PlayerCount(team)), false);
  for (const Individuals& p : players) {
    const auto team = static_cast<std::size_t>(p.TeamIndex);
    if (p.GP > 0 && t.IsTeam(p.TeamIndex) && (teams.empty() || teams[team]) && p.PlayerIndex >= 1 &&
        static_cast<std::size_t>(p.PlayerIndex) <= logs[team].size())
      logs[team][static_cast<std::size_t>(p.PlayerIndex - 1)] = true;
  }
  return logs;
}

}  // namespace

std::vector<ReportFile> ModernReportFiles(const Tournament& t) {
  std::vector<ReportFile> files;
  std::vector<modern::Tables> tables;
  for (int s = -1; s < static_cast<int>(t.Extras.Stages.size()); ++s)
    tables.push_back(modern::TablesOf(t, s));
  const auto logs = LogsOf(t, tables.front().players, {});
  for (const PlannedFile& f :
       Plan(t, RoundsInRoundOrder(t), {}, modern::AddressesOf(t), logs, tables))
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
  auto logs = LogsOf(view, tables.front().players, teams);
  Site site{view,
            LinkBaseOf(basePath),
            RoundsInRoundOrder(view),
            !view.Extras.Stages.empty(),
            std::move(tables),
            std::move(teams),
            modern::AddressesOf(view),
            std::move(logs),
            modern::ReportTimeText(),
            {},
            {},
            {},
            {}};
  if (site.finalRanking) site.ranking = FinalRanking(view);
  site.places = modern::StandingsPlaces(site);
  modern::MakeLinks(site);
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
  // Each player's counted games, in round order.
  std::vector<std::vector<std::vector<modern::PlayerGame>>> gamesOfPlayer;
  for (int team = 0; team < view.TeamCount(); ++team)
    gamesOfPlayer.emplace_back(static_cast<std::size_t>(view.PlayerCount(team)));
  for (std::size_t i = 0; i < view.Games.size(); ++i) {
    const GameStats& g = view.Games[i];
    for (bool sideA : {true, false}) {
      if (!CountsForPlayers(view, g, sideA)) continue;
      auto& ofTeam = gamesOfPlayer[static_cast<std::size_t>(sideA ? g.TeamA : g.TeamB)];
      for (int row = 0; row < kRows; ++row) {
        const int player = sideA ? g.PlayerA[row] : g.PlayerB[row];
        if (player < 0 || static_cast<std::size_t>(player) >= ofTeam.size()) continue;
        auto& games = ofTeam[static_cast<std::size_t>(player)];
        if (games.empty() || games.back().game != i || games.back().sideA != sideA)
          games.push_back({i, sideA});
      }
    }
  }
  std::unordered_map<std::int64_t, const Individuals*> recordOf;
  for (const Individuals& p : site.tables.front().players)
    recordOf[static_cast<std::int64_t>(p.TeamIndex) << 32 | p.PlayerIndex] = &p;

  web::ReportWriter writer(basePath, sink);
  using K = PlannedFile::Kind;
  for (const PlannedFile& file :
       Plan(view, site.rounds, site.teams, site.addresses, site.logs, site.tables)) {
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
          modern::WriteIndividualsPage(page, site, file.arg, file.part);
          break;
        case K::Team: {
          const auto slot = static_cast<std::size_t>(file.arg);
          modern::WriteTeamPage(page, site, file.arg, gamesByTeam[slot], teamStats[slot],
                                playersOfTeam[slot]);
          break;
        }
        case K::Player: {
          const Individuals& p =
              *recordOf.at(static_cast<std::int64_t>(file.arg) << 32 | (file.player + 1));
          modern::WritePlayerPage(page, site, p,
                                  gamesOfPlayer[static_cast<std::size_t>(file.arg)]
                                               [static_cast<std::size_t>(file.player)]);
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
        case K::Search:
          modern::WriteSearchData(page, site);
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
