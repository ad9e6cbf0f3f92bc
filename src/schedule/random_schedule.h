#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/tournament.h"
#include "schedule/random_source.h"
#include "schedule/search_control.h"

namespace drav {

// The numbers of one group's random schedule.
struct RandomPlan {
  int teams = 0;         // n
  int rounds = 0;        // R
  int rooms = 0;
  int gamesPerTeam = 0;  // g
  int maxMeetings = 0;   // g / n + 1
  std::vector<int> byes;  // per round: teams that sit out
};

// The plan for n teams over rounds rounds, rooms n / 2 or roomLimit when that is smaller
// (noLimit false). nullopt when no team can get a game: rounds or rooms below 1, or g <= 0.
std::optional<RandomPlan> PlanRandomSchedule(int teams, int rounds, bool noLimit, int roomLimit);

// True when some schedule fits the plan: a team can meet its g opponents without any pair
// meeting more than maxMeetings times, i.e. g <= maxMeetings * (n - 1).
bool RandomPlanFeasible(const RandomPlan& plan);

enum class DrawOutcome { kFound, kNotFound, kCancelled };

struct RandomDraw {
  DrawOutcome outcome = DrawOutcome::kNotFound;
  // partner[r][t] for round r (0-based) and team t = 1..n: 0 for a bye, else the opponent.
  // Entry 0 of each round is unused.
  std::vector<std::vector<int>> partner;
  bool constructive = false;      // the constructive draw found it
  bool structured = false;        // ... from the rotated round robin
  std::uint64_t searchDraws = 0;  // draws taken by the depth-first search
  std::uint64_t steps = 0;        // candidates tried by both
  int restarts = 0;               // constructive draws started again
};

struct RandomDrawOptions {
  // Draws the depth-first search may take before the constructive draw takes over.
  std::uint64_t searchDrawLimit = 200000;
  // Work the constructive draw may spend over its restarts before it builds its schedule
  // from a rotated round robin instead (which always succeeds when a schedule exists).
  std::uint64_t constructiveStepLimit = 300000;
};

// Draws one group's schedule: the depth-first search over places in round-major order with
// its random first candidate, whether or not a schedule exists; when it would need a draw
// beyond the limit and a schedule exists, the constructive draw (byes first, then each
// round's pairing) continues the same random sequence.
RandomDraw DrawRandomSchedule(const RandomPlan& plan, RandomSource& rng,
                              const SearchControl& control = {},
                              const RandomDrawOptions& options = {});

// The text of Scheduling > Random for the tournament's teams and settings.
ScheduleText RandomScheduleLines(const Tournament& t, RandomSource& rng,
                                 const SearchControl& control = {});

}  // namespace drav
