#include "stats/team_stats.h"

#include "stats/figures.h"

namespace drav {

bool RoundSelected(const TourneyFormat& format, int round) {
  return format.AllRounds != 0 || (format.RoundsMin <= round && round <= format.RoundsMax);
}

bool CountsForTeamA(const Tournament& t, const GameStats& g) {
  return RoundSelected(t.Format, g.Round) && t.IsTeam(g.TeamB) && !t.IsExhibition(g.TeamB);
}

bool CountsForTeamB(const Tournament& t, const GameStats& g) {
  return RoundSelected(t.Format, g.Round) && t.IsTeam(g.TeamA) && !t.IsExhibition(g.TeamA);
}

bool CountsInTeamStandings(const Tournament& t, const GameStats& g) {
  return !g.Tiebreaker || t.Extras.TiebreakersCount;
}

bool IsPlayedGame(const GameStats& g) {
  return g.Forfeit == 0 && g.ScoreA != -1 && g.ScoreB != -1;
}

namespace {

// Adds one played game to a side's record; own/other are the two scores.
void AddResult(Standings& s, int own, int other) {
  if (own > other)
    ++s.Wins;
  else if (own == other)
    ++s.Ties;
  else
    ++s.Losses;
  s.PointsFor += own;
  s.PointsAgainst += other;
}

void AddTossUps(Standings& s, const GameStats& g, bool sideA) {
  for (int row = 0; row < kRows; ++row) {
    for (int k = 0; k < kColumns; ++k) s.TossUps[k] += sideA ? g.QA(k, row) : g.QB(k, row);
  }
}

// The counts of a game with a box score that only such games carry.
void AddBoxScore(Standings& s, const GameStats& g, int own) {
  ++s.FullGames;
  s.FullPointsFor += own;
  s.TUH += g.TUH;
}

// PointsFor / played games, 0 without played games.
double ScoringRate(const Standings& s) {
  return Quotient(static_cast<double>(s.PointsFor), static_cast<double>(PlayedGames(s)));
}

}  // namespace

std::vector<Standings> ComputeTeamStats(const Tournament& t) {
  std::vector<Standings> teamStats(static_cast<std::size_t>(t.TeamCount()));
  for (int team = 0; team < t.TeamCount(); ++team) {
    Standings& s = teamStats[team];
    s.TeamName = t.TeamName(team);
    s.TeamIndex = team;
    s.LinkIndex = team;
  }
  // One pass over the games: each game adds to its two teams' records (sums are
  // integers, so the result is that of walking the games once per team).
  for (const GameStats& g : t.Games) {
    if (!CountsInTeamStandings(t, g)) continue;
    if (t.IsTeam(g.TeamA) && CountsForTeamA(t, g)) {
      Standings& s = teamStats[g.TeamA];
      if (g.Forfeit != 0) {
        ++s.ForfeitWins;
      } else if (g.ScoreA != -1 && g.ScoreB != -1) {
        AddResult(s, g.ScoreA, g.ScoreB);
        if (!g.ScoreOnly) {
          AddBoxScore(s, g, g.ScoreA);
          s.LightningPts += g.SixtyA;
          s.BonusHeard += g.BHA;
          s.BonusPts += g.BPA;
          s.BounceHeard += g.BncBkA;
          s.BouncePts += g.BncBkPtsA;
          AddTossUps(s, g, true);
        }
      }
    }
    if (t.IsTeam(g.TeamB) && CountsForTeamB(t, g)) {
      Standings& s = teamStats[g.TeamB];
      if (g.Forfeit != 0) {
        ++s.ForfeitLosses;
      } else if (g.ScoreA != -1 && g.ScoreB != -1) {
        AddResult(s, g.ScoreB, g.ScoreA);
        if (!g.ScoreOnly) {
          AddBoxScore(s, g, g.ScoreB);
          s.LightningPts += g.SixtyB;
          s.BonusHeard += g.BHB;
          s.BonusPts += g.BPB;
          s.BounceHeard += g.BncBkB;
          s.BouncePts += g.BncBkPtsB;
          AddTossUps(s, g, false);
        }
      }
    }
  }
  for (Standings& s : teamStats) {
    s.GamesCount = s.Wins + s.Losses + s.Ties + s.ForfeitWins + s.ForfeitLosses;
    if (s.GamesCount != 0) {
      s.Pct = (s.Wins + s.ForfeitWins + 0.5 * s.Ties) / s.GamesCount;
      s.PPG = ScoringRate(s);
    }
  }

  // Schedule strength needs every team's finished scoring rate.
  std::vector<double> rate(teamStats.size());
  for (std::size_t i = 0; i < teamStats.size(); ++i) rate[i] = ScoringRate(teamStats[i]);
  for (std::size_t i = 0; i < teamStats.size(); ++i) teamStats[i].SoS = rate[i];
  for (const GameStats& g : t.Games) {
    if (!IsPlayedGame(g) || !CountsInTeamStandings(t, g)) continue;
    // Both indices are listed teams whenever either side counts.
    if (t.IsTeam(g.TeamA) && CountsForTeamA(t, g)) teamStats[g.TeamA].SoS += rate[g.TeamB];
    if (t.IsTeam(g.TeamB) && CountsForTeamB(t, g)) teamStats[g.TeamB].SoS += rate[g.TeamA];
  }
  return teamStats;
}

}  // namespace drav
