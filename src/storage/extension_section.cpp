#include "storage/extension_section.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/error.h"
#include "model/score_only.h"
#include "model/stages.h"
#include "storage/line_reader.h"

namespace drav {

namespace {

// One block's lines as they are written, before the name and the count.
class BlockWriter {
 public:
  void Int(long long v) { lines_.push_back(std::to_string(v)); }
  // A line break or Ctrl-Z inside a value would break the file's line structure.
  void Text(std::string_view s) {
    std::string line;
    for (char c : s) line += (c == '\r' || c == '\n' || c == '\x1a' || c == '\0') ? ' ' : c;
    lines_.push_back(std::move(line));
  }
  void AppendTo(std::string& out, const char* name) const {
    out += name;
    out += "\r\n";
    out += std::to_string(lines_.size());
    out += "\r\n";
    for (const auto& l : lines_) {
      out += l;
      out += "\r\n";
    }
  }

 private:
  std::vector<std::string> lines_;
};

bool AnyTiebreaker(const Tournament& t) {
  for (const auto& g : t.Games)
    if (g.Tiebreaker) return true;
  return false;
}

const char* ProtocolName(PostProtocol p) {
  switch (p) {
    case PostProtocol::Ftps:
      return "ftps";
    case PostProtocol::Sftp:
      return "sftp";
    default:
      return "ftp";
  }
}

[[noreturn]] void Damaged(const std::string& block) {
  throw DravError("The " + block + " block of the file is damaged");
}

// A strict integer within [low, high]: a damaged block must not pass for a plausible one.
int BlockInt(LineReader& in, const std::string& block, long long low, long long high) {
  const std::string_view line = in.Next();
  long long value = 0;
  std::size_t i = 0;
  const bool negative = !line.empty() && line[0] == '-';
  if (negative) ++i;
  if (i >= line.size() || line.size() - i > 10) Damaged(block);
  for (; i < line.size(); ++i) {
    if (line[i] < '0' || line[i] > '9') Damaged(block);
    value = value * 10 + (line[i] - '0');
  }
  if (negative) value = -value;
  if (value < low || value > high) Damaged(block);
  return static_cast<int>(value);
}

void WriteStages(const Tournament& t, std::string& out) {
  BlockWriter w;
  w.Int(t.Extras.Stages.size());
  for (const Stage& s : t.Extras.Stages) {
    w.Text(s.Name);
    w.Int(s.FirstRound);
    w.Int(s.LastRound);
    w.Int(s.CarryOver ? 1 : 0);
    w.Int(s.Brackets.size());
    for (const Bracket& b : s.Brackets) {
      w.Text(b.Name);
      w.Int(b.Teams.size());
      for (int team : b.Teams) w.Int(team);
    }
  }
  w.AppendTo(out, "Stages");
}

void ReadStages(LineReader& in, Tournament& t) {
  const std::string block = "Stages";
  std::vector<Stage> stages;
  const int count = in.NextCount(5);
  if (static_cast<std::size_t>(count) > kMaxStages) throw DravError(TooManyStagesMessage());
  for (int i = 0; i < count; ++i) {
    Stage s;
    s.Name = in.NextString();
    s.FirstRound = BlockInt(in, block, INT32_MIN, INT32_MAX);
    s.LastRound = BlockInt(in, block, INT32_MIN, INT32_MAX);
    s.CarryOver = BlockInt(in, block, 0, 1) == 1;
    const int brackets = in.NextCount(2);
    if (static_cast<std::size_t>(brackets) > kMaxBrackets)
      throw DravError(TooManyBracketsMessage(s.Name));
    for (int b = 0; b < brackets; ++b) {
      Bracket br;
      br.Name = in.NextString();
      const int teams = in.NextCount();
      for (int k = 0; k < teams; ++k) br.Teams.push_back(BlockInt(in, block, 0, INT32_MAX));
      s.Brackets.push_back(std::move(br));
    }
    stages.push_back(std::move(s));
  }
  try {
    CheckStages(stages, t.TeamCount());
  } catch (const DravError&) {
    Damaged(block);
  }
  t.Extras.Stages = std::move(stages);
}

bool AnyElimination(const Tournament& t) {
  for (const Stage& s : t.Extras.Stages)
    if (s.Kind != StageKind::Pools) return true;
  return false;
}

// A block of its own, so that a DRAV that does not know kinds still reads the stages.
void WriteStageKinds(const Tournament& t, std::string& out) {
  BlockWriter w;
  for (const Stage& s : t.Extras.Stages) w.Text(StageKindName(s.Kind));
  w.AppendTo(out, "Stage kinds");
}

// One line per stage; applied once the whole section is read, as the stages may follow.
std::vector<StageKind> ReadStageKinds(LineReader& in) {
  std::vector<StageKind> kinds;
  while (!in.AtEnd()) {
    StageKind kind{};
    if (!ParseStageKind(in.Next(), kind) || kinds.size() >= kMaxStages) Damaged("Stage kinds");
    kinds.push_back(kind);
  }
  return kinds;
}

void WriteFinalPlaces(const Tournament& t, std::string& out) {
  BlockWriter w;
  for (const FinalPlace& p : t.Extras.FinalPlaces) {
    w.Int(p.Team);
    w.Int(p.Place);
  }
  w.AppendTo(out, "Final places");
}

void ReadFinalPlaces(LineReader& in, Tournament& t) {
  const std::string block = "Final places";
  std::vector<FinalPlace> places;
  while (!in.AtEnd()) {
    FinalPlace p;
    p.Team = BlockInt(in, block, 0, t.TeamCount() - 1LL);
    p.Place = BlockInt(in, block, 1, kMaxFinalPlace);
    places.push_back(p);
  }
  try {
    CheckFinalPlaces(places, t.TeamCount());
  } catch (const DravError&) {
    Damaged(block);
  }
  t.Extras.FinalPlaces = std::move(places);
}

void WriteTiebreakers(const Tournament& t, std::string& out) {
  BlockWriter w;
  w.Int(t.Extras.TiebreakersCount ? 1 : 0);
  for (std::size_t i = 0; i < t.Games.size(); ++i)
    if (t.Games[i].Tiebreaker) w.Int(static_cast<long long>(i));
  w.AppendTo(out, "Tiebreakers");
}

void ReadTiebreakers(LineReader& in, Tournament& t) {
  const std::string block = "Tiebreakers";
  t.Extras.TiebreakersCount = BlockInt(in, block, 0, 1) == 1;
  while (!in.AtEnd()) {
    const int game = BlockInt(in, block, 0, t.GameCount() - 1LL);
    t.Games[static_cast<std::size_t>(game)].Tiebreaker = true;
  }
}

void WriteScoreOnly(const Tournament& t, std::string& out) {
  BlockWriter w;
  for (std::size_t i = 0; i < t.Games.size(); ++i)
    if (t.Games[i].ScoreOnly) w.Int(static_cast<long long>(i));
  w.AppendTo(out, "Score only");
}

// A marked game holds no box score, whatever the described lines say, so that no figure
// can come from rows the game is not meant to have.
void ReadScoreOnly(LineReader& in, Tournament& t) {
  const std::string block = "Score only";
  std::vector<int> marked;
  while (!in.AtEnd()) marked.push_back(BlockInt(in, block, 0, t.GameCount() - 1LL));
  for (int game : marked) {
    GameStats& g = t.Games[static_cast<std::size_t>(game)];
    g.ScoreOnly = true;
    ClearBoxScore(g);
  }
}

void WritePosting(const Tournament& t, std::string& out) {
  const PostingOptions& p = t.Extras.Posting;
  BlockWriter w;
  w.Text(ProtocolName(p.Protocol));
  w.Text(p.CaFile);
  w.Text(p.KnownHostsFile);
  w.Int(p.PostAfterEveryGame ? 1 : 0);
  w.AppendTo(out, "Posting");
}

void ReadPosting(LineReader& in, Tournament& t) {
  const std::string block = "Posting";
  PostingOptions p;
  const std::string_view protocol = in.Next();
  if (protocol == "ftp")
    p.Protocol = PostProtocol::Ftp;
  else if (protocol == "ftps")
    p.Protocol = PostProtocol::Ftps;
  else if (protocol == "sftp")
    p.Protocol = PostProtocol::Sftp;
  else
    Damaged(block);
  p.CaFile = in.NextString();
  p.KnownHostsFile = in.NextString();
  p.PostAfterEveryGame = BlockInt(in, block, 0, 1) == 1;
  t.Extras.Posting = std::move(p);
}

void WriteImported(const Tournament& t, std::string& out) {
  BlockWriter w;
  for (const ImportedMatch& m : t.Extras.ImportedMatches) {
    w.Text(m.File);
    w.Text(m.MatchId);
  }
  w.AppendTo(out, "Imported matches");
}

void ReadImported(LineReader& in, Tournament& t) {
  std::vector<ImportedMatch> matches;
  while (!in.AtEnd()) {
    ImportedMatch m;
    m.File = in.NextString();
    m.MatchId = in.NextString();
    matches.push_back(std::move(m));
  }
  t.Extras.ImportedMatches = std::move(matches);
}

bool AnyDigest(const Tournament& t) {
  for (const ImportedMatch& m : t.Extras.ImportedMatches)
    if (!m.Content.empty() || !m.Game.empty()) return true;
  return false;
}

bool IsDigest(std::string_view s) {
  return s.size() == 16 && s.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A block of its own, so that a DRAV that does not know digests still reads the records.
void WriteImportedDigests(const Tournament& t, std::string& out) {
  BlockWriter w;
  for (const ImportedMatch& m : t.Extras.ImportedMatches)
    w.Text(m.Content.empty() && m.Game.empty() ? "" : m.Content + " " + m.Game);
  w.AppendTo(out, "Imported digests");
}

// One line per record above: empty, or the match's digest and its game's.
void ReadImportedDigests(LineReader& in, Tournament& t) {
  const std::string block = "Imported digests";
  std::vector<ImportedMatch>& matches = t.Extras.ImportedMatches;
  for (std::size_t i = 0; !in.AtEnd(); ++i) {
    const std::string_view line = in.Next();
    if (i >= matches.size()) Damaged(block);
    if (line.empty()) continue;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || !IsDigest(line.substr(0, space)) ||
        !IsDigest(line.substr(space + 1)))
      Damaged(block);
    matches[i].Content = std::string(line.substr(0, space));
    matches[i].Game = std::string(line.substr(space + 1));
  }
}

void WriteReportStyle(const Tournament& t, std::string& out) {
  BlockWriter w;
  w.Text(t.Extras.Report == ReportStyle::Modern ? "modern" : "classic");
  w.AppendTo(out, "Reports");
}

void ReadReportStyle(LineReader& in, Tournament& t) {
  const std::string_view style = in.Next();
  if (style == "modern")
    t.Extras.Report = ReportStyle::Modern;
  else if (style == "classic")
    t.Extras.Report = ReportStyle::Classic;
  else
    Damaged("Reports");
}

}  // namespace

bool HasExtensions(const Tournament& t) {
  return !(t.Extras == TournamentExtras{}) || AnyTiebreaker(t) || AnyScoreOnly(t);
}

void WriteExtensionSection(const Tournament& t, std::string& out) {
  if (!HasExtensions(t)) return;
  out += kExtensionsHeader;
  out += "\r\n";
  if (!t.Extras.Stages.empty()) WriteStages(t, out);
  if (t.Extras.TiebreakersCount || AnyTiebreaker(t)) WriteTiebreakers(t, out);
  if (AnyScoreOnly(t)) WriteScoreOnly(t, out);
  if (!(t.Extras.Posting == PostingOptions{})) WritePosting(t, out);
  if (!t.Extras.ImportedMatches.empty()) WriteImported(t, out);
  if (AnyDigest(t)) WriteImportedDigests(t, out);
  if (t.Extras.Report != ReportStyle::Classic) WriteReportStyle(t, out);
  if (AnyElimination(t)) WriteStageKinds(t, out);
  if (!t.Extras.FinalPlaces.empty()) WriteFinalPlaces(t, out);
  if (t.Extras.Finished) {
    BlockWriter w;
    w.Int(1);
    w.AppendTo(out, "Finished");
  }
}

void ReadExtensionSection(LineReader& in, Tournament& t) {
  if (in.AtEnd() || in.Next() != kExtensionsHeader) return;
  bool haveKinds = false;
  std::vector<StageKind> kinds;
  while (!in.AtEnd()) {
    const std::string name = in.NextString();
    if (name.empty() && in.AtEnd()) break;  // a final empty line
    const int count = in.NextCount();
    // Each block reads from its own lines only, so a damaged block cannot eat the next.
    std::string lines;
    for (int i = 0; i < count; ++i) {
      lines += in.Next();
      lines += '\n';
    }
    LineReader block(lines);
    if (name == "Stages")
      ReadStages(block, t);
    else if (name == "Tiebreakers")
      ReadTiebreakers(block, t);
    else if (name == "Score only")
      ReadScoreOnly(block, t);
    else if (name == "Posting")
      ReadPosting(block, t);
    else if (name == "Imported matches")
      ReadImported(block, t);
    else if (name == "Imported digests")
      ReadImportedDigests(block, t);
    else if (name == "Reports")
      ReadReportStyle(block, t);
    else if (name == "Stage kinds") {
      kinds = ReadStageKinds(block);
      haveKinds = true;
    } else if (name == "Final places")
      ReadFinalPlaces(block, t);
    else if (name == "Finished")
      t.Extras.Finished = BlockInt(block, name, 0, 1) == 1;
    // Blocks of a newer version are skipped: their lines are already consumed.
  }
  if (haveKinds) {
    if (kinds.size() != t.Extras.Stages.size()) Damaged("Stage kinds");
    for (std::size_t i = 0; i < kinds.size(); ++i) t.Extras.Stages[i].Kind = kinds[i];
  }
}

}  // namespace drav
