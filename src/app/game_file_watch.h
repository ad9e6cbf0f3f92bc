#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/tournament.h"
#include "storage/qbj.h"

namespace drav::app {

// What became of one match file of a watched folder.
enum class GameFileState { Imported, Skipped, Waiting, Changed, Failed };

// "imported", "skipped (duplicate)", "waiting (unknown team)", "changed after import",
// "failed".
const char* GameFileStateText(GameFileState state);

// A file of the folder that is complete (unchanged for the settle time, and read whole)
// and has not been taken with these contents before.
struct ReadyGameFile {
  std::string Name;  // within the folder
  std::string Path;  // folder + "/" + Name: the name the import's messages and records use
  std::string Contents;
  std::uint64_t Digest = 0;
  bool TooLarge = false;  // over kMaxQbjBytes: not read, and Take fails it
};

struct GameFileResult {
  std::string File;  // within the folder
  GameFileState State = GameFileState::Failed;
  std::string Detail;  // the reason, the unknown team's message, or the import's notes
  std::string Team;    // Waiting: the team the tournament lacks
  int GamesAdded = 0;
  int GamesReplaced = 0;
};

// Imports QBJ documents into a tournament, as ImportQbj does (the tests give a fake).
using QbjImporter = std::function<QbjImportReport(Tournament&, const std::vector<QbjSource>&,
                                                  const QbjImportOptions&)>;

// A folder that moderators' match files arrive in. Poll finds the .qbj files that are new
// or changed and complete; Take imports one of them all or nothing. A file is never taken
// twice: within a run by its name and contents, and across runs by the files, match ids and
// content digests the tournament remembers (Extras.ImportedMatches, saved with it). A match
// whose content changed after it was taken is not a duplicate: Take says so and waits for
// the director's choice (QbjImportOptions::ChangedMatches).
class GameFileWatch {
 public:
  using Clock = std::chrono::steady_clock;

  explicit GameFileWatch(std::string folder, Clock::duration settle = std::chrono::seconds(1));

  const std::string& Folder() const { return folder_; }
  void SetImporter(QbjImporter importer) { importer_ = std::move(importer); }

  // Looks at the folder at time now. A file counts as complete once its size and time
  // stamp have not changed for the settle time and its text is valid JSON (a file still
  // invalid after ten settle times is handed out too, for Take to fail); each version of
  // a file is handed out once. Throws DravError "Cannot read folder FOLDER".
  std::vector<ReadyGameFile> Poll(Clock::time_point now);

  // Imports the file into t: Imported (t holds its games and their records; with Replace,
  // the new versions of changed matches in their games' places), Skipped (each match was
  // taken before with this content, or Keep kept the old games), Waiting (a team t lacks: t
  // unchanged), Changed (a match taken before has changed: t unchanged until the options
  // say Replace or Keep) or Failed (t unchanged). Records of a file under another folder
  // are taken as this file's: the folder may have moved.
  GameFileResult Take(Tournament& t, const ReadyGameFile& file,
                      const QbjImportOptions& options = {}) const;

  // Hands the file out again on the next Poll (its import was not kept).
  void Forget(const std::string& name);

 private:
  struct Seen {
    std::uintmax_t size = 0;
    std::int64_t stamp = 0;
    Clock::time_point since;
    bool examined = false;  // this size and stamp were read after settling
  };

  std::string folder_;
  Clock::duration settle_;
  QbjImporter importer_;
  std::map<std::string, Seen> seen_;
  std::map<std::string, std::uint64_t> taken_;  // name -> digest of the contents handed out
};

// Puts an import made on a copy of before into t, keeping what the entry windows rely on:
// the positions (a game being typed as a new one stays new, after the imported games),
// the file name and the saved count.
void AdoptImport(Tournament& t, Tournament&& imported);

// A tournament that is not set up yet (no teams, no question values) takes the New
// Tournament window's defaults, as Import QBJ... does, so that match files can go into it.
void SetUpForImport(Tournament& t);

// The history's name for one import of match files: "Import 6 Match Files".
std::string ImportStepName(int files);

// The tournament's stored contents (what a save writes) are the same in both.
bool SameContents(const Tournament& a, const Tournament& b);

}  // namespace drav::app
