#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/replaced_files.h"
#include "stats/player_stats.h"
#include "stats/team_stats.h"
#include "web/pages.h"
#include "web/web_report.h"

namespace {

// The size of a large event: 400 teams of 12 players and 5,000 games, every page on.
drav::Tournament Large() {
  drav::Tournament t = drav::bench::LargeTournament(400, 12, 5000, 12, 3);
  t.Format.RoundReports = 1;
  t.Format.Sixty = 1;
  t.Format.TrackBonuses = 1;
  t.Format.TUHeard = 1;
  t.Format.PowNeg = 1;
  return t;
}

void BM_WholeWebReport(benchmark::State& state) {
  drav::Tournament t = Large();
  t.Format.SortCriterion = static_cast<int>(state.range(0));
  const std::string dir = "drav_bench_web";
  std::filesystem::create_directory(dir);
  std::size_t failed = 0;
  for (auto _ : state) failed += drav::WriteWebReport(t, dir + "/report").size();
  state.counters["failed"] = static_cast<double>(failed);
  std::uintmax_t bytes = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) bytes += e.file_size();
  state.counters["MB_written"] = static_cast<double>(bytes) / 1e6;
  std::filesystem::remove_all(dir);
  drav::bench::ReportPeakMemory("BM_WholeWebReport");
}
// Criterion 1 (PPG) and 2 (head-to-head, the costliest comparator).
BENCHMARK(BM_WholeWebReport)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A plain copy of the files a report wrote, file by file, into a new folder (cp -r).
double CopySeconds(const std::vector<std::filesystem::path>& files,
                   const std::filesystem::path& copy) {
  std::filesystem::remove_all(copy);
  const auto start = std::chrono::steady_clock::now();
  std::filesystem::create_directory(copy);
  for (const auto& f : files)
    std::filesystem::copy_file(f, copy / f.filename(),
                               std::filesystem::copy_options::overwrite_existing);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The report beside a plain copy of the bytes it writes, alternating in one run:
// "copy_ratio" is the report's time over the copy's (the target is at most 5).
void AgainstRawCopy(benchmark::State& state, drav::Tournament& t, const std::string& name) {
  const std::string dir = "drav_bench_" + name;
  const std::string copy = dir + "_copy";
  std::filesystem::create_directory(dir);
  std::size_t failed = drav::WriteWebReport(t, dir + "/report").size();
  std::vector<std::filesystem::path> files;
  std::uintmax_t bytes = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    bytes += e.file_size();
    files.push_back(e.path());
  }
  double reportSeconds = 0;
  double copySeconds = 0;
  double releaseSeconds = 0;
  for (auto _ : state) {
    copySeconds += CopySeconds(files, copy);
    const auto start = std::chrono::steady_clock::now();
    failed += drav::WriteWebReport(t, dir + "/report").size();
    const auto written = std::chrono::steady_clock::now();
    reportSeconds += std::chrono::duration<double>(written - start).count();
    // The pages the report replaced are let go in the background once it has returned:
    // that ends here, outside both timings, so the copy never runs beside it.
    drav::platform::WaitForReplacedFiles();
    releaseSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - written).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["failed"] = static_cast<double>(failed);
  state.counters["MB_written"] = static_cast<double>(bytes) / 1e6;
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["report_ms"] = reportSeconds / n * 1e3;
  state.counters["copy_ms"] = copySeconds / n * 1e3;
  state.counters["release_ms"] = releaseSeconds / n * 1e3;
  state.counters["copy_ratio"] = copySeconds > 0 ? reportSeconds / copySeconds : 0;
  std::filesystem::remove_all(dir);
  std::filesystem::remove_all(copy);
}

void BM_ClassicWebReportAgainstCopy(benchmark::State& state) {
  drav::Tournament t = Large();
  AgainstRawCopy(state, t, "classic");
}
BENCHMARK(BM_ClassicWebReportAgainstCopy)->Unit(benchmark::kMillisecond);

void BM_ModernWebReportAgainstCopy(benchmark::State& state) {
  drav::Tournament t = Large();
  t.Extras.Report = drav::ReportStyle::Modern;
  AgainstRawCopy(state, t, "modern");
}
BENCHMARK(BM_ModernWebReportAgainstCopy)->Unit(benchmark::kMillisecond);

// Each report style built in memory only, handed to a sink: the pages without the disk.
void BM_WebReportInMemory(benchmark::State& state) {
  drav::Tournament t = Large();
  if (state.range(0) == 1) t.Extras.Report = drav::ReportStyle::Modern;
  std::size_t bytes = 0;
  const drav::ReportSink sink = [&bytes](const std::string&, const std::string& contents) {
    bytes += contents.size();
  };
  for (auto _ : state) benchmark::DoNotOptimize(drav::WriteWebReport(t, "report", &sink));
  state.counters["MB_per_run"] =
      static_cast<double>(bytes) / 1e6 / static_cast<double>(state.iterations());
}
// 0: classic, 1: modern.
BENCHMARK(BM_WebReportInMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The two detail pages built in memory only: the pages with the most rows.
void BM_DetailPagesInMemory(benchmark::State& state) {
  drav::Tournament t = Large();
  const auto teams = drav::ComputeTeamStats(t);
  const auto players = drav::ComputePlayerStats(t);
  std::string page;
  for (auto _ : state) {
    page.clear();
    drav::WriteTeamDetailPage(page, t, teams, players, "report");
    drav::WriteIndividualDetailPage(page, t, players, "report");
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["MB"] = static_cast<double>(page.size()) / 1e6;
}
BENCHMARK(BM_DetailPagesInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
