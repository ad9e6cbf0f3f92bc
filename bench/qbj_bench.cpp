// The 2014 national championship (272 teams, 1,510 matches) through the QBJ reader, and
// its full web report. The sample is kept zipped in the shared material beside the
// checkout (or where DRAV_SHARED_DIR points); without it or unzip the benchmarks skip.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "storage/line_reader.h"
#include "storage/qbj.h"
#include "storage/tournament_file.h"
#include "web/web_report.h"

namespace {

namespace fs = std::filesystem;

fs::path SharedDir() {
  if (const char* env = std::getenv("DRAV_SHARED_DIR"); env && *env) return env;
  // The checkout's sibling "shared", as the tests find it.
  return fs::path(__FILE__).parent_path().parent_path().parent_path() / "shared";
}

// The sample's text, or "" when it cannot be had.
const std::string& Championship() {
  static const std::string text = [] {
    const fs::path zip = SharedDir() / "qbj" / "hsnct2014.qbj.zip";
    if (!fs::exists(zip)) return std::string();
    const fs::path out = fs::temp_directory_path() / "drav_bench_hsnct2014.qbj";
    const std::string command = "unzip -p '" + zip.string() + "' hsnct2014.qbj > '" + out.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::string();
    std::string contents = drav::ReadWholeFile(out.string());
    fs::remove(out);
    return contents;
  }();
  return text;
}

drav::Tournament EmptyTournament() {
  drav::Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.Format.PowNeg = 1;
  t.Format.TUHeard = 1;
  t.Format.AllRounds = 1;
  t.QuestionValues = {15, 10, -5, 0};
  return t;
}

void BM_ImportChampionshipQbj(benchmark::State& state) {
  if (Championship().empty()) {
    state.SkipWithError("the 2014 championship sample (or unzip) is not available");
    return;
  }
  for (auto _ : state) {
    drav::Tournament t = EmptyTournament();
    drav::ImportQbj(t, {{"hsnct2014.qbj", Championship()}});
    benchmark::DoNotOptimize(t.Games.data());
  }
  drav::bench::ReportPeakMemory("after importing the 2014 championship");
}
BENCHMARK(BM_ImportChampionshipQbj)->Unit(benchmark::kMillisecond);

void BM_ChampionshipWebReport(benchmark::State& state) {
  if (Championship().empty()) {
    state.SkipWithError("the 2014 championship sample (or unzip) is not available");
    return;
  }
  drav::Tournament t = EmptyTournament();
  drav::ImportQbj(t, {{"hsnct2014.qbj", Championship()}});
  const fs::path dir = fs::temp_directory_path() / "drav_bench_qbj_report";
  fs::create_directories(dir);
  const std::string base = (dir / "hsnct").string();
  for (auto _ : state) {
    const auto failures = drav::WriteWebReport(t, base);
    if (!failures.empty()) state.SkipWithError("a page could not be written");
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ChampionshipWebReport)->Unit(benchmark::kMillisecond);

void BM_ExportChampionshipQbj(benchmark::State& state) {
  if (Championship().empty()) {
    state.SkipWithError("the 2014 championship sample (or unzip) is not available");
    return;
  }
  drav::Tournament t = EmptyTournament();
  drav::ImportQbj(t, {{"hsnct2014.qbj", Championship()}});
  for (auto _ : state) benchmark::DoNotOptimize(drav::SerializeQbj(t).size());
}
BENCHMARK(BM_ExportChampionshipQbj)->Unit(benchmark::kMillisecond);

}  // namespace
