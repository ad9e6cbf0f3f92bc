#include "web/web_report.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include "model/error.h"
#include "model/merge_sort.h"
#include "stats/player_stats.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"
#include "storage/line_reader.h"
#include "web/html.h"
#include "web/pages.h"

namespace drav {

namespace {

// Lists the games in round order for the length of the report and puts the tournament's
// own order back however the report ends. The order is that of SortGames with
// SortByRound 1 (the same merge sort and comparator), found by sorting pointers so that
// the large game records are copied once rather than moved at every merge level.
class GamesInRoundOrder {
 public:
  explicit GamesInRoundOrder(Tournament& t) : t_(t) {
    std::vector<const GameStats*> order;
    order.reserve(t.Games.size());
    for (const GameStats& g : t.Games) order.push_back(&g);
    MergeSort(order, [](const GameStats* a, const GameStats* b) { return GameBefore(*a, *b, 1); });
    std::vector<GameStats> sorted;
    sorted.reserve(order.size());
    for (const GameStats* g : order) sorted.push_back(*g);
    saved_ = std::move(t.Games);
    t.Games = std::move(sorted);
  }
  ~GamesInRoundOrder() { t_.Games = std::move(saved_); }
  GamesInRoundOrder(const GamesInRoundOrder&) = delete;
  GamesInRoundOrder& operator=(const GamesInRoundOrder&) = delete;

 private:
  Tournament& t_;
  std::vector<GameStats> saved_;
};

class ReportWriter {
 public:
  explicit ReportWriter(const std::string& basePath) : basePath_(basePath) {}

  // Writes one page; a failure is noted and the report goes on.
  template <typename Build>
  void Page(const std::string& suffix, Build build) {
    const std::string path = basePath_ + suffix;
    // A suffix holding a folder separator (say, from a tournament file received from
    // someone else) would write outside the chosen folder: refuse it.
    if (suffix.find_first_of("/\\") != std::string::npos) {
      failed_.push_back(path);
      return;
    }
    page_.clear();
    build(page_);
    Save(path, page_);
  }

  void CopyStyleSheet(const std::string& source) {
    const std::string target = basePath_ + "_style.css";
    // The name comes from the tournament file, which may have come from someone else: only
    // a style sheet is copied beside the pages (and so published), never any other file.
    if (!IsStyleSheetName(source)) {
      failed_.push_back(target);
      return;
    }
    std::string contents;
    try {
      contents = ReadWholeFile(source);
    } catch (const DravError&) {
      failed_.push_back(target);
      return;
    }
    Save(target, contents);
  }

  std::vector<std::string> TakeFailures() { return std::move(failed_); }

 private:
  // Through a temporary file renamed over the target, so that a web server never serves
  // half a page; unlike the tournament file, a page is not forced to disk (it can always
  // be generated again, and forcing two dozen megabytes would stall a large report).
  void Save(const std::string& path, const std::string& contents) {
    const std::string temp = path + ".tmp~";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    bool ok = f != nullptr;
    if (ok) {
      ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
      ok = std::fclose(f) == 0 && ok;
      ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
      if (!ok) std::remove(temp.c_str());
    }
    if (!ok) failed_.push_back(path);
  }

  const std::string& basePath_;
  std::string page_;
  std::vector<std::string> failed_;
};

}  // namespace

bool IsStyleSheetName(std::string_view path) {
  constexpr std::string_view kSuffix = ".css";
  if (path.size() < kSuffix.size()) return false;
  const std::string_view tail = path.substr(path.size() - kSuffix.size());
  for (std::size_t i = 0; i < kSuffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kSuffix[i]) return false;
  return true;
}

std::vector<std::string> WriteWebReport(Tournament& t, const std::string& basePath) {
  const TourneyFormat& f = t.Format;
  std::vector<Standings> teamStats = ComputeTeamStats(t);
  std::vector<Individuals> playerStats = ComputePlayerStats(t);

  t.Format.SortByRound = 1;
  GamesInRoundOrder roundOrder(t);
  const Tournament& view = t;

  const std::string linkBase = LinkBaseOf(basePath);
  ReportWriter writer(basePath);
  if (f.StyleSheet) writer.CopyStyleSheet(f.StyleSheetFile);

  // The detail pages find team t's record at position t: the lists are still in team order.
  if (f.RoundReports)
    writer.Page(f.RoundsFile,
                [&](std::string& page) { WriteRoundReportPage(page, view, linkBase); });
  if (f.TeamDetail)
    writer.Page(f.TeamDetailFile, [&](std::string& page) {
      WriteTeamDetailPage(page, view, teamStats, playerStats, linkBase);
    });
  if (f.IndividualDetail)
    writer.Page(f.PlayerDetailFile, [&](std::string& page) {
      WriteIndividualDetailPage(page, view, playerStats, linkBase);
    });
  if (f.Scoreboard)
    writer.Page(f.ScoreboardFile,
                [&](std::string& page) { WriteScoreboardPage(page, view, linkBase); });

  std::vector<Standings> teamStatsByIndex;
  SortTeamStats(view, teamStats, teamStatsByIndex);
  SortPlayerStats(view, playerStats);

  if (f.IndividualStandings)
    writer.Page(f.IndividualsFile, [&](std::string& page) {
      WriteIndividualStandingsPage(page, view, playerStats, linkBase);
    });
  if (f.TeamStandings)
    writer.Page(f.StandingsFile, [&](std::string& page) {
      WriteTeamStandingsPage(page, view, teamStats, linkBase);
    });
  if (f.StatKey)
    writer.Page(f.StatKeyFile, [&](std::string& page) { WriteStatKeyPage(page, view, linkBase); });
  return writer.TakeFailures();
}

}  // namespace drav
