#pragma once

#include <string>

namespace drav {

// Every tournament setting, in declared order, with the values the program starts with.
// Which of them the tournament file stores is decided by the file reader and writer.
struct TourneyFormat {
  std::string TourneyName;
  int TrackBonuses = 0;
  int BonusMode = 0;  // 0 manual, 1 automatic, 2 manual heard/auto points, 3 manual with bouncebacks
  int PowNeg = 0;
  int Sixty = 0;
  int TUHeard = 0;
  int TUHSort = 0;
  int Warning1 = 0;
  int Warning2 = 0;
  int Warning3 = 0;
  int Warning4 = 0;
  int Warning5 = 0;
  int Warning6 = 0;
  int Warning7 = 0;
  int AllRounds = 0;
  int RoundsMin = 0;
  int RoundsMax = 0;
  int SortByRound = 0;
  std::string HostAddress;
  std::string UserName;
  std::string Password;  // kept in memory only, never written anywhere
  std::string Directory;
  std::string BaseName;
  int BritishStyle = 0;
  int Paths = 1;
  int TeamStandings = 1;
  int IndividualStandings = 1;
  int Scoreboard = 1;
  int TeamDetail = 1;
  int IndividualDetail = 1;
  int RoundReports = 0;
  int StatKey = 1;
  int StyleSheet = 0;
  std::string StandingsFile = "_standings.html";
  std::string IndividualsFile = "_individuals.html";
  std::string ScoreboardFile = "_games.html";
  std::string TeamDetailFile = "_teamdetail.html";
  std::string PlayerDetailFile = "_playerdetail.html";
  std::string RoundsFile = "_rounds.html";
  std::string StatKeyFile = "_statkey.html";
  std::string StyleSheetFile;
  int Divisions = 0;
  int SortCriterion = 1;  // 1..5, see the standings order
  int AutoSaveMin = 0;
  int QuickPrintFontSize = 10;
  int RepeatAvoidance = 1;
  int SwissTUH = 1;
  int RRNoLimit = 1;
  int RRRooms = 5;
  int RandomNoLimit = 1;
  int RandomRooms = 5;
  int RandomRounds = 5;

  bool operator==(const TourneyFormat&) const = default;
};

}  // namespace drav
