#include "gui_test_support.h"

#include <filesystem>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav::gui::test {

GuiTestScope::GuiTestScope() : dir(drav::test::MakeTempDir()) {
  DialogSeams::SetTestMode(true);
  DialogSeams::Reset();
}

GuiTestScope::~GuiTestScope() {
  DialogSeams::Reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

std::string WriteSampleTournament(const std::string& dir, const std::string& name, int games,
                                  int divisions) {
  drav::test::GeneratedShape shape;
  shape.teams = 6;
  shape.games = games;
  shape.divisions = divisions;
  Tournament t = drav::test::GenerateTournament(shape);
  const std::string path = dir + "/" + name;
  WriteTournament(t, path);
  return path;
}

std::string QbjMatchFile(const std::string& id, const std::string& teamA,
                         const std::string& teamB) {
  return R"({"version": "2.1.1", "objects": [{"type": "Match", "id": ")" + id +
         R"(", "tossups_read": 20, "match_teams": [
    {"team": {"name": ")" +
         teamA + R"("}, "bonus_points": 10, "match_players": [
      {"player": {"name": "Juniper Vale"}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 10}, "number": 1}]}]},
    {"team": {"name": ")" +
         teamB + R"("}, "bonus_points": 0, "match_players": [
      {"player": {"name": "Rowan Hale"}, "tossups_heard": 20, "answer_counts": []}]}]}]})";
}

}  // namespace drav::gui::test
