#include <ostream>

#include "cli/commands.h"
#include "storage/qbj.h"

namespace drav::cli {

namespace {

// The New Tournament window as it opens: values 15, 10, -5, automatic bonuses, toss-ups
// heard and powers/negs tracked, every warning on.
Tournament EmptyTournament() {
  Tournament t;
  TourneyFormat& f = t.Format;
  f.TrackBonuses = 1;
  f.BonusMode = 1;
  f.PowNeg = 1;
  f.TUHeard = 1;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = f.Warning5 = f.Warning6 = f.Warning7 = 1;
  f.AllRounds = f.RoundsMin = f.RoundsMax = 1;
  t.QuestionValues = {15, 10, -5, 0};
  return t;
}

}  // namespace

int RunImportQbj(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {"add-teams", "replace-changed"});
  args.AllowOnly({"into", "add-teams", "replace-changed"});
  const auto& files = args.Positional();
  if (files.size() < 2) throw UsageError{"expected one or more QBJ files and OUT"};
  const auto into = args.Value("into");
  Tournament t = into ? OpenForCli(*into) : EmptyTournament();
  // Into a tournament under way, a team name that matches none of its teams is most
  // likely a typo: refused unless the director says the new teams are meant.
  QbjImportOptions options;
  options.AddUnknownTeams = !into || args.Has("add-teams");
  const bool replace = args.Has("replace-changed");
  if (replace) options.ChangedMatches = QbjImportOptions::Changed::Replace;
  QbjImportReport report;
  try {
    report = ImportQbjFilesReport(t, {files.begin(), files.end() - 1}, options);
  } catch (const UnknownQbjTeam& e) {
    throw DravError(std::string(e.what()) + " (--add-teams adds it)");
  }
  if (!into) AdoptQbjSettings(t);
  SaveForCli(t, files.back());
  for (const std::string& note : report.Notes) out << note << "\n";
  if (!replace && !report.Changed.empty())
    out << "--replace-changed puts the new versions of changed matches in the place of their "
           "games\n";
  return 0;
}

int RunExportQbj(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(2);
  const Tournament t = OpenForCli(args.Positional()[0]);
  for (const std::string& note : ExportQbj(t, args.Positional()[1])) out << note << "\n";
  return 0;
}

}  // namespace drav::cli
