#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "bench_support.h"
#include "storage/tournament_file.h"

namespace {

// The size of a large event: 400 teams of 12 players and 5,000 games.
const drav::Tournament& Large() {
  static const drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000);
  return t;
}

std::string BenchPath() { return "drav_bench_storage.dat"; }

// What the disk itself costs: the same bytes written once and flushed (dd conv=fsync).
double DurableCopySeconds(const std::string& bytes, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return 0;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::fsync(fd);
  ::close(fd);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Saving and opening beside a durable copy of the same bytes, in one run: "ratio" is the
// command's time over the copy's (the target is at most 3).
template <typename Command>
void AgainstDurableCopy(benchmark::State& state, Command command) {
  const std::string bytes = drav::SerializeTournament(Large());
  const std::string copyPath = "drav_bench_copy.dat";
  double commandSeconds = 0;
  double copySeconds = 0;
  for (auto _ : state) {
    copySeconds += DurableCopySeconds(bytes, copyPath);
    const auto start = std::chrono::steady_clock::now();
    command();
    commandSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["copy_ms"] = copySeconds / n * 1e3;
  state.counters["command_ms"] = commandSeconds / n * 1e3;
  state.counters["ratio"] = copySeconds > 0 ? commandSeconds / copySeconds : 0;
  std::remove(copyPath.c_str());
}

void BM_SaveTournament(benchmark::State& state) {
  drav::Tournament t = Large();
  AgainstDurableCopy(state, [&] { drav::WriteTournament(t, BenchPath()); });
  std::remove(BenchPath().c_str());
}
BENCHMARK(BM_SaveTournament)->Unit(benchmark::kMillisecond);

void BM_OpenTournament(benchmark::State& state) {
  drav::Tournament t = Large();
  drav::WriteTournament(t, BenchPath());
  AgainstDurableCopy(state, [&] {
    drav::Tournament opened;
    drav::OpenTournament(opened, BenchPath());
    benchmark::DoNotOptimize(opened.Games.data());
  });
  std::remove(BenchPath().c_str());
}
BENCHMARK(BM_OpenTournament)->Unit(benchmark::kMillisecond);

}  // namespace
