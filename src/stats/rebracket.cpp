#include "stats/rebracket.h"

#include <algorithm>
#include <functional>

#include "model/error.h"
#include "model/merge_sort.h"
#include "model/text_lines.h"
#include "stats/stage_standings.h"

namespace drav {

namespace {

// A place number of 1 to 9 digits; -1 when the text is not one.
int PlaceNumber(std::string_view s) {
  if (s.empty() || s.size() > 9) return -1;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n >= 1 ? n : -1;
}

// The rule giving this place, or nullptr.
const RebracketRule* RuleFor(const std::vector<RebracketRule>& rules, int place) {
  for (const RebracketRule& r : rules)
    if (place >= r.FirstPlace && place <= r.LastPlace) return &r;
  return nullptr;
}

}  // namespace

std::vector<RebracketRule> ParseRebracketRules(std::string_view text) {
  std::vector<RebracketRule> rules;
  ForEachFilledLine(text, [&rules](std::string_view line, int lineNumber) {
    const std::string fault = "Rule line " + std::to_string(lineNumber) +
                              " does not read as places and a bracket, as in \"1-2 Championship\"";
    const std::size_t space = line.find_first_of(" \t");
    if (space == std::string_view::npos) throw DravError(fault);
    const std::string_view places = line.substr(0, space);
    RebracketRule r;
    r.Bracket = std::string(TrimBlanks(line.substr(space)));
    const std::size_t dash = places.find('-');
    r.FirstPlace = PlaceNumber(places.substr(0, dash));
    r.LastPlace =
        dash == std::string_view::npos ? r.FirstPlace : PlaceNumber(places.substr(dash + 1));
    if (r.FirstPlace < 0 || r.LastPlace < r.FirstPlace || r.Bracket.empty()) throw DravError(fault);
    for (const RebracketRule& o : rules)
      if (r.FirstPlace <= o.LastPlace && o.FirstPlace <= r.LastPlace)
        throw DravError("Rule line " + std::to_string(lineNumber) +
                        " gives places that an earlier rule gives");
    rules.push_back(std::move(r));
  });
  return rules;
}

RebracketResult Rebracket(const Tournament& t, int fromStage,
                          const std::vector<RebracketRule>& rules,
                          const std::vector<std::vector<int>>& settled) {
  RebracketResult result;
  for (const RebracketRule& r : rules) {
    const bool known = std::any_of(result.Brackets.begin(), result.Brackets.end(),
                                   [&](const Bracket& b) { return b.Name == r.Bracket; });
    if (!known) result.Brackets.push_back({r.Bracket, {}});
  }
  auto targetOf = [&](int place) -> int {
    const RebracketRule* r = RuleFor(rules, place);
    if (r == nullptr) return -1;
    for (std::size_t b = 0; b < result.Brackets.size(); ++b)
      if (result.Brackets[b].Name == r->Bracket) return static_cast<int>(b);
    return -1;
  };

  struct Seed {
    int team, place, source, target;
  };
  std::vector<Seed> seeds;
  const std::vector<RankedBracket> ranked = RankStage(t, fromStage);
  for (std::size_t s = 0; s < ranked.size(); ++s) {
    const RankedBracket& rb = ranked[s];
    std::vector<int> teams;
    for (const Standings& rec : rb.Teams) teams.push_back(rec.TeamIndex);
    // Each run of teams sharing a place is one tie; it matters only across a border.
    for (std::size_t i = 0; i < teams.size();) {
      std::size_t j = i + 1;
      while (j < teams.size() && rb.Place[j] == rb.Place[i]) ++j;
      const int first = static_cast<int>(i) + 1, last = static_cast<int>(j);
      bool border = false;
      for (int p = first + 1; p <= last; ++p) border = border || targetOf(p) != targetOf(first);
      if (border) {
        std::vector<int> group(teams.begin() + static_cast<std::ptrdiff_t>(i),
                               teams.begin() + static_cast<std::ptrdiff_t>(j));
        std::vector<int> sortedGroup = group;
        MergeSort(sortedGroup, std::less<int>());
        const std::vector<int>* order = nullptr;
        for (const std::vector<int>& o : settled) {
          std::vector<int> sortedOrder = o;
          MergeSort(sortedOrder, std::less<int>());
          if (sortedOrder == sortedGroup) order = &o;
        }
        if (order != nullptr)
          std::copy(order->begin(), order->end(), teams.begin() + static_cast<std::ptrdiff_t>(i));
        else
          result.Ties.push_back({rb.Bracket, rb.Name, group, first, last});
      }
      i = j;
    }
    for (std::size_t i = 0; i < teams.size(); ++i) {
      const int place = static_cast<int>(i) + 1;
      seeds.push_back({teams[i], place, static_cast<int>(s), targetOf(place)});
    }
  }
  // Seeding order inside a new bracket: place first, then the earlier bracket.
  MergeSort(seeds, [](const Seed& a, const Seed& b) {
    return a.place != b.place ? a.place < b.place : a.source < b.source;
  });
  for (const Seed& seed : seeds)
    if (seed.target >= 0)
      result.Brackets[static_cast<std::size_t>(seed.target)].Teams.push_back(seed.team);
  return result;
}

std::string DescribeTie(const Tournament& t, const BorderTie& tie) {
  std::string text = tie.SourceName.empty() ? std::string("The standings") : tie.SourceName;
  text += ", places " + std::to_string(tie.FirstPlace) + "-" + std::to_string(tie.LastPlace) + ":";
  for (std::size_t i = 0; i < tie.Teams.size(); ++i)
    text += (i == 0 ? " " : ", ") + t.TeamName(tie.Teams[i]);
  return text;
}

}  // namespace drav
