// Opens arbitrary bytes as a tournament file and drives both entry windows over it: every
// stored game is loaded, stored back and checked, teams are paged through, and a game and
// a team are deleted. Nothing may read outside a list, whatever the file's indices are.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "entry/check_game.h"
#include "entry/game_entry.h"
#include "entry/roster_entry.h"
#include "model/error.h"
#include "storage/tournament_file.h"

namespace {

class AlwaysOk : public drav::entry::EntryHost {
 public:
  bool ConfirmAreYouSure() override { return true; }
  void ShowMessage(const std::string&, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament t;
  try {
    t = drav::ParseTournament(text, drav::Tournament{});
  } catch (const drav::DravError&) {
    return 0;
  }
  for (int i = 0; i < t.GameCount(); ++i) (void)drav::entry::CheckGame(t, i);

  AlwaysOk host;
  {
    drav::entry::GameEntryForm games(t, host);
    const int count = t.GameCount();
    for (int i = 0; i <= count; ++i) {
      games.FormActivate();
      games.NextClick();
    }
    games.ChooseTeamA(0);
    games.ChooseTeamB(t.TeamCount() - 1);
    games.Forfeit.SetChecked(true);
    games.Forfeit.SetChecked(false);
    games.PreviousClick();
    games.Jump.SetText("0");
    games.Button1Click();
    games.DeleteGameClick();
  }
  {
    drav::entry::RosterEntryForm teams(t, host);
    const int count = t.TeamCount();
    for (int i = 0; i <= count; ++i) teams.NextClick();
    teams.PreviousClick();
    t.Games.clear();
    teams.DeleteTeamButtonClick();
  }
  return 0;
}
