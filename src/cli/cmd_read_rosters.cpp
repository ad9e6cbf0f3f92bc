#include <ostream>

#include "cli/commands.h"
#include "model/new_tournament.h"
#include "model/numbers.h"
#include "storage/roster_file.h"

namespace drav::cli {

namespace {

// "--values a,b,c,d": four integers; 0 leaves a column unchecked, as the window would.
void ApplyValues(const std::string& text, NewTournamentChoices& choices) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() != kColumns) throw UsageError{"--values takes four numbers a,b,c,d"};
  for (int c = 0; c < kColumns; ++c) {
    const auto value = TryStrictInt(parts[c]);
    if (!value) throw UsageError{"--values takes four numbers a,b,c,d"};
    choices.ColumnChecked[c] = *value != 0;
    choices.ColumnText[c] = std::to_string(*value);
  }
}

BonusChoice ParseBonus(const std::string& name) {
  if (name == "automatic") return BonusChoice::Automatic;
  if (name == "manual") return BonusChoice::Manual;
  if (name == "none") return BonusChoice::None;
  if (name == "manual-heard") return BonusChoice::ManualHeardAutoPts;
  if (name == "bouncebacks") return BonusChoice::ManualBouncebacks;
  throw UsageError{"--bonus takes automatic, manual, none, manual-heard or bouncebacks"};
}

}  // namespace

int RunReadRosters(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  const std::vector<std::string> flags{"no-tuh", "no-pow-neg", "lightning", "divisions"};
  CliArgs args(words, flags);
  args.AllowOnly({"values", "bonus", "no-tuh", "no-pow-neg", "lightning", "divisions"});
  args.ExpectPositional(2);

  NewTournamentChoices choices;
  if (auto values = args.Value("values")) ApplyValues(*values, choices);
  if (auto bonus = args.Value("bonus")) choices.Bonus = ParseBonus(*bonus);
  choices.TUHeard = !args.Has("no-tuh");
  choices.PowNeg = !args.Has("no-pow-neg");
  choices.Sixty = args.Has("lightning");
  choices.Divisions = args.Has("divisions");

  Tournament t;
  ReadRosters(t, args.Positional()[0], choices);
  SaveForCli(t, args.Positional()[1]);
  return 0;
}

}  // namespace drav::cli
