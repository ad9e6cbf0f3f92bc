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

}  // namespace drav::gui::test
