#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/extensions.h"

namespace drav {

// The most stages a tournament, and brackets a stage, may have: far beyond any real event,
// and low enough that a hostile file cannot make the checks and pages costly.
inline constexpr std::size_t kMaxStages = 1000;
inline constexpr std::size_t kMaxBrackets = 1000;
// "A tournament may have at most 1000 stages"
std::string TooManyStagesMessage();
// "Stage NAME: a stage may have at most 1000 brackets"
std::string TooManyBracketsMessage(const std::string& stage);

// Throws DravError naming the first fault: too many stages or brackets (above), an empty or
// repeated stage name, a stage whose first round comes after its last, two stages whose rounds
// overlap, a bracket team outside 0..teamCount-1, or a team in two brackets of one stage.
void CheckStages(const std::vector<Stage>& stages, int teamCount);

// Renumbers the teams of every bracket after teams were reordered or deleted: team i becomes
// newIndex[i], and a team mapped to -1 (or outside the map) leaves its bracket.
void RenumberStageTeams(std::vector<Stage>& stages, const std::vector<int>& newIndex);

// The highest place the director may set by hand.
inline constexpr int kMaxFinalPlace = 1000000;

// Throws DravError naming the first fault of hand-set final places: a team outside
// 0..teamCount-1, a team placed twice, or a place outside 1..kMaxFinalPlace.
void CheckFinalPlaces(const std::vector<FinalPlace>& places, int teamCount);

// Renumbers the teams of the hand-set final places as RenumberStageTeams does; a team
// mapped to -1 loses its place.
void RenumberFinalPlaces(std::vector<FinalPlace>& places, const std::vector<int>& newIndex);

// "pools" or "elimination", as files and JSON name a stage's kind; ParseStageKind returns
// false for any other word.
const char* StageKindName(StageKind kind);
bool ParseStageKind(std::string_view word, StageKind& kind);

// The stage whose rounds hold this round, or -1.
int StageOfRound(const std::vector<Stage>& stages, int round);

}  // namespace drav
