#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/extensions.h"
#include "model/tournament.h"
#include "model/tourney_format.h"

namespace drav::app {

// The Settings window (TExtraOptions): six pages, loaded from Format when it opens and
// stored back on OK. Every field mirrors one control; numbers are kept as typed.
struct SettingsForm {
  enum Page { General = 0, Ftp = 1, Reports = 2, Sorting = 3, Warnings = 4, Scheduling = 5 };
  static constexpr int kPageCount = 6;
  static const char* PageCaption(int page);

  int ActivePage = General;

  // General
  std::string TourneyName;
  bool Divisions = false;
  bool AllRounds = true;  // false: "Rounds ... to ..." is chosen
  std::string RoundsMin;
  std::string RoundsMax;
  bool AutoSave = false;
  std::string AutoSaveMin;
  // Question values, kept beside Format: a column is on when checked with a number, as in
  // the New Tournament window.
  std::array<bool, kColumns> ValueChecked{};
  std::array<std::string, kColumns> ValueText{};

  // FTP
  std::string HostAddress;
  std::string UserName;
  std::string Password;
  std::string Directory;
  std::string BaseName;
  bool Paths = true;
  // Kept in the tournament's extras, not in Format (LoadPosting / StorePostingInto).
  int Protocol = 0;  // the Protocol list: 0 FTP, 1 FTPS, 2 SFTP
  std::string CaFile;
  std::string KnownHostsFile;
  bool PostAfterEveryGame = false;

  // Reports: the eight inclusion/style boxes and their file names (Edit1..Edit8).
  bool TeamStandings = true;
  bool IndividualStandings = true;
  bool Scoreboard = true;
  bool TeamDetail = true;
  bool IndividualDetail = true;
  bool RoundReports = false;
  bool StatKey = true;
  bool StyleSheet = false;
  std::string Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8;
  bool BritishStyle = false;
  bool ModernReport = false;  // "Report style: Classic / Modern"

  // Sorting: the chosen criterion button 1..5, or 0 when none is chosen.
  int SortButton = 1;
  bool TUHSort = false;

  // Warnings
  bool Warning[7] = {};

  // Scheduling
  bool RepeatBox = true;
  bool SwissTUH = true;  // false: "Pts Per Game"
  bool RRNoLimit = true;
  std::string RRRooms;
  bool RandomNoLimit = true;
  std::string RandomRooms;
  std::string RandomRounds;

  // Loads every control from the settings, as the window does when it opens on page.
  static SettingsForm Load(const TourneyFormat& f, int page);

  // The autosave interval that OK stores: the minutes when "Auto Save" is checked (a
  // non-number or a number below 1 gives 10), otherwise 0 (off).
  int StoredAutoSaveMin() const;

  // Stores every control but "Use Divisions" into f (the caller handles that one, since
  // changing it rebuilds the entry windows). Order and rules as the window's OK.
  void StoreInto(TourneyFormat& f) const;

  // The posting controls of the FTP page, which the tournament keeps beside Format.
  void LoadPosting(const PostingOptions& posting);
  void StorePostingInto(PostingOptions& posting) const;

  void LoadQuestionValues(const std::array<int, kColumns>& values);
  std::array<int, kColumns> StoredQuestionValues() const;

  // "Report style: Classic / Modern" of the Reports page, also kept beside Format.
  void LoadReportStyle(ReportStyle style);
  void StoreReportStyleInto(ReportStyle& style) const;
};

// Why t cannot take these question values, or nothing: a column that a stored game has
// answers in cannot be switched off (its answers would lose their worth).
std::optional<std::string> QuestionValuesProblem(const Tournament& t,
                                                 const std::array<int, kColumns>& values);

}  // namespace drav::app
