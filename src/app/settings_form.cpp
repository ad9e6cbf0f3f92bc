#include "app/settings_form.h"

#include "model/numbers.h"

namespace drav::app {

namespace {
int Flag(bool b) {
  return b ? 1 : 0;
}
}  // namespace

const char* SettingsForm::PageCaption(int page) {
  static const char* const kCaptions[kPageCount] = {"General", "FTP",      "Reports",
                                                    "Sorting", "Warnings", "Scheduling"};
  return page >= 0 && page < kPageCount ? kCaptions[page] : "";
}

SettingsForm SettingsForm::Load(const TourneyFormat& f, int page) {
  SettingsForm s;
  s.ActivePage = page >= 0 && page < kPageCount ? page : General;

  s.TourneyName = f.TourneyName;
  s.Divisions = f.Divisions == 1;
  s.AllRounds = f.AllRounds == 1;
  s.RoundsMin = std::to_string(f.RoundsMin);
  s.RoundsMax = std::to_string(f.RoundsMax);
  s.AutoSave = f.AutoSaveMin > 0;
  s.AutoSaveMin = f.AutoSaveMin < 1 ? "10" : std::to_string(f.AutoSaveMin);

  s.HostAddress = f.HostAddress;
  s.UserName = f.UserName;
  s.Password = f.Password;
  s.Directory = f.Directory;
  s.BaseName = f.BaseName;
  s.Paths = f.Paths == 1;

  s.TeamStandings = f.TeamStandings == 1;
  s.IndividualStandings = f.IndividualStandings == 1;
  s.Scoreboard = f.Scoreboard == 1;
  s.TeamDetail = f.TeamDetail == 1;
  s.IndividualDetail = f.IndividualDetail == 1;
  s.RoundReports = f.RoundReports == 1;
  s.StatKey = f.StatKey == 1;
  s.StyleSheet = f.StyleSheet == 1;
  s.Edit1 = f.StandingsFile;
  s.Edit2 = f.IndividualsFile;
  s.Edit3 = f.ScoreboardFile;
  s.Edit4 = f.TeamDetailFile;
  s.Edit5 = f.PlayerDetailFile;
  s.Edit6 = f.RoundsFile;
  s.Edit7 = f.StatKeyFile;
  s.Edit8 = f.StyleSheetFile;
  s.BritishStyle = f.BritishStyle == 1;

  // A criterion outside 1..5 (possible from a file) leaves every button clear.
  s.SortButton = f.SortCriterion >= 1 && f.SortCriterion <= 5 ? f.SortCriterion : 0;
  s.TUHSort = f.TUHSort == 1;

  const int warnings[7] = {f.Warning1, f.Warning2, f.Warning3, f.Warning4,
                           f.Warning5, f.Warning6, f.Warning7};
  for (int i = 0; i < 7; ++i) s.Warning[i] = warnings[i] == 1;

  s.RepeatBox = f.RepeatAvoidance == 1;
  s.SwissTUH = f.SwissTUH == 1;
  s.RRNoLimit = f.RRNoLimit == 1;
  s.RRRooms = std::to_string(f.RRRooms);
  s.RandomNoLimit = f.RandomNoLimit == 1;
  s.RandomRooms = std::to_string(f.RandomRooms);
  s.RandomRounds = std::to_string(f.RandomRounds);
  return s;
}

int SettingsForm::StoredAutoSaveMin() const {
  if (!AutoSave) return 0;
  const int minutes = LenientInt(AutoSaveMin, 10);
  return minutes < 1 ? 10 : minutes;
}

void SettingsForm::StoreInto(TourneyFormat& f) const {
  f.TourneyName = TourneyName;
  f.AutoSaveMin = StoredAutoSaveMin();

  f.TUHSort = Flag(TUHSort);
  int* warnings[7] = {&f.Warning1, &f.Warning2, &f.Warning3, &f.Warning4,
                      &f.Warning5, &f.Warning6, &f.Warning7};
  for (int i = 0; i < 7; ++i) *warnings[i] = Flag(Warning[i]);

  f.AllRounds = Flag(AllRounds);
  f.RoundsMin = LenientInt(RoundsMin, 1);
  f.RoundsMax = LenientInt(RoundsMax, 1);

  f.HostAddress = HostAddress;
  f.UserName = UserName;
  f.Password = Password;
  f.Directory = Directory;
  f.BaseName = BaseName;
  f.Paths = Flag(Paths);

  f.TeamStandings = Flag(TeamStandings);
  f.IndividualStandings = Flag(IndividualStandings);
  f.Scoreboard = Flag(Scoreboard);
  f.TeamDetail = Flag(TeamDetail);
  f.IndividualDetail = Flag(IndividualDetail);
  f.RoundReports = Flag(RoundReports);
  f.StatKey = Flag(StatKey);
  f.StyleSheet = Flag(StyleSheet);
  f.BritishStyle = Flag(BritishStyle);
  f.StandingsFile = Edit1;
  f.IndividualsFile = Edit2;
  f.ScoreboardFile = Edit3;
  f.TeamDetailFile = Edit4;
  f.PlayerDetailFile = Edit5;
  f.RoundsFile = Edit6;
  f.StatKeyFile = Edit7;
  f.StyleSheetFile = Edit8;

  if (SortButton >= 1 && SortButton <= 5) f.SortCriterion = SortButton;

  f.RepeatAvoidance = Flag(RepeatBox);
  f.SwissTUH = Flag(SwissTUH);
  f.RRNoLimit = Flag(RRNoLimit);
  f.RRRooms = LenientInt(RRRooms, 0);
  f.RandomNoLimit = Flag(RandomNoLimit);
  f.RandomRooms = LenientInt(RandomRooms, 0);
  f.RandomRounds = LenientInt(RandomRounds, 0);
}

void SettingsForm::LoadPosting(const PostingOptions& posting) {
  Protocol = static_cast<int>(posting.Protocol);
  CaFile = posting.CaFile;
  KnownHostsFile = posting.KnownHostsFile;
  PostAfterEveryGame = posting.PostAfterEveryGame;
}

void SettingsForm::StorePostingInto(PostingOptions& posting) const {
  posting.Protocol = Protocol == 1   ? PostProtocol::Ftps
                     : Protocol == 2 ? PostProtocol::Sftp
                                     : PostProtocol::Ftp;
  posting.CaFile = CaFile;
  posting.KnownHostsFile = KnownHostsFile;
  posting.PostAfterEveryGame = PostAfterEveryGame;
}

void SettingsForm::LoadReportStyle(ReportStyle style) {
  ModernReport = style == ReportStyle::Modern;
}

void SettingsForm::StoreReportStyleInto(ReportStyle& style) const {
  style = ModernReport ? ReportStyle::Modern : ReportStyle::Classic;
}

void SettingsForm::LoadQuestionValues(const std::array<int, kColumns>& values) {
  for (int c = 0; c < kColumns; ++c) {
    ValueChecked[c] = values[c] != 0;
    ValueText[c] = values[c] != 0 ? std::to_string(values[c]) : "";
  }
}

std::array<int, kColumns> SettingsForm::StoredQuestionValues() const {
  std::array<int, kColumns> values{};
  for (int c = 0; c < kColumns; ++c) values[c] = ValueChecked[c] ? LenientInt(ValueText[c], 0) : 0;
  return values;
}

std::optional<std::string> QuestionValuesProblem(const Tournament& t,
                                                 const std::array<int, kColumns>& values) {
  for (int c = 0; c < kColumns; ++c) {
    if (values[c] != 0 || t.QuestionValues[c] == 0) continue;
    for (std::size_t i = 0; i < t.Games.size(); ++i) {
      const GameStats& g = t.Games[i];
      bool answered = false;
      for (int r = 0; r < kRows; ++r) answered = answered || g.QA(c, r) != 0 || g.QB(c, r) != 0;
      if (!answered) continue;
      auto name = [&](int team) { return t.IsTeam(team) ? t.TeamName(team) : std::string("?"); };
      return "The question value " + std::to_string(t.QuestionValues[c]) +
             " cannot be switched off: game " + std::to_string(i + 1) + " (Round " +
             std::to_string(g.Round) + ": " + name(g.TeamA) + " vs. " + name(g.TeamB) +
             ") has answers worth it.";
    }
  }
  return std::nullopt;
}

}  // namespace drav::app
