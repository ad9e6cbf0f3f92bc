#include "cli/cli_args.h"

#include <algorithm>

#include "model/numbers.h"
#include "stats/stage_standings.h"
#include "storage/tournament_file.h"

namespace drav::cli {

CliArgs::CliArgs(const std::vector<std::string>& words,
                 const std::vector<std::string>& flagOptions) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
      const std::string name = w.substr(2);
      if (std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end()) {
        options_[name] = "";
      } else {
        if (i + 1 >= words.size()) throw UsageError{"option --" + name + " needs a value"};
        options_[name] = words[++i];
      }
    } else {
      positional_.push_back(w);
    }
  }
}

void CliArgs::ExpectPositional(std::size_t count) const {
  if (positional_.size() != count) throw UsageError{"wrong number of arguments"};
}

std::optional<std::string> CliArgs::Value(const std::string& option) const {
  auto it = options_.find(option);
  if (it == options_.end()) return std::nullopt;
  return it->second;
}

std::optional<int> CliArgs::IntValue(const std::string& option) const {
  auto v = Value(option);
  if (!v) return std::nullopt;
  auto n = TryStrictInt(*v);
  if (!n) throw UsageError{"option --" + option + " needs a whole number"};
  return n;
}

void CliArgs::AllowOnly(const std::vector<std::string>& allowed) const {
  for (const auto& [name, value] : options_) {
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
      throw UsageError{"unknown option --" + name};
  }
}

void ApplyRoundsOption(const CliArgs& args, Tournament& t) {
  auto v = args.Value("rounds");
  if (!v) return;
  // A-B, where A may itself be negative: split at the first '-' after the first character.
  const std::size_t dash = v->find('-', 1);
  if (dash == std::string::npos) throw UsageError{"--rounds takes A-B"};
  auto a = TryStrictInt(v->substr(0, dash));
  auto b = TryStrictInt(v->substr(dash + 1));
  if (!a || !b) throw UsageError{"--rounds takes A-B"};
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = *a;
  t.Format.RoundsMax = *b;
}

void CheckStageOption(const CliArgs& args) {
  if (args.Has("stage") && args.Has("rounds"))
    throw UsageError{"--stage and --rounds cannot be given together"};
}

int StageOption(const CliArgs& args, const Tournament& t) {
  CheckStageOption(args);
  const auto name = args.Value("stage");
  return name ? FindStage(t, *name) : -1;
}

Tournament OpenForCli(const std::string& path) {
  Tournament t;
  OpenTournament(t, path);
  return t;
}

void SaveForCli(Tournament& t, const std::string& path) {
  WriteTournament(t, path);
}

}  // namespace drav::cli
