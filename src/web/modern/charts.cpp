// The report's SVG pictures: the points-by-round line chart, the PPG/PPB scatter, the bracket.
#include "web/modern/charts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

#include "model/text_codec.h"
#include "stats/figures.h"
#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

// Coordinates are whole pixels of the view box: short, and the same on every machine.
std::string Px(double v) {
  if (!std::isfinite(v)) v = 0;
  return web::Num(static_cast<std::int64_t>(std::lround(std::clamp(v, -1e6, 1e6))));
}

// A tick label with as many decimals as the step needs, whatever the locale.
std::string TickText(double v, double step) {
  const int decimals = step >= 1 ? 0 : step >= 0.1 ? 1 : 2;
  char buffer[64];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  std::string text(buffer, r.ptr);
  if (text == "-0" || text == "-0.0" || text == "-0.00") text.erase(0, 1);
  if (!text.empty() && text[0] == '-') text = "\xE2\x88\x92" + text.substr(1);
  return text;
}

// The axis from lo to hi in about five round steps.
struct Axis {
  double lo = 0;
  double hi = 1;
  double step = 1;
};
Axis NiceAxis(double lo, double hi) {
  // Far beyond any real figure; keeps the step arithmetic finite for hostile ones.
  constexpr double kLimit = 1e12;
  lo = std::isfinite(lo) ? std::clamp(lo, -kLimit, kLimit) : 0;
  hi = std::isfinite(hi) ? std::clamp(hi, -kLimit, kLimit) : 1;
  if (hi - lo < 1e-9) hi = lo + 1;
  const double raw = (hi - lo) / 5;
  const double magnitude = std::pow(10, std::floor(std::log10(raw)));
  const double norm = raw / magnitude;
  const double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
  return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

// A plot area inside the view box.
struct Frame {
  double left, top, width, height;
  Axis y;
  double Y(double v) const { return top + height - (v - y.lo) / (y.hi - y.lo) * height; }
};

// Horizontal grid lines with their labels on the left.
void YGrid(std::string& svg, const Frame& f) {
  const int steps = static_cast<int>(std::lround((f.y.hi - f.y.lo) / f.y.step));
  for (int i = 0; i <= steps && i <= 20; ++i) {
    const double v = f.y.lo + i * f.y.step;
    const std::string y = Px(f.Y(v));
    svg += "<line class=g x1=\"" + Px(f.left) + "\" x2=\"" + Px(f.left + f.width) + "\" y1=\"" + y +
           "\" y2=\"" + y + "\"/><text x=\"" + Px(f.left - 6) + "\" y=\"" + y +
           "\" dy=\".32em\" text-anchor=end>" + TickText(v, f.y.step) + "</text>";
  }
}

// A name cut to fit a box, with an ellipsis.
std::string ShortName(std::string_view name, std::size_t most) {
  std::u32string text = DecodeName(name);
  if (text.size() > most) {
    text.resize(most - 1);
    text += U'\u2026';
  }
  return HtmlEscape(EncodeUtf8(text));
}

}  // namespace

std::string PointsByRoundChart(std::string_view team, const std::vector<GamePoints>& games) {
  if (games.empty()) return {};
  double lo = 0, hi = 0;
  for (const GamePoints& g : games) {
    lo = std::min({lo, static_cast<double>(g.For), static_cast<double>(g.Against)});
    hi = std::max({hi, static_cast<double>(g.For), static_cast<double>(g.Against)});
  }
  const Frame f{44, 10, 344, 170, NiceAxis(lo, hi)};
  const std::size_t n = games.size();
  auto x = [&](std::size_t i) {
    return n == 1 ? f.left + f.width / 2 : f.left + f.width * i / (n - 1);
  };

  const std::string name = HtmlEscape(team);
  std::string text;
  for (const GamePoints& g : games)
    text += "Round " + web::Num(g.Round) + ": " + ScoreNum(g.For) + " for, " + ScoreNum(g.Against) +
            " against. ";
  text.pop_back();

  std::string svg =
      "<figure class=chart><figcaption>Points by round <span class=lg><i class=cf></i>For "
      "<i class=ca></i>Against</span></figcaption>\n<svg viewBox=\"0 0 400 215\" role=img "
      "aria-labelledby=\"pr-t pr-d\"><title id=pr-t>Points for and against " +
      name + ", game by game</title><desc id=pr-d>" + text + "</desc>";
  YGrid(svg, f);
  const std::size_t every = n <= 14 ? 1 : (n + 13) / 14;  // round labels that do not collide
  for (std::size_t i = 0; i < n; i += every)
    svg += "<text x=\"" + Px(x(i)) + "\" y=\"198\" text-anchor=middle>" + web::Num(games[i].Round) +
           "</text>";
  svg += "<text x=\"216\" y=\"213\" text-anchor=middle>Round</text>";
  for (int side = 0; side < 2; ++side) {
    const char* cls = side == 0 ? "cf" : "ca";
    std::string points, dots;
    for (std::size_t i = 0; i < n; ++i) {
      const double v = static_cast<double>(side == 0 ? games[i].For : games[i].Against);
      points += Px(x(i)) + "," + Px(f.Y(v)) + " ";
      dots += "<circle class=" + std::string(cls) + " cx=\"" + Px(x(i)) + "\" cy=\"" + Px(f.Y(v)) +
              "\" r=\"3\"/>";
    }
    points.pop_back();
    svg += "<polyline class=" + std::string(cls) + " points=\"" + points + "\"/>" + dots;
  }
  svg += "</svg></figure>\n";
  return svg;
}

std::string PpgPpbScatter(const std::vector<TeamDot>& teams) {
  std::vector<const TeamDot*> dots;
  for (const TeamDot& d : teams)
    if (std::isfinite(d.PPG) && std::isfinite(d.PPB)) dots.push_back(&d);
  if (dots.size() < 2) return {};
  double xlo = dots[0]->PPG, xhi = xlo, ylo = dots[0]->PPB, yhi = ylo;
  for (const TeamDot* d : dots) {
    xlo = std::min(xlo, d->PPG), xhi = std::max(xhi, d->PPG);
    ylo = std::min(ylo, d->PPB), yhi = std::max(yhi, d->PPB);
  }
  const Axis xa = NiceAxis(xlo, xhi);
  const Frame f{44, 10, 344, 240, NiceAxis(ylo, yhi)};
  auto x = [&](double v) { return f.left + (v - xa.lo) / (xa.hi - xa.lo) * f.width; };

  std::string svg =
      "<figure class=chart><figcaption>Points per game against points per bonus</figcaption>\n"
      "<svg viewBox=\"0 0 400 290\" aria-labelledby=\"sc-t sc-d\"><title id=sc-t>Points per "
      "game against points per bonus, one dot a team</title><desc id=sc-d>Each dot is a team: "
      "across, its points per game; up, its points per bonus. The standings table lists the "
      "same figures; a dot opens its team's page.</desc>";
  YGrid(svg, f);
  const int steps = static_cast<int>(std::lround((xa.hi - xa.lo) / xa.step));
  for (int i = 0; i <= steps && i <= 20; ++i) {
    const double v = xa.lo + i * xa.step;
    svg += "<text x=\"" + Px(x(v)) + "\" y=\"268\" text-anchor=middle>" + TickText(v, xa.step) +
           "</text>";
  }
  svg +=
      "<text x=\"216\" y=\"286\" text-anchor=middle>PPG</text><text x=\"12\" y=\"130\" "
      "text-anchor=middle transform=\"rotate(-90 12 130)\">PPB</text>";
  for (const TeamDot* d : dots) {
    const std::string label =
        HtmlEscape(d->Name) + ": " + AverageText(d->PPG) + " PPG, " + RatioText(d->PPB) + " PPB";
    svg += "<a href=\"" + d->Href + "\" aria-label=\"" + label + "\"><circle class=dot cx=\"" +
           Px(x(d->PPG)) + "\" cy=\"" + Px(f.Y(d->PPB)) + "\" r=\"5\"><title>" + label +
           "</title></circle></a>";
  }
  svg += "</svg></figure>\n";
  return svg;
}

std::string BracketChart(std::string_view label, const std::vector<BracketGame>& games) {
  if (games.empty()) return {};
  constexpr double kBoxW = 184, kRowH = 18, kSlot = 2 * kRowH + 12, kColGap = 34, kTop = 22;
  const std::size_t n = games.size();
  std::map<int, int> columnOfRound;
  for (const BracketGame& g : games) columnOfRound[g.Round] = 0;
  int columns = 0;
  for (auto& entry : columnOfRound) entry.second = columns++;

  // Each game hangs under the next game of its winner (of its loser when the winner played
  // no more): a tree rooted at the stage's last game, drawn with every game level with the
  // middle of the games it came from, so its lines never cross. Teams that reach a game by
  // another way are named in it all the same.
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return games[a].Round < games[b].Round; });
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::array<std::size_t, 2>> next(n, {kNone, kNone});
  std::vector<std::array<std::size_t, 2>> children(n, {kNone, kNone});
  std::vector<std::size_t> parent(n, kNone);
  std::map<int, std::pair<std::size_t, int>> last;  // team -> its latest game and side
  for (std::size_t i : order) {
    int side = 0;
    for (const BracketSide* s : {&games[i].A, &games[i].B}) {
      if (s->Team >= 0) {
        const auto from = last.find(s->Team);
        if (from != last.end() && games[from->second.first].Round < games[i].Round)
          next[from->second.first][static_cast<std::size_t>(from->second.second)] = i;
        last[s->Team] = {i, side};
      }
      ++side;
    }
  }
  for (std::size_t i : order) {
    const std::size_t winner = games[i].B.Won && !games[i].A.Won ? 1 : 0;
    for (const std::size_t side : {winner, 1 - winner}) {
      const std::size_t p = next[i][side];
      if (p == kNone) continue;
      const std::size_t slot =
          games[p].A.Team == (side == 0 ? games[i].A : games[i].B).Team ? 0 : 1;
      if (children[p][slot] != kNone) continue;
      children[p][slot] = i;
      parent[i] = p;
      break;
    }
  }
  // Leaves one slot apart, in the order a walk from the last games meets them.
  std::vector<double> top(n, 0);
  std::vector<std::size_t> roots;
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    if (parent[*it] == kNone) roots.push_back(*it);
  double slots = 0;
  for (std::size_t root : roots) {
    std::vector<std::pair<std::size_t, bool>> stack = {{root, false}};
    while (!stack.empty()) {
      auto [i, done] = stack.back();
      stack.pop_back();
      const auto& c = children[i];
      if (done) {
        double sum = 0;
        int count = 0;
        for (std::size_t k : c)
          if (k != kNone) sum += top[k], ++count;
        top[i] = sum / count;
      } else if (c[0] == kNone && c[1] == kNone) {
        top[i] = kTop + kSlot * slots++;
      } else {
        stack.push_back({i, true});
        for (auto k = c.rbegin(); k != c.rend(); ++k)
          if (*k != kNone) stack.push_back({*k, false});
      }
    }
  }
  const double height = kTop + kSlot * slots;
  const double width = columns * (kBoxW + kColGap) - kColGap + 2;
  auto left = [&](std::size_t i) { return 1 + columnOfRound[games[i].Round] * (kBoxW + kColGap); };

  const std::string name = HtmlEscape(label);
  std::string svg = "<figure class=\"chart bracket\"><figcaption>" + name +
                    ": bracket</figcaption>\n<div class=tw tabindex=0 role=region aria-label=\"" +
                    name + " bracket\"><svg width=\"" + Px(width) + "\" height=\"" + Px(height) +
                    "\" viewBox=\"0 0 " + Px(width) + " " + Px(height) +
                    "\" aria-labelledby=\"br-t\"><title id=br-t>" + name +
                    ": every game, one column a round; the winner of each is in bold</title>";
  for (const auto& [round, col] : columnOfRound)
    svg += "<text x=\"" + Px(1 + col * (kBoxW + kColGap) + kBoxW / 2) +
           "\" y=\"14\" text-anchor=middle>Round " + web::Num(round) + "</text>";
  // Lines first, so the boxes cover their ends.
  for (std::size_t p = 0; p < n; ++p)
    for (std::size_t slot = 0; slot < 2; ++slot) {
      const std::size_t c = children[p][slot];
      if (c == kNone) continue;
      const int team = slot == 0 ? games[p].A.Team : games[p].B.Team;
      const double fromSide = games[c].A.Team == team ? 0 : 1;
      const double x1 = left(c) + kBoxW, x2 = left(p);
      const double y1 = top[c] + (fromSide + 0.5) * kRowH;
      const double y2 = top[p] + (static_cast<double>(slot) + 0.5) * kRowH;
      svg += "<path class=ln d=\"M" + Px(x1) + " " + Px(y1) + "H" + Px(x2 - kColGap / 2) + "V" +
             Px(y2) + "H" + Px(x2) + "\"/>";
    }
  for (std::size_t i = 0; i < games.size(); ++i) {
    const double x = left(i), y = top[i];
    svg += "<rect class=gb x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" width=\"" + Px(kBoxW) +
           "\" height=\"" + Px(2 * kRowH) + "\" rx=\"3\"/>";
    int side = 0;
    for (const BracketSide* s : {&games[i].A, &games[i].B}) {
      const std::string ty = Px(y + (side + 0.5) * kRowH);
      std::string team = "<text x=\"" + Px(x + 5) + "\" y=\"" + ty + "\" dy=\".35em\"" +
                         (s->Won ? " class=w" : "") + ">" + ShortName(s->Name, 20) + "</text>";
      if (!s->Href.empty()) team = "<a href=\"" + s->Href + "\">" + team + "</a>";
      svg += team + "<text x=\"" + Px(x + kBoxW - 5) + "\" y=\"" + ty +
             "\" dy=\".35em\" text-anchor=end" + (s->Won ? " class=w" : "") + ">" + s->Score +
             "</text>";
      ++side;
    }
  }
  svg += "</svg></div></figure>\n";
  return svg;
}

}  // namespace drav::modern
