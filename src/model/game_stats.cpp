#include "model/game_stats.h"

#include <stdexcept>

namespace drav {

namespace {

template <typename Game>
auto& Column(Game& g, bool sideA, int column) {
  switch (column) {
    case 0: return sideA ? g.Q0A : g.Q0B;
    case 1: return sideA ? g.Q1A : g.Q1B;
    case 2: return sideA ? g.Q2A : g.Q2B;
    case 3: return sideA ? g.Q3A : g.Q3B;
    default: throw std::out_of_range("toss-up column");
  }
}

}  // namespace

int& GameStats::QA(int column, int row) { return Column(*this, true, column).at(row); }
int& GameStats::QB(int column, int row) { return Column(*this, false, column).at(row); }
int GameStats::QA(int column, int row) const { return Column(*this, true, column).at(row); }
int GameStats::QB(int column, int row) const { return Column(*this, false, column).at(row); }

}  // namespace drav
