// Feeds arbitrary bytes to the watched folder's Take as a match file's contents: the JSON
// check and the walk for match ids must hold on any input, and a file that is taken again
// must never add its games twice, whatever it is told to do with changed matches.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/game_file_watch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  drav::Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.QuestionValues = {15, 10, -5, 0};
  drav::app::GameFileWatch watch("");
  drav::app::ReadyGameFile file;
  file.Name = "fuzz.qbj";
  file.Path = "rooms/fuzz.qbj";
  file.Contents.assign(reinterpret_cast<const char*>(data), size);
  const drav::app::GameFileResult first = watch.Take(t, file);
  const int games = t.GameCount();
  if (first.State != drav::app::GameFileState::Imported && games != 0) std::abort();
  const drav::app::GameFileResult again = watch.Take(t, file);
  if (games > 0 && (again.State == drav::app::GameFileState::Imported || t.GameCount() != games))
    std::abort();
  drav::QbjImportOptions replace;
  replace.ChangedMatches = drav::QbjImportOptions::Changed::Replace;
  watch.Take(t, file, replace);
  if (t.GameCount() != games) std::abort();
  return 0;
}
