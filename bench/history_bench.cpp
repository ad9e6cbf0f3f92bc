// One Undo step on a tournament the size of the 2014 national championship (272 teams,
// 1,510 games): the time of a step (the snapshot taken before and after a change), of an
// Undo, and the memory a snapshot takes against the 200 MB the history may keep.
#include <benchmark/benchmark.h>

#include "app/history.h"
#include "bench_support.h"

namespace {

const drav::Tournament& Championship() {
  static const drav::Tournament t = drav::bench::LargeTournament(272, 6, 1510);
  return t;
}

// As a command does it: the present state is brought up to date, one game changes, the
// state after it is pushed.
void BM_HistoryStep(benchmark::State& state) {
  drav::Tournament t = Championship();
  drav::app::History history;
  history.Reset(t);
  int score = 0;
  for (auto _ : state) {
    history.Refresh(t);
    t.Games[0].ScoreA = ++score % 500;
    history.Push("Store Game 1", "10:42", t);
  }
  const std::size_t one = drav::app::SnapshotBytes(t);
  state.counters["snapshot_MB"] = static_cast<double>(one) / (1024.0 * 1024.0);
  state.counters["steps_in_limit"] =
      static_cast<double>(drav::app::History::kMaxBytes / (one ? one : 1));
  state.counters["kept_MB"] = static_cast<double>(history.Bytes()) / (1024.0 * 1024.0);
  drav::bench::ReportPeakMemory("after 100 kept steps of the championship");
}
BENCHMARK(BM_HistoryStep)->Unit(benchmark::kMillisecond);

// Undo and Redo: the tournament becomes a kept state.
void BM_HistoryUndoRedo(benchmark::State& state) {
  drav::Tournament t = Championship();
  drav::app::History history;
  history.Reset(t);
  t.Games.pop_back();
  history.Push("Delete Game 1510", "10:42", t);
  for (auto _ : state) {
    t = history.Undo();
    t = history.Redo();
    benchmark::DoNotOptimize(t.Games.data());
  }
}
BENCHMARK(BM_HistoryUndoRedo)->Unit(benchmark::kMillisecond);

}  // namespace
