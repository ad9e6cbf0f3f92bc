#include "stats/figures.h"

#include <cmath>

#include "model/numbers.h"

namespace drav {

bool SameFraction(double a, double b) {
  return std::fabs(a - b) < kRankTolerance;
}

double Quotient(double numerator, double divisor) {
  return divisor == 0 ? 0.0 : numerator / divisor;
}

NumberText RatioOrInfFigure(std::int64_t numerator, std::int64_t divisor) {
  if (divisor == 0) return NumberText::Word(numerator >= 1 ? "inf" : "0.00");
  return RatioFigure(static_cast<double>(numerator) / static_cast<double>(divisor));
}

std::string RatioOrInfText(std::int64_t numerator, std::int64_t divisor) {
  return RatioOrInfFigure(numerator, divisor).str();
}

std::string PctText(double value) {
  return FormatFixed(value, 3);
}
std::string AverageText(double value) {
  return AverageFigure(value).str();
}
std::string RatioText(double value) {
  return RatioFigure(value).str();
}

std::int64_t PlayedGames(const Standings& s) {
  return static_cast<std::int64_t>(s.Wins) + s.Losses + s.Ties;
}
std::int64_t ShownWins(const Standings& s) {
  return static_cast<std::int64_t>(s.Wins) + s.ForfeitWins;
}
std::int64_t ShownLosses(const Standings& s) {
  return static_cast<std::int64_t>(s.Losses) + s.ForfeitLosses;
}

double WinningPct(const Standings& s) {
  return Quotient(s.Ties * 0.5 + s.Wins + s.ForfeitWins, s.GamesCount);
}

double PointsPerGame(const Standings& s) {
  return Quotient(static_cast<double>(s.PointsFor), static_cast<double>(PlayedGames(s)));
}

double PointsAgainstPerGame(const Standings& s) {
  return Quotient(static_cast<double>(s.PointsAgainst), static_cast<double>(PlayedGames(s)));
}

double Margin(const Standings& s) {
  return PointsPerGame(s) - PointsAgainstPerGame(s);
}

double ScheduleStrength(const Standings& s) {
  return s.SoS / static_cast<double>(PlayedGames(s) + 1);
}

double PointsPerTossupHeard(const Standings& s) {
  return Quotient(static_cast<double>(s.FullPointsFor), static_cast<double>(s.TUH));
}

double PointsPerBonus(const Standings& s) {
  return Quotient(static_cast<double>(s.BonusPts), static_cast<double>(s.BonusHeard));
}

double PointsPerBounceback(const Standings& s) {
  return Quotient(static_cast<double>(s.BouncePts), static_cast<double>(s.BounceHeard));
}

std::string PowerNegText(const Standings& s) {
  return RatioOrInfText(s.TossUps[0], s.TossUps[2]);
}
std::string GetNegText(const Standings& s) {
  return RatioOrInfText(s.TossUps[0] + s.TossUps[1], s.TossUps[2]);
}

double PointsPerTossupHeard(const Individuals& p) {
  return Quotient(static_cast<double>(p.Points), static_cast<double>(p.TUH));
}

double PointsPerGame(const Individuals& p) {
  return Quotient(static_cast<double>(p.Points), p.GP);
}

std::string PowerNegText(const Individuals& p) {
  return RatioOrInfText(p.TossUps[0], p.TossUps[2]);
}
std::string GetNegText(const Individuals& p) {
  return RatioOrInfText(p.TossUps[0] + p.TossUps[1], p.TossUps[2]);
}

}  // namespace drav
