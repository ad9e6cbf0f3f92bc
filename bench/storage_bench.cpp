#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "storage/tournament_file.h"

namespace {

// The size of a large event: 400 teams of 12 players and 5,000 games.
const drav::Tournament& Large() {
  static const drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000);
  return t;
}

std::string BenchPath() { return "drav_bench_storage.dat"; }

void BM_SaveTournament(benchmark::State& state) {
  drav::Tournament t = Large();
  for (auto _ : state) drav::WriteTournament(t, BenchPath());
  std::remove(BenchPath().c_str());
}
BENCHMARK(BM_SaveTournament)->Unit(benchmark::kMillisecond);

void BM_OpenTournament(benchmark::State& state) {
  drav::Tournament t = Large();
  drav::WriteTournament(t, BenchPath());
  for (auto _ : state) {
    drav::Tournament opened;
    drav::OpenTournament(opened, BenchPath());
    benchmark::DoNotOptimize(opened.Games.data());
  }
  std::remove(BenchPath().c_str());
}
BENCHMARK(BM_OpenTournament)->Unit(benchmark::kMillisecond);

}  // namespace
