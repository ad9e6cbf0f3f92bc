// Reads a pasted table of results into score-only games, row by row with its problems.
#include "entry/results_import.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "model/error.h"
#include "model/numbers.h"

namespace drav::entry {

namespace {

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

// Splits the text into records of fields; a quoted field may hold the separator, doubled
// quotes and line breaks. Empty lines are skipped.
std::vector<Record> SplitRecords(std::string_view text, char sep) {
  std::vector<Record> records;
  Record current;
  std::string field;
  bool quoted = false, any = false;
  int line = 1;
  current.line = 1;
  auto endField = [&] {
    current.fields.push_back(std::move(field));
    field.clear();
  };
  auto endRecord = [&] {
    endField();
    if (any) records.push_back(std::move(current));
    current = Record{};
    any = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == '"' && field.empty()) {
      quoted = any = true;
    } else if (c == sep) {
      endField();
      any = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endRecord();
      current.line = ++line;
    } else {
      field += c;
      if (c != ' ' && c != '\t') any = true;
    }
  }
  endRecord();
  return records;
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

enum Column { kRound, kTeamA, kScoreA, kTeamB, kScoreB, kForfeit, kOvertime, kPacket, kTuh };

// The column a header cell names, -1 for one we do not know (left alone).
int ColumnOf(std::string_view header) {
  std::string key;
  for (char c : Lower(header))
    if (c != ' ' && c != '_' && c != '-' && c != '.') key += c;
  static const std::map<std::string, int> names = {
      {"round", kRound},   {"rnd", kRound},     {"teama", kTeamA},      {"team1", kTeamA},
      {"scorea", kScoreA}, {"score1", kScoreA}, {"teamb", kTeamB},      {"team2", kTeamB},
      {"scoreb", kScoreB}, {"score2", kScoreB}, {"forfeit", kForfeit},  {"overtime", kOvertime},
      {"ot", kOvertime},   {"packet", kPacket}, {"tossupsheard", kTuh}, {"tuh", kTuh},
      {"tossups", kTuh}};
  const auto it = names.find(key);
  return it == names.end() ? -1 : it->second;
}

// A yes/no mark: empty, 0, no, false are no; 1, yes, y, true, x are yes.
std::optional<bool> Mark(std::string_view text) {
  const std::string v = Lower(Trim(text));
  if (v.empty() || v == "0" || v == "no" || v == "n" || v == "false") return false;
  if (v == "1" || v == "yes" || v == "y" || v == "true" || v == "x") return true;
  return std::nullopt;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  // Long names from a pasted table are cut, so one row cannot cost much time.
  a = a.substr(0, 100);
  b = b.substr(0, 100);
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

}  // namespace

int ClosestTeam(const Tournament& t, std::string_view name, std::size_t* distance) {
  int best = -1;
  std::size_t bestDistance = 0;
  const std::string key = Lower(name);
  for (int team = 0; team < t.TeamCount(); ++team) {
    const std::size_t d = EditDistance(key, Lower(t.TeamName(team)));
    if (best < 0 || d < bestDistance) {
      best = team;
      bestDistance = d;
    }
  }
  if (distance) *distance = bestDistance;
  return best;
}

std::string ClosestTeamName(const Tournament& t, std::string_view name) {
  const int team = ClosestTeam(t, name);
  return team < 0 ? std::string() : t.TeamName(team);
}

int LikelyTeam(const Tournament& t, std::string_view name) {
  std::size_t distance = 0;
  const int team = ClosestTeam(t, name, &distance);
  const std::size_t allowed = std::max<std::size_t>(1, std::min<std::size_t>(name.size(), 100) / 3);
  return team >= 0 && distance <= allowed ? team : -1;
}

std::string ResultsRow::Meaning(const Tournament& t) const {
  const auto name = [&](int team, const std::string& written) {
    return t.IsTeam(team) ? t.TeamName(team) : written;
  };
  std::string text = "Round " + std::to_string(game.Round) + ": " + name(game.TeamA, teamA);
  if (game.Forfeit != 0) return text + " defeats " + name(game.TeamB, teamB) + " by forfeit";
  text += " " + std::to_string(game.ScoreA) + ", " + name(game.TeamB, teamB) + " " +
          std::to_string(game.ScoreB);
  if (game.Overtime != 0) text += " (overtime)";
  return text;
}

ResultsPreview PreviewResults(const Tournament& t, std::string_view text, bool addTeams) {
  ResultsPreview preview;
  const std::size_t firstEnd = text.find_first_of("\r\n");
  const char sep = text.substr(0, firstEnd).find('\t') != std::string_view::npos ? '\t' : ',';
  const std::vector<Record> records = SplitRecords(text, sep);
  if (records.empty()) {
    preview.problems.push_back("The table is empty");
    return preview;
  }
  std::map<int, std::size_t> where;  // column -> field index
  for (std::size_t i = 0; i < records[0].fields.size(); ++i) {
    const int column = ColumnOf(Trim(records[0].fields[i]));
    if (column >= 0 && !where.count(column)) where[column] = i;
  }
  for (const auto& [column, name] : {std::pair{kRound, "round"},
                                     {kTeamA, "team A"},
                                     {kScoreA, "score A"},
                                     {kTeamB, "team B"},
                                     {kScoreB, "score B"}})
    if (!where.count(column))
      preview.problems.push_back("line " + std::to_string(records[0].line) +
                                 ": the header has no column \"" + name + "\"");
  if (!preview.problems.empty()) return preview;

  std::map<std::string, int> added;           // new team name -> its index to be
  std::set<std::tuple<int, int, int>> games;  // round, lower team, higher team
  for (const GameStats& g : t.Games)
    games.insert({g.Round, std::min(g.TeamA, g.TeamB), std::max(g.TeamA, g.TeamB)});

  for (std::size_t r = 1; r < records.size(); ++r) {
    const Record& rec = records[r];
    ResultsRow row;
    row.line = rec.line;
    const std::string at = "line " + std::to_string(rec.line) + ": ";
    const auto cell = [&](int column) -> std::string {
      const auto it = where.find(column);
      if (it == where.end() || it->second >= rec.fields.size()) return {};
      return Trim(rec.fields[it->second]);
    };
    GameStats& g = row.game;
    g.ScoreOnly = true;
    const auto team = [&](const std::string& name, const char* side) {
      if (name.empty()) {
        row.problems.push_back(at + "no team " + side);
        return -1;
      }
      for (int k = 0; k < t.TeamCount(); ++k)
        if (t.TeamName(k) == name) return k;
      for (int k = 0; k < t.TeamCount(); ++k)
        if (Lower(t.TeamName(k)) == Lower(name)) return k;
      if (addTeams) {
        const auto [it, isNew] =
            added.emplace(name, t.TeamCount() + static_cast<int>(added.size()));
        if (isNew) preview.newTeams.push_back(name);
        return it->second;
      }
      const std::string closest = ClosestTeamName(t, name);
      row.problems.push_back(at + "unknown team " + Quoted(name) +
                             (closest.empty() ? "" : " (closest: " + closest + ")"));
      return -1;
    };
    row.teamA = cell(kTeamA);
    row.teamB = cell(kTeamB);
    g.TeamA = team(row.teamA, "A");
    g.TeamB = team(row.teamB, "B");
    const auto mark = [&](int column, const char* what) {
      const std::optional<bool> m = Mark(cell(column));
      if (!m) row.problems.push_back(at + "bad " + what + " mark " + Quoted(cell(column)));
      return m.value_or(false) ? 1 : 0;
    };
    g.Forfeit = mark(kForfeit, "forfeit");
    g.Overtime = mark(kOvertime, "overtime");
    const auto number = [&](int column, const char* what, bool needed) {
      const std::string v = cell(column);
      if (v.empty() && !needed) return 0;
      const std::optional<int> n = TryStrictInt(v);
      if (!n || *n < 0) {
        row.problems.push_back(at + "bad " + what + " " + Quoted(v));
        return 0;
      }
      return *n;
    };
    g.Round = number(kRound, "round", true);
    if (g.Forfeit != 0) {
      g.ScoreA = g.ScoreB = -1;
    } else {
      g.ScoreA = number(kScoreA, "score A", true);
      g.ScoreB = number(kScoreB, "score B", true);
    }
    g.TUH = number(kTuh, "toss-ups heard", false);
    row.packet = cell(kPacket);
    if (g.TeamA >= 0 && g.TeamA == g.TeamB) row.problems.push_back(at + "a team plays itself");
    if (g.TeamA >= 0 && g.TeamB >= 0 &&
        !games.insert({g.Round, std::min(g.TeamA, g.TeamB), std::max(g.TeamA, g.TeamB)}).second)
      row.problems.push_back(at + "duplicate game: " + row.teamA + " and " + row.teamB +
                             " already meet in round " + std::to_string(g.Round));
    for (const std::string& p : row.problems) preview.problems.push_back(p);
    preview.rows.push_back(std::move(row));
  }
  if (preview.rows.empty()) preview.problems.push_back("The table has no results under its header");
  return preview;
}

void ApplyResults(Tournament& t, const ResultsPreview& preview) {
  if (!preview.Ok())
    throw DravError(preview.problems.empty() ? "Nothing to import" : preview.problems.front());
  Tournament copy = t;
  for (const std::string& name : preview.newTeams) {
    copy.Rosters.push_back({name});
    copy.TeamDivision.push_back(-1);
    copy.ExhibitionTeam.push_back(0);
  }
  for (const ResultsRow& row : preview.rows) {
    GameStats g = row.game;
    if (!copy.IsTeam(g.TeamA) || !copy.IsTeam(g.TeamB))
      throw DravError("The preview no longer fits the tournament");
    g.GID = std::to_string(copy.Games.size());
    if (!row.packet.empty() && g.Round >= 1 && g.Round <= 1000) {
      const auto slot = static_cast<std::size_t>(g.Round);
      if (copy.PacketNames.size() < slot) copy.PacketNames.resize(slot);
      if (copy.PacketNames[slot - 1].empty()) copy.PacketNames[slot - 1] = row.packet;
    }
    copy.Games.push_back(std::move(g));
  }
  t = std::move(copy);
}

}  // namespace drav::entry
