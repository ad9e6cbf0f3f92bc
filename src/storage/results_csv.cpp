// Writes the results CSV and finds what would keep a results database from taking it.
#include "storage/results_csv.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "model/merge_sort.h"
#include "model/text_codec.h"

namespace drav {

namespace {

std::string Field(const std::string& raw) {
  const std::string text = EncodeUtf8(DecodeName(raw));
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Score(const GameStats& g, int score) {
  return g.Forfeit != 0 || score == -1 ? std::string() : std::to_string(score);
}

std::string Packet(const Tournament& t, int round) {
  if (round < 1 || static_cast<std::size_t>(round) > t.PacketNames.size()) return {};
  return Field(t.PacketNames[static_cast<std::size_t>(round) - 1]);
}

std::string Describe(const Tournament& t, std::size_t position, const GameStats& g) {
  return "Game " + std::to_string(position + 1) + " (" + t.TeamName(g.TeamA) + " vs. " +
         t.TeamName(g.TeamB) + ")";
}

}  // namespace

std::string ResultsCsv(const Tournament& t) {
  std::vector<const GameStats*> games;
  games.reserve(t.Games.size());
  for (const GameStats& g : t.Games) games.push_back(&g);
  MergeSort(games, [](const GameStats* a, const GameStats* b) { return a->Round < b->Round; });
  std::string out = std::string(kResultsCsvHeader) + "\r\n";
  for (const GameStats* g : games) {
    out += std::to_string(g->Round) + "," + Packet(t, g->Round) + "," +
           Field(t.TeamName(g->TeamA)) + "," + Score(*g, g->ScoreA) + "," +
           Field(t.TeamName(g->TeamB)) + "," + Score(*g, g->ScoreB) + "," +
           (g->Forfeit != 0 ? "1" : "0") + "," + (g->Overtime != 0 ? "1" : "0") + "\r\n";
  }
  return out;
}

std::vector<std::string> ResultsPreflight(const Tournament& t,
                                          const std::vector<std::string>* registered) {
  std::vector<std::string> problems;
  std::set<std::tuple<int, int, int>> seen;  // round, lower team, higher team
  for (std::size_t i = 0; i < t.Games.size(); ++i) {
    const GameStats& g = t.Games[i];
    if (!t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB))
      problems.push_back(Describe(t, i, g) + " names a team that is not in the list");
    if (g.Round <= 0) problems.push_back(Describe(t, i, g) + " has no round");
    if (g.Forfeit == 0 && (g.ScoreA == -1 || g.ScoreB == -1))
      problems.push_back(Describe(t, i, g) + " has no score");
    const auto key =
        std::make_tuple(g.Round, std::min(g.TeamA, g.TeamB), std::max(g.TeamA, g.TeamB));
    if (!seen.insert(key).second)
      problems.push_back(Describe(t, i, g) + " repeats a game of round " + std::to_string(g.Round));
  }
  if (registered) {
    const std::set<std::string> names(registered->begin(), registered->end());
    for (int team = 0; team < t.TeamCount(); ++team)
      if (!names.count(t.TeamName(team)))
        problems.push_back("Team " + t.TeamName(team) + " is not named as registered");
  }
  return problems;
}

}  // namespace drav
