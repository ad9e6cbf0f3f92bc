#pragma once

// Every derived figure of the team and individual tables, with its zero-divisor rule,
// in one place for the QuickPrint texts and the web pages.

#include <cstdint>
#include <string>

#include "model/numbers.h"
#include "stats/player_stats.h"
#include "stats/team_stats.h"

namespace drav {

// Two ranking fractions are the same when they differ by less than this.
inline constexpr double kRankTolerance = 0.00001;

// |a - b| < kRankTolerance.
bool SameFraction(double a, double b);

// numerator / divisor, or 0 when divisor is 0.
double Quotient(double numerator, double divisor);

// The power-to-neg style ratio as text: "%.2f" of num / den; "inf" when den is 0 and
// num >= 1; "0.00" when den is 0 otherwise.
std::string RatioOrInfText(std::int64_t numerator, std::int64_t divisor);

// Text formats of the reports: "%.3f" (winning fractions), "%.1f" (averages, margins,
// schedule strength, games played), "%.2f" (other ratios).
std::string PctText(double value);
std::string AverageText(double value);
std::string RatioText(double value);

// The same texts held in place, for the pages that write them by the million.
NumberText RatioOrInfFigure(std::int64_t numerator, std::int64_t divisor);
inline NumberText AverageFigure(double value) {
  return NumberText::Fixed(value, 1);
}
inline NumberText RatioFigure(double value) {
  return NumberText::Fixed(value, 2);
}

// ---- Team figures ----
std::int64_t PlayedGames(const Standings& s);     // Wins + Losses + Ties
std::int64_t ShownWins(const Standings& s);       // "W": Wins + ForfeitWins
std::int64_t ShownLosses(const Standings& s);     // "L": Losses + ForfeitLosses
double WinningPct(const Standings& s);            // "Pct", 0 without games
double PointsPerGame(const Standings& s);         // "PPG": PointsFor / played games
double PointsAgainstPerGame(const Standings& s);  // "PAPG"
double Margin(const Standings& s);                // "Mrg": PPG - PAPG
double ScheduleStrength(const Standings& s);      // "SoS" shown: SoS / (played + 1)
double PointsPerTossupHeard(const Standings& s);  // "PPTH": FullPointsFor / TUH
double PointsPerBonus(const Standings& s);        // "P/B": BonusPts / BonusHeard
double PointsPerBounceback(const Standings& s);   // "P/BB": BouncePts / BounceHeard
std::string PowerNegText(const Standings& s);     // "P/N": slot 0 / slot 2, or "inf"
std::string GetNegText(const Standings& s);       // "G/N": (slots 0 + 1) / slot 2, or "inf"

// ---- Player figures ----
double PointsPerTossupHeard(const Individuals& p);  // "PPTH"/"P/TU": Points / TUH
double PointsPerGame(const Individuals& p);         // "PPG": Points / GP
std::string PowerNegText(const Individuals& p);     // "P/N"
std::string GetNegText(const Individuals& p);       // "G/N"

}  // namespace drav
