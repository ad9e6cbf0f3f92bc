#include "gui/entry_windows.h"

#include "gui/game_entry_window.h"
#include "gui/roster_entry_window.h"

namespace drav::gui {

QWidget* CreateGameEntryWindow(Tournament& t, QWidget* parent) {
  return new GameEntryWindow(t, parent);
}

QWidget* CreateRosterEntryWindow(Tournament& t, QWidget* parent) {
  return new RosterEntryWindow(t, parent);
}

}  // namespace drav::gui
