#include <ostream>

#include "cli/commands.h"
#include "model/error.h"
#include "storage/line_reader.h"
#include "storage/stages_json.h"

namespace drav::cli {

int RunStages(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(1);
  const Tournament t = OpenForCli(args.Positional()[0]);
  for (const std::string& line : StageListLines(t)) out << line << "\n";
  return 0;
}

int RunSetStages(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(3);
  Tournament t = OpenForCli(args.Positional()[0]);
  const std::string text = ReadWholeFile(args.Positional()[1]);
  ApplyStageSettings(ParseStageSettingsJson(text, t), t);  // throws before anything is written
  SaveForCli(t, args.Positional()[2]);
  return 0;
}

int RunMarkTiebreaker(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {"clear"});
  args.AllowOnly({"clear"});
  args.ExpectPositional(3);
  Tournament t = OpenForCli(args.Positional()[0]);
  const std::string& gid = args.Positional()[1];
  GameStats* found = nullptr;
  for (GameStats& g : t.Games) {
    if (g.GID != gid) continue;
    if (found != nullptr) throw DravError("More than one game has the identifier " + gid);
    found = &g;
  }
  if (found == nullptr) throw DravError("No game has the identifier " + gid);
  found->Tiebreaker = !args.Has("clear");
  SaveForCli(t, args.Positional()[2]);
  return 0;
}

}  // namespace drav::cli
