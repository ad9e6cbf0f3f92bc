#include "storage/tournament_recognition.h"

#include "model/error.h"
#include "model/numbers.h"
#include "storage/line_reader.h"

namespace drav {

namespace {

// The syntax of a lenient integer, without its range: a count too large to read takes the
// default, as the reader gives it, rather than marking another kind of file.
bool IsIntegerLine(std::string_view line) {
  std::size_t i = 0;
  const auto blank = [&](std::size_t k) { return line[k] == ' ' || line[k] == '\t'; };
  while (i < line.size() && blank(i)) ++i;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
  const std::size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == digits) return false;
  while (i < line.size() && blank(i)) ++i;
  return i == line.size();
}

// Reads the next count line; false when it is there but is not an integer.
bool NextCountLine(LineReader& in, int& count) {
  if (in.AtEnd()) {
    count = 0;
    return true;
  }
  const std::string_view line = in.Next();
  if (!IsIntegerLine(line)) return false;
  count = LenientInt(line, 0);
  return true;
}

}  // namespace

bool LooksLikeTournamentFile(std::string_view contents) {
  LineReader in(contents);
  int teams = 0;
  if (!NextCountLine(in, teams)) return false;
  for (int i = 0; i < teams && !in.AtEnd(); ++i) {
    int strings = 0;
    if (!NextCountLine(in, strings)) return false;
    for (int s = 0; s < strings && !in.AtEnd(); ++s) in.Next();
  }
  int games = 0;
  return NextCountLine(in, games);
}

void RequireTournamentFile(std::string_view contents, const std::string& path) {
  if (!LooksLikeTournamentFile(contents)) throw DravError(path + " is not a DRAV tournament file");
}

}  // namespace drav
