// A hundred match files dropped into a watched folder at once: looked at, each imported, the
// tournament saved and the full web report rewritten, as `drav-cli watch --report` does. The second
// of quiet a file must keep is not part of the work measured.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/game_file_watch.h"
#include "storage/tournament_file.h"
#include "web/web_report.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTeams = 20;
constexpr int kFiles = 100;

std::string Side(int team, int seed) {
  std::string players;
  for (int p = 0; p < 4; ++p) {
    const int powers = (seed + p) % 3, tens = (seed + 2 * p) % 4, negs = (seed + p) % 2;
    players +=
        std::string(p ? "," : "") + R"({"player": {"name": "Player )" + std::to_string(team) + "-" +
        std::to_string(p) +
        R"("}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 15}, "number": )" +
        std::to_string(powers) + R"(}, {"answer_type": {"value": 10}, "number": )" +
        std::to_string(tens) + R"(}, {"answer_type": {"value": -5}, "number": )" +
        std::to_string(negs) + "}]}";
  }
  return R"({"team": {"name": "School )" + std::to_string(team) + R"("}, "bonus_points": )" +
         std::to_string(10 * (seed % 9)) + R"(, "match_players": [)" + players + "]}";
}

std::string MatchFile(int n) {
  const int a = n % kTeams, b = (n + 1 + n / kTeams) % kTeams;
  return R"({"version": "2.1.1", "objects": [{"type": "Match", "id": "match-)" + std::to_string(n) +
         R"(", "tossups_read": 20, "match_teams": [)" + Side(a, n) + "," + Side(b, n + 5) + "]}]}";
}

void BM_HundredDroppedFilesImportedSavedReported(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / "drav_bench_watch";
  fs::remove_all(dir);
  fs::create_directories(dir / "in");
  fs::create_directories(dir / "report");
  for (int n = 0; n < kFiles; ++n)
    std::ofstream(dir / "in" / ("room" + std::to_string(n) + ".qbj")) << MatchFile(n);
  const std::string file = (dir / "event.dat").string();
  for (auto _ : state) {
    drav::Tournament t;
    t.Format.TrackBonuses = t.Format.BonusMode = t.Format.PowNeg = t.Format.TUHeard = 1;
    t.Format.AllRounds = 1;
    t.QuestionValues = {15, 10, -5, 0};
    drav::app::GameFileWatch watch((dir / "in").string(), std::chrono::seconds(0));
    const auto now = drav::app::GameFileWatch::Clock::now();
    watch.Poll(now);  // the first look only notes each file
    int imported = 0;
    for (const auto& ready : watch.Poll(now))
      imported += watch.Take(t, ready).State == drav::app::GameFileState::Imported;
    drav::WriteTournament(t, file);
    drav::WriteWebReport(t, (dir / "report" / "event").string());
    if (imported != kFiles) state.SkipWithError("not every file was imported");
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_HundredDroppedFilesImportedSavedReported)->Unit(benchmark::kMillisecond);

}  // namespace
