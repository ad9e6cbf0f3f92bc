#include "schedule/random_schedule.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

#include "model/merge_sort.h"
#include "schedule/pair_table.h"
#include "schedule/schedule_groups.h"

namespace drav {

namespace {
constexpr std::int64_t kMaxRandomCells = 20000000;
}

std::optional<RandomPlan> PlanRandomSchedule(int teams, int rounds, bool noLimit, int roomLimit) {
  if (teams < 2 || rounds < 1) return std::nullopt;
  int rooms = teams / 2;
  if (!noLimit && roomLimit < rooms) rooms = roomLimit;
  if (rooms < 1) return std::nullopt;
  const std::int64_t n = teams, r = rounds;
  std::int64_t g = (r * rooms * 2) / n;
  if (g % 2 == 1 && n % 2 == 1) --g;
  if (g <= 0) return std::nullopt;

  RandomPlan plan;
  plan.teams = teams;
  plan.rounds = rounds;
  plan.rooms = rooms;
  plan.gamesPerTeam = static_cast<int>(g);
  plan.maxMeetings = static_cast<int>(g / n + 1);
  // A draw keeps a mark per round and team; beyond this size it is refused rather than
  // letting a mistyped round count claim gigabytes (the byes stay empty, the draw fails).
  if (r * (n + 1) > kMaxRandomCells) return plan;
  plan.byes.assign(static_cast<std::size_t>(rounds), teams - 2 * rooms);
  // The byes left over go two at a time to the rounds from the last one backwards, round
  // after round; counted out here instead of one pair at a time.
  const std::int64_t extra = n * (r - g) - r * (n - 2 * rooms);  // even, >= 0
  const std::int64_t pairs = extra / 2;
  const std::int64_t each = pairs / r, rest = pairs % r;
  for (std::int64_t k = 0; k < r; ++k) {
    std::int64_t add = each + ((r - 1 - k) < rest ? 1 : 0);
    plan.byes[static_cast<std::size_t>(k)] += static_cast<int>(2 * add);
  }
  return plan;
}

bool RandomPlanFeasible(const RandomPlan& plan) {
  return static_cast<std::int64_t>(plan.gamesPerTeam) <=
         static_cast<std::int64_t>(plan.maxMeetings) * (plan.teams - 1);
}

namespace {

// The marks of one draw: partner per (round, team), games and byes per round, games per
// team, meetings per pair.
class Board {
 public:
  explicit Board(const RandomPlan& plan)
      : plan_(plan),
        n_(plan.teams),
        width_(static_cast<std::size_t>(plan.teams) + 1),
        partner_(static_cast<std::size_t>(plan.rounds) * width_, -1),
        byeCount_(plan.rounds, 0),
        gameCount_(plan.rounds, 0),
        played_(width_, 0),
        meetings_(plan.teams + 1) {}

  int Partner(int r, int t) const { return partner_[Cell(r, t)]; }
  int Met(int a, int b) const { return meetings_.Get(a, b); }
  int Played(int t) const { return played_[static_cast<std::size_t>(t)]; }

  // The rules of the depth-first search for place (r, t) and candidate b.
  bool Allowed(int r, int t, int b) const {
    if (b == 0) return byeCount_[r] < plan_.byes[r];
    return b > t && Partner(r, b) == -1 && Played(t) < plan_.gamesPerTeam &&
           Played(b) < plan_.gamesPerTeam && Met(t, b) < plan_.maxMeetings &&
           2LL * gameCount_[r] + 2 <= static_cast<long long>(n_) - plan_.byes[r];
  }
  void Set(int r, int t, int b) {
    if (b == 0) {
      partner_[Cell(r, t)] = 0;
      ++byeCount_[r];
      return;
    }
    partner_[Cell(r, t)] = b;
    partner_[Cell(r, b)] = t;
    ++gameCount_[r];
    ++played_[static_cast<std::size_t>(t)];
    ++played_[static_cast<std::size_t>(b)];
    meetings_.Add(t, b, 1);
  }
  void Clear(int r, int t) {
    const int b = Partner(r, t);
    if (b < 0) return;
    partner_[Cell(r, t)] = -1;
    if (b == 0) {
      --byeCount_[r];
      return;
    }
    partner_[Cell(r, b)] = -1;
    --gameCount_[r];
    --played_[static_cast<std::size_t>(t)];
    --played_[static_cast<std::size_t>(b)];
    meetings_.Add(t, b, -1);
  }
  // The first place at or after (r, t) in round-major order without a mark.
  bool NextOpen(int& r, int& t) const {
    for (; r < plan_.rounds; ++r, t = 1)
      for (; t <= n_; ++t)
        if (Partner(r, t) == -1) return true;
    return false;
  }
  std::vector<std::vector<int>> Partners() const {
    std::vector<std::vector<int>> out(static_cast<std::size_t>(plan_.rounds));
    for (int r = 0; r < plan_.rounds; ++r)
      out[r].assign(partner_.begin() + static_cast<std::ptrdiff_t>(Cell(r, 0)),
                    partner_.begin() + static_cast<std::ptrdiff_t>(Cell(r, 0) + width_));
    return out;
  }

 private:
  std::size_t Cell(int r, int t) const {
    return static_cast<std::size_t>(r) * width_ + static_cast<std::size_t>(t);
  }

  const RandomPlan& plan_;
  int n_;
  std::size_t width_;
  std::vector<int> partner_;
  std::vector<int> byeCount_, gameCount_;
  std::vector<int> played_;
  PairTable meetings_;
};

enum class SearchEnd { kFound, kNotFound, kCancelled, kOutOfDraws };

// The depth-first search, with an explicit stack of places: each place draws its first
// candidate b0 and then tries b0, b0 + 1, ..., n, 0, ..., b0 - 1.
SearchEnd DepthFirstSearch(const RandomPlan& plan, Board& board, RandomSource& rng,
                           SearchMeter& meter, std::uint64_t drawLimit, std::uint64_t& draws) {
  struct Frame {
    int r, t, b0, tried;
    bool holding;  // the place carries the mark of candidate tried - 1
  };
  const int n = plan.teams;
  std::vector<Frame> stack;
  int r = 0, t = 1;
  if (!board.NextOpen(r, t)) return SearchEnd::kFound;
  if (draws >= drawLimit) return SearchEnd::kOutOfDraws;
  ++draws;
  stack.push_back({r, t, rng.Next() % (n + 1), 0, false});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.holding) {
      board.Clear(f.r, f.t);
      f.holding = false;
    }
    bool placed = false;
    while (f.tried <= n) {
      const int b = (f.b0 + f.tried) % (n + 1);
      ++f.tried;
      if (meter.Step()) return SearchEnd::kCancelled;
      if (board.Allowed(f.r, f.t, b)) {
        board.Set(f.r, f.t, b);
        f.holding = true;
        placed = true;
        break;
      }
    }
    if (!placed) {
      stack.pop_back();
      continue;
    }
    r = f.r;
    t = f.t;
    if (!board.NextOpen(r, t)) return SearchEnd::kFound;
    if (draws >= drawLimit) return SearchEnd::kOutOfDraws;
    ++draws;
    stack.push_back({r, t, rng.Next() % (n + 1), 0, false});
  }
  return SearchEnd::kNotFound;
}

// Fisher-Yates with the program's random source.
void Shuffle(std::vector<int>& items, RandomSource& rng) {
  for (std::size_t i = items.size(); i > 1; --i) {
    const std::size_t j = static_cast<std::size_t>(rng.Below(static_cast<int>(i)));
    std::swap(items[i - 1], items[j]);
  }
}

// Pairs the playing teams of round r at random, meeting limit respected: the team with the
// fewest possible opponents goes first, its opponents tried from a random start among
// those met least often; backtracking within the round up to a budget.
SearchEnd PairRound(const RandomPlan& plan, Board& board, int r, const std::vector<int>& playing,
                    RandomSource& rng, SearchMeter& meter, std::uint64_t& budget) {
  const int k = static_cast<int>(playing.size());
  struct Frame {
    int team;
    std::vector<int> options;
    int start, block, tried;  // the random start rotates within the least-met block
    bool holding;
  };
  std::vector<Frame> stack;
  auto canMeet = [&](int a, int b) {
    return board.Partner(r, a) == -1 && board.Partner(r, b) == -1 &&
           board.Met(a, b) < plan.maxMeetings;
  };
  // Slack of a team: meetings it may still have minus games it still needs. Teams with
  // little slack are the ones a later round could strand, so they are paired first and
  // preferred as opponents.
  std::vector<long long> slack(static_cast<std::size_t>(plan.teams) + 1, 0);
  for (int a : playing) {
    long long room = 0;
    for (int b = 1; b <= plan.teams; ++b)
      if (b != a) room += plan.maxMeetings - board.Met(a, b);
    slack[a] = room - (plan.gamesPerTeam - board.Played(a));
  }
  // Opens a frame for the most constrained unpaired team: 1 opened, 0 all paired, -1 when
  // some team has no possible opponent left.
  auto open = [&]() -> int {
    int best = -1;
    std::vector<int> bestOptions;
    for (int i = 0; i < k; ++i) {
      const int a = playing[i];
      if (board.Partner(r, a) != -1) continue;
      std::vector<int> options;
      for (int j = 0; j < k; ++j) {
        const int b = playing[j];
        if (b != a && canMeet(a, b)) options.push_back(b);
      }
      if (options.empty()) return -1;
      if (best == -1 || options.size() < bestOptions.size() ||
          (options.size() == bestOptions.size() && slack[a] < slack[best])) {
        best = a;
        bestOptions = std::move(options);
      }
    }
    if (best == -1) return 0;
    // Least-met opponents first keeps the meetings spread, then the scarcest; the random
    // start varies the draw among opponents that are equal on both.
    auto key = [&](int x) { return std::pair<int, long long>(board.Met(best, x), slack[x]); };
    MergeSort(bestOptions, [&](int x, int y) { return key(x) < key(y); });
    int block = 1;
    while (block < static_cast<int>(bestOptions.size()) &&
           key(bestOptions[block]) == key(bestOptions[0]))
      ++block;
    const int start = rng.Below(block);
    stack.push_back({best, std::move(bestOptions), start, block, 0, false});
    return 1;
  };
  int state = open();
  if (state == 0) return SearchEnd::kFound;
  if (state < 0) return SearchEnd::kNotFound;
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.holding) {
      board.Clear(r, f.team);
      f.holding = false;
    }
    bool placed = false;
    const int count = static_cast<int>(f.options.size());
    while (f.tried < count) {
      const int idx = f.tried < f.block ? (f.start + f.tried) % f.block : f.tried;
      ++f.tried;
      if (budget == 0) return SearchEnd::kNotFound;
      --budget;
      if (meter.Step()) return SearchEnd::kCancelled;
      const int b = f.options[idx];
      if (!canMeet(f.team, b)) continue;
      board.Set(r, f.team, b);
      f.holding = true;
      placed = true;
      break;
    }
    if (!placed) {
      stack.pop_back();
      continue;
    }
    state = open();
    if (state == 0) return SearchEnd::kFound;
    if (state < 0) continue;  // try the frame's next opponent
  }
  return SearchEnd::kNotFound;
}

// Byes first: each round's sit-outs are the teams with the most byes still to take (ties in
// random order), which always gives every team exactly R - g byes; then each round is paired.
// A round that cannot be paired starts the whole draw again.
std::unique_ptr<Board> StructuredDraw(const RandomPlan& plan, RandomSource& rng);

SearchEnd ConstructiveDraw(const RandomPlan& plan, RandomSource& rng, SearchMeter& meter,
                           std::uint64_t stepLimit, std::unique_ptr<Board>& result, int& restarts,
                           bool& structured) {
  const int n = plan.teams;
  const std::uint64_t start = meter.Steps();
  for (;;) {
    if (meter.Steps() - start >= stepLimit) {
      // The draw keeps missing (tight meeting limits): build one that cannot miss.
      result = StructuredDraw(plan, rng);
      structured = true;
      return result ? SearchEnd::kFound : SearchEnd::kNotFound;
    }
    auto board = std::make_unique<Board>(plan);
    std::vector<int> byesLeft(static_cast<std::size_t>(n) + 1, plan.rounds - plan.gamesPerTeam);
    bool ok = true;
    for (int r = 0; r < plan.rounds && ok; ++r) {
      std::vector<int> order(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) order[i] = i + 1;
      Shuffle(order, rng);
      MergeSort(order, [&](int a, int b) { return byesLeft[a] > byesLeft[b]; });
      const int sitOut = std::clamp(plan.byes[r], 0, n);
      for (int i = 0; i < sitOut; ++i) {
        board->Set(r, order[i], 0);
        --byesLeft[order[i]];
      }
      std::vector<int> playing(order.begin() + sitOut, order.end());
      // Budget per round: enough for a thorough look, small enough to restart quickly.
      std::uint64_t budget = 200 + 20ull * playing.size() * playing.size();
      const SearchEnd end = PairRound(plan, *board, r, playing, rng, meter, budget);
      if (end == SearchEnd::kCancelled) return end;
      if (end != SearchEnd::kFound) ok = false;
    }
    if (ok) {
      result = std::move(board);
      return SearchEnd::kFound;
    }
    ++restarts;
  }
}


// The games of one round as a matching: mate[t] is t's opponent, 0 for none.
struct Matching {
  std::vector<int> mate;
  int size = 0;
};

// Moves one game from matching a to matching b (a larger than b). In the union of two
// matchings every component is a path or an even cycle; since a has more games, some
// path starts and ends with a game of a, and exchanging its games between a and b does it.
void MoveOneGame(Matching& a, Matching& b, int n) {
  for (int v = 1; v <= n; ++v) {
    if (a.mate[v] == 0 || b.mate[v] != 0) continue;  // a path end: in a, not in b
    std::vector<int> path{v};
    bool useA = true;
    for (int x = v;;) {
      const int y = useA ? a.mate[x] : b.mate[x];
      if (y == 0) break;
      path.push_back(y);
      x = y;
      useA = !useA;
    }
    if ((path.size() - 1) % 2 == 0) continue;  // as many games of b as of a
    for (std::size_t k = 0; k < path.size(); ++k) {
      a.mate[path[k]] = 0;
      b.mate[path[k]] = 0;
    }
    for (std::size_t k = 0; k + 1 < path.size(); ++k) {
      Matching& to = (k % 2 == 0) ? b : a;
      to.mate[path[k]] = path[k + 1];
      to.mate[path[k + 1]] = path[k];
    }
    --a.size;
    ++b.size;
    return;
  }
}

// A draw that cannot fail when RandomPlanFeasible holds. The games come from a complete
// round robin (circle method on n teams, or on n + 1 with a phantom for odd n), taken so
// that every team gets g games and no pair more than ceil(g / (n - 1)) <= g / n + 1:
//   n even: g rotations of the circle, each a round where everyone plays;
//   n odd:  whole cycles of the n rotations (a phantom game is a bye), plus for the rest
//           g' = 2h pairs of rotations (k, 2h-1-k): each of them leaves k and 2h-1-k without
//           a game, and the extra game {k, 2h-1-k} gives both their second game. Those h
//           extra games are disjoint and all belong to rotation h + m (m = (n-1)/2), which
//           is not among the 2h used, so they repeat no pairing.
// Every part is a matching with at most n / 2 games, all full but one, so the part sizes
// majorize the round sizes (each at most n / 2); games then move from a part above its
// round's size to the first one below it (always a smaller part), which ends with every
// round at exactly its size. Teams are relabelled by the random source.
std::unique_ptr<Board> StructuredDraw(const RandomPlan& plan, RandomSource& rng) {
  const int n = plan.teams;
  const int g = plan.gamesPerTeam;
  const int slots = n % 2 == 0 ? n : n + 1;  // circle positions 0..slots-1; slots-1 fixed
  const int phantom = n % 2 == 0 ? -1 : slots - 1;
  std::vector<int> label(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) label[i] = i + 1;
  Shuffle(label, rng);
  const int turns = slots - 1;  // rotations in one full round robin
  auto rotation = [&](int r) {
    Matching m;
    m.mate.assign(static_cast<std::size_t>(n) + 1, 0);
    auto add = [&](int x, int y) {
      if (x == phantom || y == phantom) return;
      const int a = label[x], b = label[y];
      m.mate[a] = b;
      m.mate[b] = a;
      ++m.size;
    };
    add(slots - 1, r);
    for (int j = 1; j < slots / 2; ++j) add((r + j) % turns, (r - j + turns) % turns);
    return m;
  };
  std::vector<Matching> parts;
  if (n % 2 == 0) {
    for (int k = 0; k < g; ++k) parts.push_back(rotation(k % turns));
  } else {
    const int full = g / (n - 1);
    const int h = (g - full * (n - 1)) / 2;
    for (int c = 0; c < full; ++c)
      for (int r = 0; r < turns; ++r) parts.push_back(rotation(r));
    if (h > 0) {
      for (int r = 0; r < 2 * h; ++r) parts.push_back(rotation(r));
      Matching extra;
      extra.mate.assign(static_cast<std::size_t>(n) + 1, 0);
      for (int k = 0; k < h; ++k) {
        const int a = label[k], b = label[2 * h - 1 - k];
        extra.mate[a] = b;
        extra.mate[b] = a;
        ++extra.size;
      }
      parts.push_back(std::move(extra));
    }
  }
  if (parts.size() > static_cast<std::size_t>(plan.rounds)) return nullptr;  // not feasible
  while (parts.size() < static_cast<std::size_t>(plan.rounds))
    parts.push_back({std::vector<int>(static_cast<std::size_t>(n) + 1, 0), 0});

  // Rounds by size, largest first, against the parts by size, largest first.
  std::vector<int> rounds(static_cast<std::size_t>(plan.rounds));
  for (int r = 0; r < plan.rounds; ++r) rounds[r] = r;
  auto target = [&](int r) { return (n - plan.byes[r]) / 2; };
  MergeSort(rounds, [&](int x, int y) { return target(x) > target(y); });
  MergeSort(parts, [](const Matching& x, const Matching& y) { return x.size > y.size; });
  for (;;) {
    std::size_t i = 0;
    while (i < parts.size() && parts[i].size == target(rounds[i])) ++i;
    if (i == parts.size()) break;
    if (parts[i].size < target(rounds[i])) return nullptr;  // cannot happen, see above
    std::size_t j = i + 1;
    while (j < parts.size() && parts[j].size >= target(rounds[j])) ++j;
    if (j == parts.size() || parts[j].size >= parts[i].size) return nullptr;
    MoveOneGame(parts[i], parts[j], n);
  }
  auto board = std::make_unique<Board>(plan);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const int r = rounds[k];
    for (int t = 1; t <= n; ++t) {
      const int b = parts[k].mate[t];
      if (b == 0) board->Set(r, t, 0);
      else if (b > t) board->Set(r, t, b);
    }
  }
  return board;
}

}  // namespace

RandomDraw DrawRandomSchedule(const RandomPlan& plan, RandomSource& rng,
                              const SearchControl& control, const RandomDrawOptions& options) {
  RandomDraw draw;
  SearchMeter meter(control);
  if (plan.teams < 2 || plan.rounds < 1 || plan.gamesPerTeam < 1 ||
      plan.byes.size() != static_cast<std::size_t>(plan.rounds))
    return draw;
  // The search runs even when no schedule exists: its draws advance the random state that
  // later groups and later runs start from.
  Board board(plan);
  const SearchEnd end =
      DepthFirstSearch(plan, board, rng, meter, options.searchDrawLimit, draw.searchDraws);
  if (end == SearchEnd::kFound) {
    draw.outcome = DrawOutcome::kFound;
    draw.partner = board.Partners();
  } else if (end == SearchEnd::kCancelled) {
    draw.outcome = DrawOutcome::kCancelled;
  } else if (end == SearchEnd::kOutOfDraws && RandomPlanFeasible(plan)) {
    std::unique_ptr<Board> built;
    draw.constructive = true;
    const SearchEnd c =
        ConstructiveDraw(plan, rng, meter, options.constructiveStepLimit, built,
                         draw.restarts, draw.structured);
    if (c == SearchEnd::kFound) {
      draw.outcome = DrawOutcome::kFound;
      draw.partner = built->Partners();
    } else {
      draw.outcome = c == SearchEnd::kCancelled ? DrawOutcome::kCancelled : DrawOutcome::kNotFound;
    }
  }
  draw.steps = meter.Steps();
  return draw;
}

ScheduleText RandomScheduleLines(const Tournament& t, RandomSource& rng,
                                 const SearchControl& control) {
  ScheduleText text;
  auto& lines = text.lines;
  const TourneyFormat& f = t.Format;
  for (const ScheduleGroup& group : ScheduleGroups(t)) {
    if (group.isDivision) lines.push_back(group.divisionName);
    const int n = static_cast<int>(group.teams.size());
    if (n < 2) {
      lines.insert(lines.end(), {"Too few teams", " ", " "});
      return text;
    }
    const auto plan = PlanRandomSchedule(n, f.RandomRounds, f.RandomNoLimit != 0, f.RandomRooms);
    if (!plan) {
      lines.push_back("Cannot give each team exactly one game");
      return text;
    }
    const RandomDraw draw = DrawRandomSchedule(*plan, rng, control);
    if (draw.outcome == DrawOutcome::kCancelled) {
      text.cancelled = true;
      return text;
    }
    if (draw.outcome == DrawOutcome::kFound) {
      auto name = [&](int number) -> const std::string& {
        return t.TeamName(group.teams[static_cast<std::size_t>(number) - 1]);
      };
      for (int r = 0; r < plan->rounds; ++r) {
        lines.push_back(" ");
        lines.push_back(RoundHeading(r + 1));
        const std::vector<int>& p = draw.partner[static_cast<std::size_t>(r)];
        for (int k = 1; k <= n; ++k)
          if (p[k] >= 1 && p[k] < k) lines.push_back(name(k) + " vs. " + name(p[k]));
      }
    } else {
      lines.push_back("Could not create a schedule");
    }
    lines.push_back(" ");
    lines.push_back(" ");
  }
  return text;
}

}  // namespace drav
