#pragma once

#include <QWidget>

#include "model/tournament.h"

namespace drav::gui {

// The data entry children of the main window. The main window calls these whenever it
// rebuilds its children (after New Tournament, Open, the imports, the merge, the ordering
// commands and a change of "Use Divisions"); each returns a new window that starts at
// the tournament's first game or team.
QWidget* CreateGameEntryWindow(Tournament& t, QWidget* parent);
QWidget* CreateRosterEntryWindow(Tournament& t, QWidget* parent);

}  // namespace drav::gui
