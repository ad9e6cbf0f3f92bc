#pragma once

#include <string>
#include <vector>

// The command line and the console of a command-line program.
namespace drav::platform {

// The program's arguments after its name, as UTF-8. On Windows they are read from the wide
// command line, whatever the console's code page; elsewhere they are argv as it is.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// On Windows: the console shows UTF-8, and standard output and error pass bytes through
// unchanged (no LF to CR LF), so that output is the same as on other systems. Elsewhere it
// does nothing.
void PrepareConsole();

}  // namespace drav::platform
