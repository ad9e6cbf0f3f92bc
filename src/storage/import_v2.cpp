#include "storage/import_v2.h"

#include "storage/game_lines.h"
#include "storage/import_defaults.h"
#include "storage/line_reader.h"

namespace drav {

Tournament ParseVersion2(std::string_view text, const Tournament& base) {
  Tournament t = base;
  t.Rosters.clear();
  t.Games.clear();
  t.DivisionNames.clear();
  t.TeamDivision.clear();
  t.ExhibitionTeam.clear();
  // The teams are replaced, so brackets naming the old ones by index would be wrong.
  t.Extras.Stages.clear();
  LineReader in(text);

  t.Rosters = ReadTeamLists(in);
  // A missing game fails on its first games-played line; the count never sizes memory.
  const int games = in.NextGameCount();
  for (int i = 0; i < games; ++i) {
    GameStats g;
    ReadGameLines(in, g, 0);
    t.Games.push_back(std::move(g));
  }

  TourneyFormat& f = t.Format;
  f.TrackBonuses = in.NextInt();
  f.BonusMode = in.NextInt();
  f.PowNeg = in.NextInt();
  f.Sixty = in.NextInt();
  f.TUHeard = in.NextInt();
  in.Next();  // the old sort flag: read, then replaced by TUHSort 0 below
  const int warnings = in.NextInt();
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = warnings;
  f.Warning5 = f.Warning6 = f.Warning7 = warnings;
  f.RoundReports = in.NextInt();
  for (int& v : t.QuestionValues) v = in.NextInt();

  ApplyOlderVersionReportDefaults(f);
  f.TUHSort = 0;
  f.Paths = 1;

  t.TeamDivision.assign(t.Rosters.size(), -1);
  t.ExhibitionTeam.assign(t.Rosters.size(), 0);
  t.SavedGameCount = t.GameCount();
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
  return t;
}

void ImportVersion2(Tournament& t, const std::string& path) {
  const std::string text = ReadWholeFile(path);
  t = ParseVersion2(text, t);
}

}  // namespace drav
