#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// "Places FirstPlace..LastPlace of every bracket go to the bracket named Bracket."
struct RebracketRule {
  int FirstPlace = 1;
  int LastPlace = 1;
  std::string Bracket;
  bool operator==(const RebracketRule&) const = default;
};

// One rule per non-blank line, "A-B NAME" or "A NAME" (places 1-based). Throws DravError
// naming the line that does not read, or a place two rules give.
std::vector<RebracketRule> ParseRebracketRules(std::string_view text);

// Teams of one bracket of the earlier stage that no criterion parts, sharing the places
// FirstPlace..LastPlace that the rules send to different brackets.
struct BorderTie {
  int SourceBracket = -1;  // -1: the earlier stage's one table
  std::string SourceName;
  std::vector<int> Teams;  // team indices, in the provisional (standings) order
  int FirstPlace = 0;
  int LastPlace = 0;
};

struct RebracketResult {
  // The new brackets in the order the rules first name them; in each, the teams by place,
  // then by the earlier stage's bracket order.
  std::vector<Bracket> Brackets;
  // The ties nobody settled yet; their teams stand in the provisional order meanwhile.
  std::vector<BorderTie> Ties;
};

// Fills brackets from the standings of stage fromStage. settled holds the orders the
// director chose for tied teams: an order naming exactly the teams of a tie settles it.
// fromStage must be valid.
RebracketResult Rebracket(const Tournament& t, int fromStage,
                          const std::vector<RebracketRule>& rules,
                          const std::vector<std::vector<int>>& settled = {});

// "Pool A, places 2-3: Alpha, Beta" (the one table: "The standings, places ...").
std::string DescribeTie(const Tournament& t, const BorderTie& tie);

}  // namespace drav
