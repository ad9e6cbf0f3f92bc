#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "stats/final_ranking.h"
#include "stats/stage_standings.h"

namespace {

// Brackets of the given count, team i in bracket i % count.
std::vector<drav::Bracket> Brackets(int teams, int count, const char* prefix) {
  std::vector<drav::Bracket> brackets;
  for (int b = 0; b < count; ++b) brackets.push_back({prefix + std::to_string(b + 1), {}});
  for (int i = 0; i < teams; ++i) brackets[static_cast<std::size_t>(i % count)].Teams.push_back(i);
  return brackets;
}

// 400 teams, 5,000 games over 12 rounds, in three stages: 16 prelim pools, 8 playoff
// brackets with carry-over, 4 final brackets.
drav::Tournament Staged() {
  drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000);
  t.Extras.Stages = {{"Prelims", 1, 6, false, Brackets(400, 16, "Pool ")},
                     {"Playoffs", 7, 10, true, Brackets(400, 8, "Playoff ")},
                     {"Finals", 11, 12, false, Brackets(400, 4, "Final ")}};
  return t;
}

void BM_EveryStageAndTheFinalRanking(benchmark::State& state) {
  const drav::Tournament t = Staged();
  for (auto _ : state) {
    std::vector<std::vector<drav::RankedBracket>> stages;
    for (int s = 0; s < 3; ++s) stages.push_back(drav::RankStage(t, s));
    auto ranking = drav::FinalRanking(t, stages);
    benchmark::DoNotOptimize(ranking.data());
  }
}
BENCHMARK(BM_EveryStageAndTheFinalRanking)->Unit(benchmark::kMillisecond);

}  // namespace
