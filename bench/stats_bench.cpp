#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "stats/player_stats.h"
#include "stats/quickprint.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"

namespace {

// A large event: 400 teams of 12 players and 5,000 games.
const drav::Tournament& Large() {
  static const drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000);
  return t;
}

// Team statistics and the standings order under criterion state.range(0).
void BM_TeamStandings(benchmark::State& state) {
  drav::Tournament t = Large();
  t.Format.AllRounds = 1;
  t.Format.SortCriterion = static_cast<int>(state.range(0));
  for (auto _ : state) {
    drav::TeamTables tables = drav::ComputeStandings(t);
    benchmark::DoNotOptimize(tables.TeamStats.data());
  }
}
BENCHMARK(BM_TeamStandings)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

void BM_PlayerStandings(benchmark::State& state) {
  drav::Tournament t = Large();
  t.Format.AllRounds = 1;
  t.Format.TUHSort = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::vector<drav::Individuals> players = drav::ComputePlayerStats(t);
    drav::SortPlayerStats(t, players);
    benchmark::DoNotOptimize(players.data());
  }
}
BENCHMARK(BM_PlayerStandings)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The three QuickPrint texts: 0 teams, 1 individuals, 2 games.
void BM_QuickPrintText(benchmark::State& state) {
  drav::Tournament t = Large();
  t.Format.AllRounds = 1;
  t.Format.RoundReports = 1;
  for (auto _ : state) {
    std::vector<std::string> lines;
    if (state.range(0) == 0)
      lines = drav::TeamStandingsLines(t);
    else if (state.range(0) == 1)
      lines = drav::PlayerStandingsLines(t);
    else
      lines = drav::GameResultsLines(t);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_QuickPrintText)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
