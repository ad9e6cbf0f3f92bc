#include "storage/tournament_recognition.h"

#include <optional>

#include "model/error.h"
#include "model/numbers.h"
#include "storage/line_reader.h"

namespace drav {

namespace {

enum class CountLine { Count, Damaged, Other };

// Reads the next count line. One with the integer syntax but out of range is a damaged
// tournament file, which the reader reports as such rather than as another kind of file.
CountLine NextCountLine(LineReader& in, int& count) {
  count = 0;
  if (in.AtEnd()) return CountLine::Count;
  const std::string_view line = in.Next();
  if (!HasIntegerSyntax(line)) return CountLine::Other;
  const std::optional<int> value = TryStrictInt(line);
  if (!value || *value < 0) return CountLine::Damaged;
  count = *value;
  return CountLine::Count;
}

}  // namespace

bool LooksLikeTournamentFile(std::string_view contents) {
  LineReader in(contents);
  int teams = 0;
  CountLine line = NextCountLine(in, teams);
  if (line != CountLine::Count) return line == CountLine::Damaged;
  for (int i = 0; i < teams && !in.AtEnd(); ++i) {
    int strings = 0;
    line = NextCountLine(in, strings);
    if (line != CountLine::Count) return line == CountLine::Damaged;
    for (int s = 0; s < strings && !in.AtEnd(); ++s) in.Next();
  }
  int games = 0;
  return NextCountLine(in, games) != CountLine::Other;
}

void RequireTournamentFile(std::string_view contents, const std::string& path) {
  if (!LooksLikeTournamentFile(contents)) throw DravError(path + " is not a DRAV tournament file");
}

}  // namespace drav
