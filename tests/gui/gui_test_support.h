#pragma once

#include <QString>
#include <string>

#include "gui/dialog_seams.h"

namespace drav::gui::test {

// Puts the dialogs in test mode with nothing queued, and a fresh temporary directory.
struct GuiTestScope {
  GuiTestScope();
  ~GuiTestScope();
  std::string dir;
};

// Writes a generated tournament of a few teams and games to dir/name; returns the path.
std::string WriteSampleTournament(const std::string& dir, const std::string& name, int games = 8,
                                  int divisions = 0);

// A match file as moderator programs write it: one match between two of the tournament's
// teams, with players it does not know yet.
std::string QbjMatchFile(const std::string& id, const std::string& teamA, const std::string& teamB);

}  // namespace drav::gui::test
