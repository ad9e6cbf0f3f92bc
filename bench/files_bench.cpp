#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "entry/ordering.h"
#include "storage/merge.h"
#include "storage/roster_file.h"
#include "storage/tournament_file.h"

namespace {

// The size of a large event: 400 teams of 12 players and 5,000 games.
const drav::Tournament& Large() {
  static const drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000);
  return t;
}

// Merging a large file into itself matches every team and player by name.
void BM_MergeSameFile(benchmark::State& state) {
  const std::string text = drav::SerializeTournament(Large());
  for (auto _ : state) {
    drav::Tournament merged = drav::MergeTournamentText(Large(), text);
    benchmark::DoNotOptimize(merged.Games.data());
  }
}
BENCHMARK(BM_MergeSameFile)->Unit(benchmark::kMillisecond);

void BM_MergeIntoEmpty(benchmark::State& state) {
  const std::string text = drav::SerializeTournament(Large());
  for (auto _ : state) {
    drav::Tournament merged = drav::MergeTournamentText(drav::Tournament{}, text);
    benchmark::DoNotOptimize(merged.Games.data());
  }
}
BENCHMARK(BM_MergeIntoEmpty)->Unit(benchmark::kMillisecond);

void BM_ReadRosters(benchmark::State& state) {
  std::string text;
  const drav::Tournament& t = Large();
  for (std::size_t i = 0; i < t.Rosters.size(); ++i) {
    text += t.Rosters[i][0] + "\r\nDivision " + std::to_string(i % 8) + "\r\n";
    for (std::size_t p = 1; p < t.Rosters[i].size(); ++p) text += t.Rosters[i][p] + "\r\n";
    text += ".\r\n";
  }
  text += "~\r\n";
  drav::NewTournamentChoices choices;
  choices.Divisions = true;
  for (auto _ : state) {
    drav::Tournament read = drav::ParseRosters(text, drav::Tournament{}, choices);
    benchmark::DoNotOptimize(read.Rosters.data());
  }
}
BENCHMARK(BM_ReadRosters)->Unit(benchmark::kMillisecond);

void BM_SortTeams(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    drav::Tournament t = Large();
    state.ResumeTiming();
    drav::SortTeams(t);
    benchmark::DoNotOptimize(t.Games.data());
  }
}
BENCHMARK(BM_SortTeams)->Unit(benchmark::kMillisecond);

}  // namespace
