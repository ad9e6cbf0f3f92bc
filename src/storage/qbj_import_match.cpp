// QBJ import of one match: its two sides, their players' answers, overtime, forfeits, and
// the game it becomes unless the tournament has it already.

#include <algorithm>

#include "model/merge_sort.h"
#include "model/score_only.h"
#include "storage/qbj_digest.h"
#include "storage/qbj_import.h"

namespace drav::qbj_import {

void Importer::ReadSide(const Document& doc, const json& matchTeam, const std::string& where,
                        Side& side) {
  if (!matchTeam.is_object()) doc.Fail(where + ": a team entry that is not an object");
  side.source = &matchTeam;
  auto team = matchTeam.find("team");
  if (team == matchTeam.end() || team->is_null()) doc.Fail(where + ": a side without a team");
  side.teamObject = &doc.Resolve(*team);
  side.team = AddTeam(doc, *side.teamObject);
  side.teamName = work_.Rosters[side.team][0];
  side.docName = doc.NameOf(*side.teamObject, where + ": a team");
  side.forfeitLoss = doc.Flag(matchTeam, "forfeit_loss", where);
  side.points = doc.Int(matchTeam, "points", where);
  side.bonusPoints = doc.Int(matchTeam, "bonus_points", where);
  side.withoutBonus = doc.Int(matchTeam, "correct_tossups_without_bonuses", where);
  if (auto bb = doc.Int(matchTeam, "bonus_bounceback_points", where)) {
    side.bounceback = *bb;
    side.hasBounceback = true;
  }
  side.lightning = doc.Int(matchTeam, "lightning_points", where).value_or(0) +
                   doc.Int(matchTeam, "lightning_bounceback_points", where).value_or(0);

  const std::string sideWhere = where + ", team " + Quote(side.teamName);
  for (const json* mp : doc.List(matchTeam, "match_players", sideWhere)) {
    side.hasPlayers = true;
    if (!mp->is_object() || !mp->contains("player"))
      doc.Fail(sideWhere + ": a player entry without a player");
    const json& player = doc.Resolve((*mp)["player"]);
    SideRow row;
    row.player = FindOrAddPlayer(side.team, doc.NameOf(player, sideWhere + ": a player"), true);
    auto heard = doc.Int(*mp, "tossups_heard", sideWhere);
    row.heard = heard ? *heard : -1;  // filled in with the whole game below
    for (const json* ac : doc.List(*mp, "answer_counts", sideWhere)) {
      const std::int64_t number = doc.Int(*ac, "number", sideWhere).value_or(0);
      std::optional<std::int64_t> value;
      bool awardsBonus = false;
      bool awardsGiven = false;
      // Moderator software writes "answer" for the schema's "answer_type".
      const char* typeKey =
          ac->is_object() && !ac->contains("answer_type") ? "answer" : "answer_type";
      if (ac->is_object() && ac->contains(typeKey)) {
        const json& type = doc.Resolve((*ac)[typeKey]);
        value = doc.Int(type, "value", sideWhere);
        if (type.is_object() && type.contains("awards_bonus") && !type["awards_bonus"].is_null()) {
          awardsBonus = doc.Flag(type, "awards_bonus", sideWhere);
          awardsGiven = true;
        }
      } else {
        value = doc.Int(*ac, "value", sideWhere);
      }
      if (!value) doc.Fail(sideWhere + ": an answer count without a point value");
      if (number == 0 || *value == 0) continue;  // nothing to count, or worth nothing
      int column = -1;
      for (int k = 0; k < kColumns; ++k) {
        if (work_.QuestionValues[k] != 0 && work_.QuestionValues[k] == *value) {
          column = k;
          break;
        }
      }
      if (column < 0)
        doc.Fail(sideWhere + ": answers worth " + std::to_string(*value) +
                 " points, which is not one of this tournament's question values");
      if (!awardsGiven) awardsBonus = *value > 0;
      row.counts[column] = Checked(doc, row.counts[column] + number, sideWhere);
      row.points = Checked(doc, row.points + number * *value, sideWhere);
      if (awardsBonus) side.bonusEarning += number;
    }
    side.tossupPoints += row.points;
    side.rows.push_back(row);
  }
}

void Importer::ImportMatch(const Document& doc, const json& match, std::optional<int> round,
                           int ordinal) {
  std::string id;
  if (match.is_object() && match.contains("id") && match["id"].is_string())
    id = CleanText(match["id"].get<std::string>());
  const std::string where =
      id.empty() ? "match number " + std::to_string(ordinal) : "match " + Quote(id);
  if (!match.is_object()) doc.Fail(where + " is not an object");

  auto teams = match.find("match_teams");
  if (teams == match.end() || !teams->is_array()) doc.Fail(where + " has no \"match_teams\" list");
  if (teams->size() != 2)
    doc.Fail(where + " has " + std::to_string(teams->size()) +
             " teams; a game is between two teams");
  Side sides[2];
  for (int s = 0; s < 2; ++s) ReadSide(doc, doc.Resolve((*teams)[s]), where, sides[s]);

  for (const Side& s : sides) {
    if (doc.Flag(*s.source, "suppress_from_statistics", where)) {
      ++suppressed_;
      return;
    }
  }

  GameStats g;
  g.GID = id.empty() ? std::to_string(work_.Games.size()) : id;
  g.Tiebreaker = doc.Flag(match, "tiebreaker", where);
  if (!round) round = RoundField(doc, match, "round", where);
  if (!round) round = RoundField(doc, match, "_round", where);  // moderator software's own field
  if (round) {
    g.Round = *round;
  } else {
    g.Round = 0;
    ++noRound_;
  }
  // A match that counts in other phases too: those stages carry games over.
  for (const json* phase : doc.List(match, "carryover_phases", where)) {
    auto stage = stageOfPhase_.find(phase);
    if (stage != stageOfPhase_.end())
      docStages_[static_cast<std::size_t>(stage->second)].CarryOver = true;
  }
  const std::string matchId = id.empty() ? "#" + std::to_string(ordinal) : id;

  // Forfeits: QBJ 2.x marks the team that forfeited; the older layout marks the match and
  // gives the winner the higher score. The winner is stored as team A.
  const bool matchForfeit = doc.Flag(match, "forfeit", where);
  if (sides[0].forfeitLoss && sides[1].forfeitLoss) {
    ++doubleForfeits_;
    return;
  }
  if (matchForfeit || sides[0].forfeitLoss || sides[1].forfeitLoss) {
    int winner = 0;
    if (sides[0].forfeitLoss) {
      winner = 1;
    } else if (!sides[1].forfeitLoss) {
      winner = sides[1].points.value_or(0) > sides[0].points.value_or(0) ? 1 : 0;
    }
    g.TeamA = sides[winner].team;
    g.TeamB = sides[1 - winner].team;
    g.ScoreA = -1;
    g.ScoreB = -1;
    g.Forfeit = 1;
    if (StoreGame(doc, std::move(g), matchId, QbjMatchDigest(match))) ++forfeits_;
    return;
  }

  const bool anyResult = sides[0].hasPlayers || sides[1].hasPlayers || sides[0].points ||
                         sides[1].points || sides[0].bonusPoints || sides[1].bonusPoints;
  if (!anyResult) {
    ++unplayed_;
    return;
  }

  std::optional<std::int64_t> read = doc.Int(match, "tossups_read", where);
  if (!read) read = doc.Int(match, "tossups", where);
  std::optional<std::int64_t> overtime = doc.Int(match, "overtime_tossups_read", where);
  if (!overtime) overtime = doc.Int(match, "overtimeTossups", where);
  const std::int64_t tossups = read.value_or(0);
  const bool wentToOvertime = overtime.value_or(0) > 0;

  // Overtime toss-ups earn no bonus: which team answered them comes from the teams'
  // counts, or else from the question-by-question record of the overtime.
  if (wentToOvertime) {
    const bool counted = sides[0].withoutBonus || sides[1].withoutBonus;
    auto questions = match.find("match_questions");
    if (!counted && questions != match.end() && questions->is_array() && !questions->empty()) {
      const std::int64_t firstOvertime = tossups - *overtime + 1;
      for (const json* q : doc.List(match, "match_questions", where)) {
        if (doc.Int(*q, "question_number", where).value_or(0) < firstOvertime) continue;
        for (const json* buzz : doc.List(*q, "buzzes", where)) {
          if (!buzz->is_object() || !buzz->contains("team") || !buzz->contains("result")) continue;
          const json& team = doc.Resolve((*buzz)["team"]);
          const json& result = doc.Resolve((*buzz)["result"]);
          const std::int64_t value = doc.Int(result, "value", where).value_or(0);
          const bool awards = result.is_object() && result.contains("awards_bonus")
                                  ? doc.Flag(result, "awards_bonus", where)
                                  : value > 0;
          if (!awards) continue;
          const std::string teamName = doc.NameOf(team, where + ": a buzz of a team");
          for (Side& s : sides)
            if (s.docName == teamName) ++s.overtimeCorrect;
        }
      }
    } else if (!counted && !CountOvertimeBuzzes(doc, match, where, sides)) {
      ++unknownOvertime_;
    }
    for (Side& s : sides)
      if (s.withoutBonus) s.overtimeCorrect = *s.withoutBonus;
  }

  g.TeamA = sides[0].team;
  g.TeamB = sides[1].team;
  g.TUH = static_cast<int>(tossups);
  g.Overtime = wentToOvertime ? 1 : 0;
  const bool bouncebacks = work_.Format.BonusMode == 3;
  const bool matchHasBouncebacks = sides[0].hasBounceback || sides[1].hasBounceback;
  std::int64_t heardBonuses[2] = {0, 0};

  for (int s = 0; s < 2; ++s) {
    Side& side = sides[s];
    const bool isA = s == 0;
    const std::string sideWhere = where + ", team " + Quote(side.teamName);

    // A game has eight rows a side: keep the eight who heard the most toss-ups.
    std::vector<std::size_t> kept(side.rows.size());
    for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = i;
    if (kept.size() > static_cast<std::size_t>(kRows)) {
      auto heardOf = [&](std::size_t i) {
        return side.rows[i].heard < 0 ? tossups : side.rows[i].heard;
      };
      MergeSort(kept, [&](std::size_t a, std::size_t b) { return heardOf(a) > heardOf(b); });
      kept.resize(kRows);
      MergeSort(kept, [](std::size_t a, std::size_t b) { return a < b; });
      notes_.push_back(doc.Name() + ": " + sideWhere +
                       ": kept the eight players who heard the most toss-ups (of " +
                       std::to_string(side.rows.size()) + ")");
    }
    auto& player = isA ? g.PlayerA : g.PlayerB;
    auto& gp = isA ? g.GPA : g.GPB;
    auto& pts = isA ? g.PtsA : g.PtsB;
    for (std::size_t r = 0; r < kept.size(); ++r) {
      const SideRow& row = side.rows[kept[r]];
      player[r] = row.player;
      if (row.heard < 0) {
        gp[r] = 1.0;
      } else {
        gp[r] = static_cast<double>(row.heard) /
                static_cast<double>(tossups > 0 ? tossups : regulationTossups_);
      }
      for (int k = 0; k < kColumns; ++k) {
        (isA ? g.QA(k, static_cast<int>(r)) : g.QB(k, static_cast<int>(r))) =
            static_cast<int>(row.counts[k]);
      }
      pts[r] = static_cast<int>(row.points);
    }

    const std::int64_t bounce = side.bounceback;
    std::int64_t score = 0;
    std::int64_t bonusTotal = 0;  // bonus points, bouncebacks included
    if (side.bonusPoints) {
      bonusTotal = *side.bonusPoints + bounce;
      score = side.points ? *side.points : side.tossupPoints + bonusTotal + side.lightning;
    } else if (side.points) {
      score = *side.points;
      bonusTotal = side.hasPlayers ? score - side.tossupPoints - side.lightning : 0;
    } else {
      bonusTotal = bounce;
      score = side.tossupPoints + bonusTotal + side.lightning;
    }
    std::int64_t heard = 0;
    if (side.hasPlayers)
      heard = std::max<std::int64_t>(0, side.bonusEarning - side.overtimeCorrect);
    heardBonuses[s] = heard;

    const int scoreV = static_cast<int>(Checked(doc, score, sideWhere));
    const int sixty = static_cast<int>(Checked(doc, side.lightning, sideWhere));
    const int ot =
        wentToOvertime ? static_cast<int>(Checked(doc, side.overtimeCorrect, sideWhere)) : 0;
    int bonusPts = 0;
    int bouncePts = 0;
    if (bouncebacks) {
      bonusPts = static_cast<int>(Checked(doc, bonusTotal - bounce, sideWhere));
      bouncePts = static_cast<int>(Checked(doc, bounce, sideWhere));
    } else {
      bonusPts = static_cast<int>(Checked(doc, bonusTotal, sideWhere));
    }
    if (isA) {
      g.ScoreA = scoreV, g.SixtyA = sixty, g.OTA = ot, g.BPA = bonusPts, g.BncBkPtsA = bouncePts;
      g.BHA = static_cast<int>(Checked(doc, heard, sideWhere));
    } else {
      g.ScoreB = scoreV, g.SixtyB = sixty, g.OTB = ot, g.BPB = bonusPts, g.BncBkPtsB = bouncePts;
      g.BHB = static_cast<int>(Checked(doc, heard, sideWhere));
    }
  }
  if (matchHasBouncebacks) {
    if (bouncebacks) {
      // Every bonus read to one team could bounce back to the other.
      g.BncBkA = static_cast<int>(heardBonuses[1]);
      g.BncBkB = static_cast<int>(heardBonuses[0]);
    } else if (sides[0].bounceback != 0 || sides[1].bounceback != 0) {
      ++foldedBouncebacks_;
    }
  }
  // Neither side names a player: the file keeps only the scores.
  if (!sides[0].hasPlayers && !sides[1].hasPlayers) {
    ClearBoxScore(g);
    g.ScoreOnly = true;
  }
  StoreGame(doc, std::move(g), matchId, QbjMatchDigest(match));
}

// The overtime buzzes that one statistics program keeps beside the schema's fields:
// {"YfData": {"overTimeBuzzes": [{"team": ..., "player": ..., "buzzes": [{"answer_type": ...,
// "number": n}]}]}}.
bool Importer::CountOvertimeBuzzes(const Document& doc, const json& match, const std::string& where,
                                   Side (&sides)[2]) {
  auto yf = match.find("YfData");
  if (yf == match.end() || !yf->is_object() || !yf->contains("overTimeBuzzes")) return false;
  for (const json* entry : doc.List(*yf, "overTimeBuzzes", where)) {
    if (!entry->is_object() || !entry->contains("team")) continue;
    const std::string teamName =
        doc.NameOf(doc.Resolve((*entry)["team"]), where + ": an overtime buzz of a team");
    for (const json* buzz : doc.List(*entry, "buzzes", where)) {
      if (!buzz->is_object()) continue;
      const char* typeKey = buzz->contains("answer_type") ? "answer_type" : "answer";
      if (!buzz->contains(typeKey)) continue;
      const std::int64_t value = doc.Int(doc.Resolve((*buzz)[typeKey]), "value", where).value_or(0);
      const std::int64_t number = doc.Int(*buzz, "number", where).value_or(0);
      if (value <= 0 || number <= 0) continue;
      for (Side& s : sides)
        if (s.docName == teamName)
          s.overtimeCorrect = Checked(doc, s.overtimeCorrect + number, where);
    }
  }
  return true;
}

std::optional<int> Importer::RoundField(const Document& doc, const json& match, const char* key,
                                        const std::string& where) {
  auto it = match.find(key);
  if (it == match.end() || it->is_null()) return std::nullopt;
  if (it->is_string()) {
    // "Round 3" as well as "3".
    if (auto n = NumberInName(it->get<std::string>())) return n;
    return std::nullopt;
  }
  return static_cast<int>(*doc.Int(match, key, where));
}

bool Importer::StoreGame(const Document& doc, GameStats&& g, const std::string& matchId,
                         const std::string& content) {
  const std::string described = "round " + std::to_string(g.Round) + ", " +
                                work_.TeamName(g.TeamA) + " vs. " + work_.TeamName(g.TeamB);
  const std::string key = MatchKey(doc.Name(), matchId);
  // The n-th match of the document under this key answers to the n-th record of the key.
  const std::size_t occurrence = occurrences_[key]++;
  const auto known = importedKeys_.find(key);
  if (known != importedKeys_.end()) {
    std::vector<ImportedMatch>& records = work_.Extras.ImportedMatches;
    // The same content under the key, or a record older than digests (which cannot tell).
    const bool same = std::any_of(known->second.begin(), known->second.end(), [&](std::size_t i) {
      return records[i].Content.empty() || records[i].Content == content;
    });
    if (same) {
      duplicates_.push_back(described);
      return false;
    }
    if (occurrence < known->second.size()) {
      changed_.push_back(described);
      if (options_.ChangedMatches != QbjImportOptions::Changed::Replace) {
        changedHere_.push_back(described);
        return false;
      }
      ReplaceGame(records[known->second[occurrence]], std::move(g), content, described);
      return true;
    }
  }
  int seen = -1;
  for (std::size_t i = 0; i < gamesBefore_ && seen < 0; ++i) {
    const GameStats& h = work_.Games[i];
    if (h.Round != g.Round || h.Forfeit != g.Forfeit) continue;
    if ((h.TeamA == g.TeamA && h.TeamB == g.TeamB && h.ScoreA == g.ScoreA &&
         h.ScoreB == g.ScoreB) ||
        (h.TeamA == g.TeamB && h.TeamB == g.TeamA && h.ScoreA == g.ScoreB && h.ScoreB == g.ScoreA))
      seen = static_cast<int>(i);
  }
  // Remembered either way, so that the next import finds it by its file and id.
  const GameStats& kept = seen >= 0 ? work_.Games[static_cast<std::size_t>(seen)] : g;
  takenHere_.push_back({doc.Name(), matchId, content, GameDigest(kept)});
  if (seen >= 0) {
    duplicates_.push_back(described);
    return false;
  }
  work_.Games.push_back(std::move(g));
  ++games_;
  return true;
}

int Importer::GameOf(const ImportedMatch& record, const GameStats& g) const {
  const int count = static_cast<int>(work_.Games.size());
  if (!record.Game.empty()) {
    for (int i = 0; i < count; ++i)
      if (GameDigest(work_.Games[static_cast<std::size_t>(i)]) == record.Game) return i;
  }
  // Edited by hand since: the game of that round between those teams, if there is one only.
  int found = -1;
  for (int i = 0; i < count; ++i) {
    const GameStats& h = work_.Games[static_cast<std::size_t>(i)];
    const bool sameTeams =
        (h.TeamA == g.TeamA && h.TeamB == g.TeamB) || (h.TeamA == g.TeamB && h.TeamB == g.TeamA);
    if (h.Round != g.Round || !sameTeams) continue;
    if (found >= 0) return -1;
    found = i;
  }
  return found;
}

void Importer::ReplaceGame(ImportedMatch& record, GameStats&& g, const std::string& content,
                           const std::string& described) {
  const int at = GameOf(record, g);
  if (at < 0) {
    // Deleted since: the new version comes in as a new game.
    work_.Games.push_back(std::move(g));
    ++games_;
  } else {
    GameStats& old = work_.Games[static_cast<std::size_t>(at)];
    // A match without an id was named by its place; the game keeps the name it had.
    if (record.MatchId.starts_with('#')) g.GID = old.GID;
    old = std::move(g);
  }
  record.Content = content;
  record.Game = GameDigest(at < 0 ? work_.Games.back() : work_.Games[static_cast<std::size_t>(at)]);
  replacedHere_.push_back(at < 0 ? described + " (its old game was gone: added)" : described);
}

}  // namespace drav::qbj_import
