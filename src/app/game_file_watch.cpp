#include "app/game_file_watch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <system_error>

#include "model/error.h"
#include "model/new_tournament.h"
#include "platform/files.h"
#include "storage/qbj_digest.h"
#include "storage/received_file.h"

namespace drav::app {

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

// Deeper than any real match file; keeps hostile nesting away from the walk below.
constexpr int kMaxDepth = 64;
// A file that is not valid JSON after this many settle times is no longer being written.
constexpr int kBrokenAfterSettles = 10;

bool DeeperThan(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

std::optional<json> ParseJson(const std::string& text) {
  if (DeeperThan(text, kMaxDepth)) return std::nullopt;
  json doc = json::parse(text, nullptr, false);
  if (doc.is_discarded()) return std::nullopt;
  return doc;
}

std::uint64_t Digest(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

bool IsQbjName(const fs::path& p) {
  std::string ext = p.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".qbj";
}

struct MatchSeen {
  std::string id;
  std::string content;  // QbjMatchDigest
};

// The matches a document defines, by id ("#N" for the N-th one without an id), in order.
// Reference objects are passed over: they stand for a match defined elsewhere.
void CollectMatchIds(const json& node, int depth, std::vector<MatchSeen>& ids) {
  if (depth > kMaxDepth) return;
  if (node.is_array()) {
    for (const json& item : node) CollectMatchIds(item, depth + 1, ids);
    return;
  }
  if (!node.is_object()) return;
  const auto type = node.find("type");
  const bool isMatch =
      node.contains("match_teams") || (type != node.end() && type->is_string() && *type == "Match");
  if (isMatch) {
    const auto id = node.find("id");
    const std::string content = QbjMatchDigest(node);
    if (id != node.end() && id->is_string())
      ids.push_back({id->get<std::string>(), content});
    else if (id != node.end() && id->is_number())
      ids.push_back({id->dump(), content});
    else
      ids.push_back({"#" + std::to_string(ids.size() + 1), content});
    return;
  }
  for (const auto& item : node.items()) CollectMatchIds(item.value(), depth + 1, ids);
}

std::string LastComponent(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Taken before with this content (or by a version that kept no digest, which cannot tell).
bool Remembered(const Tournament& t, const std::string& name, const MatchSeen& match) {
  return std::any_of(t.Extras.ImportedMatches.begin(), t.Extras.ImportedMatches.end(),
                     [&](const ImportedMatch& m) {
                       return m.MatchId == match.id && LastComponent(m.File) == name &&
                              (m.Content.empty() || m.Content == match.content);
                     });
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

const char* GameFileStateText(GameFileState state) {
  switch (state) {
    case GameFileState::Imported:
      return "imported";
    case GameFileState::Skipped:
      return "skipped (duplicate)";
    case GameFileState::Waiting:
      return "waiting (unknown team)";
    case GameFileState::Changed:
      return "changed after import";
    case GameFileState::Failed:
      break;
  }
  return "failed";
}

GameFileWatch::GameFileWatch(std::string folder, Clock::duration settle)
    : folder_(std::move(folder)),
      settle_(settle),
      importer_(
          [](Tournament& t, const std::vector<QbjSource>& sources,
             const QbjImportOptions& options) { return ImportQbjReport(t, sources, options); }) {}

std::vector<ReadyGameFile> GameFileWatch::Poll(Clock::time_point now) {
  std::error_code ec;
  fs::directory_iterator it(platform::PathFromUtf8(folder_), ec);
  if (ec) throw DravError("Cannot read folder " + folder_);
  std::vector<std::string> present;
  std::vector<ReadyGameFile> ready;
  for (const fs::directory_entry& entry : it) {
    // A link could point anywhere outside the folder: only files really inside it count.
    if (!IsQbjName(entry.path()) || entry.is_symlink(ec) || !entry.is_regular_file(ec)) continue;
    const std::string name = platform::Utf8FromPath(entry.path().filename());
    const std::uintmax_t size = entry.file_size(ec);
    if (ec) continue;
    const auto stamp = entry.last_write_time(ec).time_since_epoch().count();
    if (ec) continue;
    present.push_back(name);
    const auto known = seen_.find(name);
    if (known == seen_.end() || known->second.size != size || known->second.stamp != stamp) {
      seen_[name] = Seen{size, static_cast<std::int64_t>(stamp), now, false};
      continue;
    }
    Seen& seen = known->second;
    if (seen.examined || now - seen.since < settle_) continue;

    ReadyGameFile file;
    file.Name = name;
    file.Path = folder_ + "/" + name;
    if (size > kMaxQbjBytes) {
      seen.examined = true;
      file.TooLarge = true;
      file.Digest = size;
      const auto taken = taken_.find(name);
      if (taken != taken_.end() && taken->second == file.Digest) continue;
      taken_[name] = file.Digest;
      ready.push_back(std::move(file));
      continue;
    }
    try {
      // Not through a link put in place since the listing, and never waiting on a FIFO.
      file.Contents = ReadRegularFile(file.Path, kMaxQbjBytes);
    } catch (const DravError&) {
      continue;  // not readable yet: tried again on the next look
    }
    // Grown or shrunk while being read: still being written.
    if (file.Contents.size() != size) {
      seen.since = now;
      continue;
    }
    // Half a file is no JSON; a file that stays broken is handed out in the end, so that
    // its failure is seen.
    if (!ParseJson(file.Contents) && now - seen.since < kBrokenAfterSettles * settle_) continue;
    seen.examined = true;
    file.Digest = Digest(file.Contents);
    const auto taken = taken_.find(name);
    if (taken != taken_.end() && taken->second == file.Digest) continue;
    taken_[name] = file.Digest;
    ready.push_back(std::move(file));
  }
  for (auto i = seen_.begin(); i != seen_.end();) {
    if (std::find(present.begin(), present.end(), i->first) == present.end())
      i = seen_.erase(i);
    else
      ++i;
  }
  return ready;
}

void GameFileWatch::Forget(const std::string& name) {
  taken_.erase(name);
  const auto seen = seen_.find(name);
  if (seen != seen_.end()) seen->second.examined = false;
}

GameFileResult GameFileWatch::Take(Tournament& t, const ReadyGameFile& file,
                                   const QbjImportOptions& options) const {
  GameFileResult result;
  result.File = file.Name;
  if (file.TooLarge) {
    result.Detail = QbjTooLargeMessage(file.Path);
    return result;
  }
  const std::optional<json> doc = ParseJson(file.Contents);
  if (!doc) {
    result.Detail = file.Path + " is not valid JSON (it is read again when it changes)";
    return result;
  }
  std::vector<MatchSeen> matches;
  CollectMatchIds(*doc, 0, matches);
  if (!matches.empty() && std::all_of(matches.begin(), matches.end(), [&](const MatchSeen& m) {
        return Remembered(t, file.Name, m);
      })) {
    result.State = GameFileState::Skipped;
    result.Detail = file.Path + ": every match of the file was imported before";
    return result;
  }

  Tournament work = t;
  for (ImportedMatch& m : work.Extras.ImportedMatches)
    if (LastComponent(m.File) == file.Name) m.File = file.Path;
  const std::size_t recordsBefore = work.Extras.ImportedMatches.size();
  QbjImportReport report;
  try {
    report = importer_(work, {QbjSource{file.Path, file.Contents}}, options);
  } catch (const UnknownQbjTeam& e) {
    result.State = GameFileState::Waiting;
    result.Team = e.Team();
    result.Detail = e.what();
    return result;
  } catch (const DravError& e) {
    result.Detail = e.what();
    return result;
  }
  using Changed = QbjImportOptions::Changed;
  result.Detail = Joined(report.Notes);
  if (!report.Changed.empty() && options.ChangedMatches == Changed::Report) {
    // What changed comes first: the panel shows the first line.
    std::vector<std::string> lines;
    for (const std::string& d : report.Changed)
      lines.push_back(file.Path + ": changed after import: " + d);
    for (const std::string& note : report.Notes)
      if (note.find(": changed after import: ") == std::string::npos) lines.push_back(note);
    result.State = GameFileState::Changed;
    result.Detail = Joined(lines);
    return result;
  }
  result.GamesAdded = work.GameCount() - t.GameCount();
  if (options.ChangedMatches == Changed::Replace)
    result.GamesReplaced = static_cast<int>(report.Changed.size());
  if (result.GamesAdded <= 0 && result.GamesReplaced == 0 && work.Rosters == t.Rosters) {
    result.State = GameFileState::Skipped;
    result.GamesAdded = 0;
    if (!report.Changed.empty())
      result.Detail = file.Path + ": the games imported before were kept\n" + result.Detail;
    else if (result.Detail.empty())
      result.Detail = file.Path + ": nothing new in the file";
    return result;
  }
  // An importer that keeps no records of its own still leaves the file's matches known.
  if (result.GamesAdded > 0 && work.Extras.ImportedMatches.size() == recordsBefore) {
    for (const MatchSeen& m : matches) {
      if (!Remembered(work, file.Name, m))
        work.Extras.ImportedMatches.push_back({file.Path, m.id, m.content, ""});
    }
  }
  result.State = GameFileState::Imported;
  AdoptImport(t, std::move(work));
  return result;
}

void AdoptImport(Tournament& t, Tournament&& imported) {
  const int games = t.GameCount();
  const int currentGame = t.CurrentGame;
  const int currentTeam = t.CurrentTeam;
  std::string fileName = t.FileName;
  const int saved = t.SavedGameCount;
  t = std::move(imported);
  // Imported games come after the stored ones; a new game being typed stays new.
  t.CurrentGame = currentGame >= games ? t.GameCount() : currentGame;
  t.CurrentTeam = currentTeam;
  t.FileName = std::move(fileName);
  t.SavedGameCount = saved;
}

void SetUpForImport(Tournament& t) {
  if (t.Rosters.empty() && t.QuestionValues == std::array<int, kColumns>{})
    NewTournament(t, NewTournamentChoices{});
}

std::string ImportStepName(int files) {
  return "Import " + std::to_string(files) + (files == 1 ? " Match File" : " Match Files");
}

bool SameContents(const Tournament& a, const Tournament& b) {
  return a.Format == b.Format && a.Rosters == b.Rosters && a.Games == b.Games &&
         a.DivisionNames == b.DivisionNames && a.TeamDivision == b.TeamDivision &&
         a.ExhibitionTeam == b.ExhibitionTeam && a.QuestionValues == b.QuestionValues &&
         a.PacketNames == b.PacketNames && a.Extras == b.Extras;
}

}  // namespace drav::app
