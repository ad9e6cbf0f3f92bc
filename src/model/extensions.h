#pragma once

#include <string>
#include <vector>

namespace drav {

// What the tournament keeps beyond the described file: stages, the tiebreaker setting, the
// posting protocol and the match files taken in. A tournament whose extras equal the start
// values writes the described file byte for byte.

// A bracket of a stage: its teams by index into Rosters, in the order the director gave.
struct Bracket {
  std::string Name;
  std::vector<int> Teams;
  bool operator==(const Bracket&) const = default;
};

// How a stage ranks its teams in the final ranking: by their standings (pools), or by how
// far each went (elimination: the later a team's last game, the higher its place).
enum class StageKind { Pools, Elimination };

// A stage covers the rounds FirstRound..LastRound (inclusive). With CarryOver on, games of
// earlier stages between two teams of the same bracket count in this stage's standings.
// A stage without brackets ranks all its teams in one table.
struct Stage {
  std::string Name;
  int FirstRound = 1;
  int LastRound = 1;
  bool CarryOver = false;
  std::vector<Bracket> Brackets;
  StageKind Kind = StageKind::Pools;
  bool operator==(const Stage&) const = default;
};

// A final place the director set by hand: it stands over the computed one.
struct FinalPlace {
  int Team = -1;  // index into Rosters
  int Place = 1;  // 1-based; teams given the same place share it
  bool operator==(const FinalPlace&) const = default;
};

enum class PostProtocol { Ftp, Ftps, Sftp };

// How Post to Web reaches the server. The password is never stored.
struct PostingOptions {
  PostProtocol Protocol = PostProtocol::Ftp;
  std::string CaFile;          // FTPS: certificate file to trust; empty = the system's store
  std::string KnownHostsFile;  // SFTP: known-hosts file holding the trusted host keys
  bool PostAfterEveryGame = false;
  bool operator==(const PostingOptions&) const = default;
};

// A match taken in from a QBJ match file: the file (as named when it was taken) and the
// match's id within it, so the same match is never imported twice. The digests tell a file
// that changed after it was taken from one seen again, and find the game the match brought;
// empty when unknown (a file from before they were kept).
struct ImportedMatch {
  std::string File;
  std::string MatchId;
  std::string Content;  // digest of the match as it was read
  std::string Game;     // digest of the game it became
  bool operator==(const ImportedMatch&) const = default;
};

// The look of the web report: the described pages, or the modern pages for phones.
enum class ReportStyle { Classic, Modern };

struct TournamentExtras {
  std::vector<Stage> Stages;
  bool TiebreakersCount = false;  // "Tiebreaker games count in the standings"
  PostingOptions Posting;
  std::vector<ImportedMatch> ImportedMatches;
  ReportStyle Report = ReportStyle::Classic;
  std::vector<FinalPlace> FinalPlaces;  // in the order the director gave them
  bool Finished = false;                // the final ranking is no longer provisional
  bool operator==(const TournamentExtras&) const = default;
};

}  // namespace drav
