#pragma once

#include <string>

#include "model/tournament.h"

namespace drav::app {

// The sentence that names what the tournament would lose against the state last opened
// or saved: "3 games and 1 team are not saved in riverside.dat" (the file's last path
// component; "in a file" while there is none). A game or team counts when it was added,
// removed or changed; other changes give "Changes to the settings are not saved in ...".
// Empty when the two would write the same file.
std::string DescribeUnsavedChanges(const Tournament& saved, const Tournament& now);

// The last component of a path, after its last '/' or '\'.
std::string LastPathComponent(const std::string& path);
// A file name as Save As takes it: ".dat" added when the last component has no extension.
std::string WithTournamentExtension(const std::string& path);

}  // namespace drav::app
