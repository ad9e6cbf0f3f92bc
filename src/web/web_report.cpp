#include "web/web_report.h"

#include <cctype>

#include "stats/player_stats.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"
#include "storage/received_file.h"
#include "web/html.h"
#include "web/modern/modern_report.h"
#include "web/pages.h"
#include "web/report_writer.h"

namespace drav {

using web::GamesInRoundOrder;
using web::ReportWriter;

bool IsStyleSheetName(std::string_view path) {
  constexpr std::string_view kSuffix = ".css";
  if (path.size() < kSuffix.size() || !IsPlainName(path)) return false;
  const std::string_view tail = path.substr(path.size() - kSuffix.size());
  for (std::size_t i = 0; i < kSuffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kSuffix[i]) return false;
  return true;
}

std::vector<std::string> WriteWebReport(Tournament& t, const std::string& basePath,
                                        const ReportSink* sink) {
  if (t.Extras.Report == ReportStyle::Modern) return WriteModernReport(t, basePath, sink);
  const TourneyFormat& f = t.Format;
  std::vector<Standings> teamStats = ComputeTeamStats(t);
  std::vector<Individuals> playerStats = ComputePlayerStats(t);

  t.Format.SortByRound = 1;
  GamesInRoundOrder roundOrder(t);
  const Tournament& view = t;

  const std::string linkBase = LinkBaseOf(basePath);
  ReportWriter writer(basePath, sink);
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
  if (HasClassicFinalPage(view))
    writer.Page(std::string(kClassicFinalFile),
                [&](std::string& page) { WriteFinalRankingPage(page, view, linkBase); });
  return writer.TakeFailures();
}

std::vector<ReportFile> WebReportFiles(const Tournament& t) {
  if (t.Extras.Report == ReportStyle::Modern) return ModernReportFiles(t);
  const TourneyFormat& f = t.Format;
  struct Page {
    int include;
    const std::string& suffix;
    const char* failure;
  };
  const Page pages[] = {
      {f.TeamStandings, f.StandingsFile, "Team Standings Upload Failed"},
      {f.IndividualStandings, f.IndividualsFile, "Individual Standings Upload Failed"},
      {f.Scoreboard, f.ScoreboardFile, "Scoreboard Upload Failed"},
      {f.TeamDetail, f.TeamDetailFile, "Team Detail Upload Failed"},
      {f.IndividualDetail, f.PlayerDetailFile, "Individual Detail Upload Failed"},
      {f.RoundReports, f.RoundsFile, "Round Reports Upload Failed"},
      {f.StatKey, f.StatKeyFile, "Stat Key Upload Failed"},
  };
  std::vector<ReportFile> files;
  for (const Page& page : pages)
    if (page.include) files.push_back({page.suffix, page.failure});
  if (f.StyleSheet) files.push_back({"_style.css", "Style Sheet Upload Failed"});
  if (HasClassicFinalPage(t))
    files.push_back({std::string(kClassicFinalFile), "Final Ranking Upload Failed"});
  return files;
}

}  // namespace drav
