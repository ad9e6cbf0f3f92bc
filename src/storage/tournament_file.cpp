#include "storage/tournament_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "model/numbers.h"
#include "model/score_only.h"
#include "storage/extension_section.h"
#include "storage/game_lines.h"
#include "storage/line_reader.h"
#include "storage/tournament_recognition.h"

namespace drav {

namespace {

constexpr int kLinesPerGame = 129;

// Saving is on the director's critical path (autosave, every Save): numbers are written
// straight into a buffer sized up front, without a temporary string or a length check per
// character.
class LineWriter {
 public:
  explicit LineWriter(std::size_t expectedBytes) { out_.resize(expectedBytes); }
  void Int(long long v) {
    char* p = Room(32);
    if (v >= 0 && v < 10) {
      *p++ = static_cast<char>('0' + v);
    } else {
      p = std::to_chars(p, p + 30, v).ptr;
    }
    Finish(p);
  }
  void Decimal(double v) {
    char* p = Room(72);
    Finish(p + FormatGInto(v, p));
  }
  // A line break or Ctrl-Z inside a value would break the file's line structure; a NUL is
  // written as the space every reader makes of it.
  void Text(std::string_view s) {
    char* const start = Room(s.size() + 2);
    if (!s.empty()) std::memcpy(start, s.data(), s.size());
    static constexpr std::string_view kBlanked("\r\n\x1a\0", 4);
    if (s.find_first_of(kBlanked) != std::string_view::npos)
      for (std::size_t i = 0; i < s.size(); ++i)
        if (kBlanked.find(start[i]) != std::string_view::npos) start[i] = ' ';
    Finish(start + s.size());
  }
  std::string Take() {
    out_.resize(used_);
    return std::move(out_);
  }

 private:
  // Where the next line goes, with at least n bytes free after it.
  char* Room(std::size_t n) {
    if (out_.size() - used_ < n) out_.resize(std::max(out_.size() * 2, used_ + n));
    return out_.data() + used_;
  }
  void Finish(char* end) {
    *end++ = '\r';
    *end++ = '\n';
    used_ = static_cast<std::size_t>(end - out_.data());
  }
  std::string out_;
  std::size_t used_ = 0;
};

long long Pack(int bonus, int bounceback, bool packed) {
  return packed ? bonus + 10000LL * bounceback : bonus;
}

void WriteGame(LineWriter& w, const GameStats& g, bool packed) {
  w.Text(g.GID);
  w.Int(g.TeamA);
  w.Int(g.TeamB);
  w.Int(g.ScoreA);
  w.Int(g.ScoreB);
  w.Int(g.TUH);
  w.Int(g.Round);
  w.Int(Pack(g.BHA, g.BncBkA, packed));
  w.Int(Pack(g.BPA, g.BncBkPtsA, packed));
  w.Int(Pack(g.BHB, g.BncBkB, packed));
  w.Int(Pack(g.BPB, g.BncBkPtsB, packed));
  w.Int(g.Overtime);
  w.Int(g.OTA);
  w.Int(g.OTB);
  w.Int(g.Forfeit);
  w.Int(g.SixtyA);
  w.Int(g.SixtyB);
  for (int r = 0; r < kRows; ++r) {
    w.Int(g.PlayerA[r]);
    w.Decimal(g.GPA[r]);
    w.Int(g.Q0A[r]);
    w.Int(g.Q1A[r]);
    w.Int(g.Q2A[r]);
    w.Int(g.Q3A[r]);
    w.Int(g.PtsA[r]);
    w.Int(g.PlayerB[r]);
    w.Decimal(g.GPB[r]);
    w.Int(g.Q0B[r]);
    w.Int(g.Q1B[r]);
    w.Int(g.Q2B[r]);
    w.Int(g.Q3B[r]);
    w.Int(g.PtsB[r]);
  }
}

// 64 bits: a version-2 import gives all seven flags its one warning value, any integer.
long long WarningFlags(const TourneyFormat& f) {
  return f.Warning1 * 128LL + f.Warning2 * 64LL + f.Warning3 * 32LL + f.Warning4 * 16LL +
         f.Warning5 * 8LL + f.Warning6 * 4LL + f.Warning7 * 2LL;
}

void ReadWarningFlags(int value, TourneyFormat& f) {
  int* flags[] = {&f.Warning1, &f.Warning2, &f.Warning3, &f.Warning4,
                  &f.Warning5, &f.Warning6, &f.Warning7};
  int weight = 128;
  for (int* flag : flags) {
    if (value >= weight) {
      *flag = 1;
      value -= weight;
    } else {
      *flag = 0;
    }
    weight /= 2;
  }
}

void ReadStyleCode(int value, TourneyFormat& f) {
  switch (value) {
    case 0:
      f.Paths = 0;
      f.BritishStyle = 0;
      break;
    case 1:
      f.Paths = 1;
      f.BritishStyle = 0;
      break;
    case 2:
      f.Paths = 0;
      f.BritishStyle = 1;
      break;
    default:
      f.Paths = 1;
      f.BritishStyle = value == 3 ? 1 : 0;
      break;
  }
}

// A layout marker line: 2 or more means the section is present and the flag is value - 2.
int ReadMarker(LineReader& in, bool& present) {
  int value = in.NextInt();
  present = value > 1;
  return present ? value - 2 : value;
}

}  // namespace

std::string SerializeTournament(const Tournament& t) {
  // About 3 bytes a game line and 20 a name: one allocation for the whole file.
  std::size_t names = 0;
  for (const auto& team : t.Rosters) names += team.size();
  LineWriter w(t.Games.size() * kLinesPerGame * 4 + names * 24 + 4096);
  const TourneyFormat& f = t.Format;
  const bool packed = f.BonusMode == 3;

  w.Int(t.Rosters.size());
  for (const auto& team : t.Rosters) {
    w.Int(team.size());
    for (const auto& name : team) w.Text(name);
  }
  w.Int(t.Games.size());
  for (const auto& g : t.Games) {
    // A score-only game is written as a game without rows, whatever the record holds.
    if (!g.ScoreOnly) {
      WriteGame(w, g, packed);
      continue;
    }
    GameStats plain = g;
    ClearBoxScore(plain);
    WriteGame(w, plain, packed);
  }

  w.Int(f.TrackBonuses);
  w.Int(f.BonusMode);
  w.Int(f.PowNeg + 2LL);
  w.Int(f.Sixty);
  w.Int(f.TUHeard);
  w.Int(f.TUHSort + 2LL);
  w.Int(WarningFlags(f));
  w.Int(f.RoundReports);
  w.Int(f.TeamStandings);
  w.Int(f.IndividualStandings);
  w.Int(f.Scoreboard);
  w.Int(f.TeamDetail);
  w.Int(f.IndividualDetail);
  w.Int(f.StatKey);
  w.Int(f.StyleSheet);
  w.Int(f.Divisions);
  w.Int(f.SortCriterion);
  w.Text(f.TourneyName);
  w.Text(f.HostAddress);
  w.Text(f.UserName);
  w.Text(f.Directory);
  w.Text(f.BaseName);
  w.Int(f.BritishStyle * 2LL + f.Paths);
  w.Text(f.RoundsFile);
  w.Text(f.StandingsFile);
  w.Text(f.IndividualsFile);
  w.Text(f.ScoreboardFile);
  w.Text(f.TeamDetailFile);
  w.Text(f.PlayerDetailFile);
  w.Text(f.StatKeyFile);
  w.Text(f.StyleSheetFile);

  w.Int(t.DivisionNames.size());
  for (const auto& d : t.DivisionNames) w.Text(d);
  w.Int(t.TeamDivision.size());
  for (int d : t.TeamDivision) w.Int(d);
  for (int v : t.QuestionValues) w.Int(v);
  w.Int(t.PacketNames.size());
  for (const auto& p : t.PacketNames) w.Text(p);
  w.Int(t.ExhibitionTeam.size());
  for (int e : t.ExhibitionTeam) w.Int(e);
  std::string out = w.Take();
  WriteExtensionSection(t, out);
  return out;
}

Tournament ParseTournament(std::string_view contents, const Tournament& base) {
  Tournament t = base;
  t.Rosters.clear();
  t.Games.clear();
  t.DivisionNames.clear();
  t.TeamDivision.clear();
  t.ExhibitionTeam.clear();
  t.Extras = {};
  LineReader in(contents);

  t.Rosters = ReadTeamLists(in);

  // A missing game fails on its first games-played line, so the count needs no check;
  // the reservation is bounded by the size of the text (every line takes a byte at least).
  const int games = in.NextGameCount();
  if (games > 0) t.Games.reserve(std::min<std::size_t>(games, contents.size() / kLinesPerGame));
  for (int i = 0; i < games; ++i) {
    GameStats g;
    ReadGameLines(in, g, 0);
    t.Games.push_back(std::move(g));
  }

  TourneyFormat& f = t.Format;
  bool exhibitionSection = false;
  bool packetSection = false;
  f.TrackBonuses = in.NextInt();
  f.BonusMode = in.NextInt();
  f.PowNeg = ReadMarker(in, exhibitionSection);
  f.Sixty = in.NextInt();
  f.TUHeard = in.NextInt();
  f.TUHSort = ReadMarker(in, packetSection);
  ReadWarningFlags(in.NextInt(), f);
  f.RoundReports = in.NextInt();
  f.TeamStandings = in.NextInt();
  f.IndividualStandings = in.NextInt();
  f.Scoreboard = in.NextInt();
  f.TeamDetail = in.NextInt();
  f.IndividualDetail = in.NextInt();
  f.StatKey = in.NextInt();
  f.StyleSheet = in.NextInt();
  f.Divisions = in.NextInt();
  f.SortCriterion = in.NextInt(1);
  f.TourneyName = in.NextString();
  f.HostAddress = in.NextString();
  f.UserName = in.NextString();
  f.Directory = in.NextString();
  f.BaseName = in.NextString();
  ReadStyleCode(in.NextInt(), f);
  f.RoundsFile = in.NextString();
  f.StandingsFile = in.NextString();
  f.IndividualsFile = in.NextString();
  f.ScoreboardFile = in.NextString();
  f.TeamDetailFile = in.NextString();
  f.PlayerDetailFile = in.NextString();
  f.StatKeyFile = in.NextString();
  f.StyleSheetFile = in.NextString();
  f.AllRounds = 1;
  f.RoundsMin = 1;
  f.RoundsMax = 1;

  if (f.BonusMode == 3) {
    for (auto& g : t.Games) UnpackBouncebacks(g);
  }

  const int divisions = in.NextCount();
  for (int i = 0; i < divisions; ++i) t.DivisionNames.push_back(in.NextString());
  const int teamDivisions = in.NextCount();
  for (int i = 0; i < teamDivisions; ++i) t.TeamDivision.push_back(in.NextInt());
  for (int& v : t.QuestionValues) v = in.NextInt();

  t.PacketNames.clear();
  if (packetSection) {
    const int packets = in.NextCount();
    for (int i = 0; i < packets; ++i) t.PacketNames.push_back(in.NextString());
  }
  if (exhibitionSection) {
    const int flags = in.NextCount();
    for (int i = 0; i < flags; ++i) t.ExhibitionTeam.push_back(in.NextInt());
  }
  if (t.TeamDivision.size() < t.Rosters.size()) t.TeamDivision.resize(t.Rosters.size(), -1);
  if (t.ExhibitionTeam.size() < t.Rosters.size()) t.ExhibitionTeam.resize(t.Rosters.size(), 0);
  ReadExtensionSection(in, t);
  return t;
}

void OpenTournament(Tournament& t, const std::string& path) {
  const std::string contents = ReadWholeFile(path);
  RequireTournamentFile(contents, path);
  Tournament opened = ParseTournament(contents, t);
  opened.FileName = path;
  opened.SavedGameCount = opened.GameCount();
  opened.CurrentGame = 0;
  opened.CurrentTeam = 0;
  t = std::move(opened);
}

void WriteTournament(Tournament& t, const std::string& path) {
  WriteFileAtomically(path, SerializeTournament(t));
  t.SavedGameCount = t.GameCount();
}

}  // namespace drav
