#pragma once

// The hostile tournament files of tests/data/hostile and the folder they run in, shared by
// the drav-cli run (tests/cli) and the library run (tests/web).
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace drav::test {

struct HostileCase {
  std::string file, command;
  int exitCode = 0;
  std::string message;
  std::vector<std::string> absent;
  std::string tries;
};

inline std::string Trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

inline std::vector<HostileCase> HostileCases() {
  std::vector<HostileCase> cases;
  std::istringstream in(ReadFile(TestData("hostile/cases.txt")));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '|');) fields.push_back(Trimmed(field));
    if (fields.size() != 6) throw std::runtime_error("bad line in cases.txt: " + line);
    HostileCase c{fields[0], fields[1], std::stoi(fields[2]), fields[3], {}, fields[5]};
    std::istringstream absent(fields[4]);
    for (std::string path; absent >> path;) c.absent.push_back(path);
    cases.push_back(std::move(c));
  }
  return cases;
}

// The folder the commands run in: a secret, a link to it and a FIFO, named as the files do.
// Windows has no FIFOs, and links need rights a test does not have: there the two names are
// missing, which must fail the same way.
inline std::string StageHostileCase(const HostileCase& c) {
  const std::string dir = MakeTempDir();
  WriteFile(dir + "/secret.txt", "private");
#ifndef _WIN32
  std::filesystem::create_symlink("secret.txt", dir + "/link.css");
  if (::mkfifo((dir + "/x.css").c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
#endif
  std::filesystem::create_directory(dir + "/out");
  std::filesystem::copy_file(TestData("hostile/" + c.file), dir + "/in.dat");
  return dir;
}

inline std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

}  // namespace drav::test
