#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/error.h"
#include "model/tournament.h"

namespace drav {

// The id suffix of the player that an export gives a team without players ("player_3_team"),
// named after the team; the import leaves that player out.
inline constexpr std::string_view kStandInPlayerSuffix = "team";

// One QBJ document to import: its text and the name that messages use for it (the path).
struct QbjSource {
  std::string name;
  std::string contents;
};

// How an import into a tournament that is under way treats what it does not know.
struct QbjImportOptions {
  // False: a team that matches no team of a tournament that already has teams is refused
  // (UnknownQbjTeam) instead of being added.
  bool AddUnknownTeams = true;
  // Settled by the director: a team name as the document spells it, and the tournament's
  // team it stands for (-1: add it as a new team).
  std::vector<std::pair<std::string, int>> TeamChoices;
  // A match taken before whose content has changed since: left out with a note (Report,
  // Keep), or its new version put in the place of the game it brought (Replace).
  enum class Changed { Report, Keep, Replace };
  Changed ChangedMatches = Changed::Report;
};

// What an import did: the notes to show, and the matches that changed after they were taken
// ("round 3, Ravens vs. Otters"), left out or replaced as the options said.
struct QbjImportReport {
  std::vector<std::string> Notes;
  std::vector<std::string> Changed;
};

// A document names a team that the tournament does not have (and may not add).
class UnknownQbjTeam : public DravError {
 public:
  UnknownQbjTeam(std::string document, std::string team, const std::string& message)
      : DravError(message), document_(std::move(document)), team_(std::move(team)) {}
  const std::string& Document() const { return document_; }
  const std::string& Team() const { return team_; }

 private:
  std::string document_;
  std::string team_;
};

// Imports QBJ documents (a whole tournament, or one or more matches as moderator software
// saves them; QBJ 2.x, the older layout with "tossups"/"overtimeTossups" fields, and what
// moderator programs write beside the schema) into t. Teams and players are matched by
// the options' TeamChoices, then exact name, then loosely (case, spaces, a "(12)" grade),
// new ones appended unless the options forbid it (UnknownQbjTeam). Every match becomes a
// game, except one the tournament already has: by its document name and id recorded in
// t.Extras.ImportedMatches, or by round, teams and scores (skipped with a note). A recorded
// match whose content digest differs is a changed match (see QbjImportOptions). Every
// match stored is recorded there, with the digests of its content and of its game. Phases become
// t.Extras.Stages when t has none. All or nothing: the documents are read into a copy of t, which
// replaces t only when every document was read. On success the entry positions go back to 0;
// settings, FileName and SavedGameCount are left alone (except an empty TourneyName, which takes
// the tournament's name). Returns the notes to show the user. Throws DravError, naming the
// document, for malformed JSON, a dangling reference, an answer value that none of the
// tournament's question values has, and other data it cannot hold.
std::vector<std::string> ImportQbj(Tournament& t, const std::vector<QbjSource>& sources,
                                   const QbjImportOptions& options = {});
// As ImportQbj, telling the changed matches apart from the notes.
QbjImportReport ImportQbjReport(Tournament& t, const std::vector<QbjSource>& sources,
                                const QbjImportOptions& options = {});

// The largest QBJ file read (a national championship is about 10 MB): reading a document
// takes many times its size in memory, so a larger one is refused before it is read.
inline constexpr std::uint64_t kMaxQbjBytes = 100ull * 1024 * 1024;
// "PATH is larger than 100 MB, the most a QBJ file may hold".
std::string QbjTooLargeMessage(const std::string& path);

// As ImportQbj, reading the files first ("Cannot open PATH" when one cannot be read,
// QbjTooLargeMessage when one is over kMaxQbjBytes).
std::vector<std::string> ImportQbjFiles(Tournament& t, const std::vector<std::string>& paths,
                                        const QbjImportOptions& options = {});
QbjImportReport ImportQbjFilesReport(Tournament& t, const std::vector<std::string>& paths,
                                     const QbjImportOptions& options = {});

// The settings a new tournament takes from its first QBJ import: divisions when the matches
// came in pools, and round headings (RoundReports) when they carry round numbers, since a
// long scoreboard without them cannot be read. An import into an existing tournament
// keeps that tournament's settings and does not call this.
void AdoptQbjSettings(Tournament& t);

// The tournament as a QBJ 2.1.1 document. notes (may be null) receives what could not
// be written (games without a score, rows without a player, ...).
std::string SerializeQbj(const Tournament& t, std::vector<std::string>* notes = nullptr);

// Writes SerializeQbj(t) to path atomically ("Cannot write PATH"); returns the notes.
std::vector<std::string> ExportQbj(const Tournament& t, const std::string& path);

}  // namespace drav
