#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "schedule/random_schedule.h"
#include "schedule/round_robin.h"
#include "schedule/swiss.h"

namespace {

using namespace drav;

Tournament TeamsOnly(int n) {
  Tournament t;
  for (int i = 0; i < n; ++i) t.Rosters.push_back({"Team " + std::to_string(i + 1)});
  t.TeamDivision.assign(n, -1);
  t.ExhibitionTeam.assign(n, 0);
  return t;
}

void BM_RoundRobin100(benchmark::State& state) {
  const Tournament t = TeamsOnly(100);
  for (auto _ : state) benchmark::DoNotOptimize(RoundRobinLines(t));
}
BENCHMARK(BM_RoundRobin100)->Unit(benchmark::kMillisecond);

void BM_Swiss64(benchmark::State& state) {
  Tournament t = bench::LargeTournament(64, 5, 64 * 3, 6);
  t.Format.AllRounds = 1;
  for (auto _ : state) benchmark::DoNotOptimize(SwissPairLines(t));
}
BENCHMARK(BM_Swiss64)->Unit(benchmark::kMillisecond);

// Arguments: teams, rounds, room limit code (0 none, 1 n/2 - 1, 2 n/3). Each iteration
// continues the one random sequence; the counters give search draws, steps and how often
// the constructive draw took over.
void BM_RandomDraw(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int rounds = static_cast<int>(state.range(1));
  const int code = static_cast<int>(state.range(2));
  const int limit = code == 1 ? n / 2 - 1 : code == 2 ? n / 3 : 0;
  const auto plan = PlanRandomSchedule(n, rounds, code == 0, limit);
  if (!plan) {
    state.SkipWithError("no plan");
    return;
  }
  RandomSource rng;
  double draws = 0, steps = 0, constructive = 0, found = 0;
  for (auto _ : state) {
    const RandomDraw d = DrawRandomSchedule(*plan, rng);
    draws += static_cast<double>(d.searchDraws);
    steps += static_cast<double>(d.steps);
    constructive += d.constructive ? 1 : 0;
    found += d.outcome == DrawOutcome::kFound ? 1 : 0;
  }
  state.counters["draws"] = benchmark::Counter(draws, benchmark::Counter::kAvgIterations);
  state.counters["steps"] = benchmark::Counter(steps, benchmark::Counter::kAvgIterations);
  state.counters["constructive"] =
      benchmark::Counter(constructive, benchmark::Counter::kAvgIterations);
  state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RandomDraw)
    ->ArgsProduct({{12, 16, 20, 32}, {5, 7, 9}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
