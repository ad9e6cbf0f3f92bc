#include "app/history.h"

#include <utility>

#include "storage/tournament_file.h"

namespace drav::app {

namespace {

std::size_t StringBytes(const std::string& s) {
  // A string longer than the one kept inside the object lives on the heap.
  return s.capacity() > std::string().capacity() ? s.capacity() + 1 : 0;
}

template <typename T>
std::size_t VectorBytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

std::size_t StringsBytes(const std::vector<std::string>& v) {
  std::size_t bytes = VectorBytes(v);
  for (const std::string& s : v) bytes += StringBytes(s);
  return bytes;
}

std::size_t FormatBytes(const TourneyFormat& f) {
  std::size_t bytes = 0;
  for (const std::string* s :
       {&f.TourneyName, &f.HostAddress, &f.UserName, &f.Password, &f.Directory, &f.BaseName,
        &f.StandingsFile, &f.IndividualsFile, &f.ScoreboardFile, &f.TeamDetailFile,
        &f.PlayerDetailFile, &f.RoundsFile, &f.StatKeyFile, &f.StyleSheetFile})
    bytes += StringBytes(*s);
  return bytes;
}

std::size_t ExtrasBytes(const TournamentExtras& e) {
  std::size_t bytes = VectorBytes(e.Stages) + VectorBytes(e.ImportedMatches);
  for (const Stage& stage : e.Stages) {
    bytes += StringBytes(stage.Name) + VectorBytes(stage.Brackets);
    for (const Bracket& b : stage.Brackets) bytes += StringBytes(b.Name) + VectorBytes(b.Teams);
  }
  for (const ImportedMatch& m : e.ImportedMatches)
    bytes +=
        StringBytes(m.File) + StringBytes(m.MatchId) + StringBytes(m.Content) + StringBytes(m.Game);
  bytes += StringBytes(e.Posting.CaFile) + StringBytes(e.Posting.KnownHostsFile);
  return bytes;
}

}  // namespace

std::size_t SnapshotBytes(const Tournament& t) {
  std::size_t bytes = sizeof(Tournament) + FormatBytes(t.Format) + ExtrasBytes(t.Extras);
  bytes += VectorBytes(t.Rosters);
  for (const auto& roster : t.Rosters) bytes += StringsBytes(roster);
  bytes += VectorBytes(t.Games);
  for (const GameStats& g : t.Games) bytes += StringBytes(g.GID);
  bytes += StringsBytes(t.DivisionNames) + VectorBytes(t.TeamDivision) +
           VectorBytes(t.ExhibitionTeam) + StringsBytes(t.PacketNames) + StringBytes(t.FileName);
  return bytes;
}

History::History() {
  Reset(Tournament{});
}

void History::SetLimits(std::size_t maxSteps, std::size_t maxBytes) {
  maxSteps_ = maxSteps;
  maxBytes_ = maxBytes;
  Trim();
}

void History::Reset(const Tournament& t) {
  states_.clear();
  states_.push_back({{}, t, SnapshotBytes(t)});
  current_ = 0;
  bytes_ = states_.front().bytes;
  saved_ = t;
  savedText_ = SerializeTournament(t);
}

void History::Push(std::string name, std::string time, const Tournament& now) {
  while (states_.size() > current_ + 1) {
    bytes_ -= states_.back().bytes;
    states_.pop_back();
  }
  states_.push_back({{std::move(name), std::move(time)}, now, SnapshotBytes(now)});
  bytes_ += states_.back().bytes;
  current_ = states_.size() - 1;
  Trim();
}

void History::Trim() {
  // The present state always stays, whatever it takes.
  while (current_ > 0 && (StepCount() > maxSteps_ || bytes_ > maxBytes_)) {
    bytes_ -= states_.front().bytes;
    states_.pop_front();
    --current_;
  }
}

void History::Refresh(const Tournament& now) {
  State& present = states_[current_];
  bytes_ -= present.bytes;
  present.state = now;
  present.bytes = SnapshotBytes(now);
  bytes_ += present.bytes;
}

std::string History::UndoName() const {
  return CanUndo() ? states_[current_].step.Name : "";
}

std::string History::RedoName() const {
  return CanRedo() ? states_[current_ + 1].step.Name : "";
}

const Tournament& History::Undo() {
  if (CanUndo()) --current_;
  return Present();
}

const Tournament& History::Redo() {
  if (CanRedo()) ++current_;
  return Present();
}

const Tournament& History::GoTo(std::size_t step) {
  if (step <= StepCount()) current_ = step;
  return Present();
}

HistoryStep History::Step(std::size_t index) const {
  return index < StepCount() ? states_[index + 1].step : HistoryStep{};
}

void History::MarkSaved(const Tournament& t) {
  const std::string previous = Present().FileName;
  if (previous != t.FileName)
    for (State& s : states_)
      if (s.state.FileName == previous) s.state.FileName = t.FileName;
  Refresh(t);
  saved_ = t;
  savedText_ = SerializeTournament(t);
}

bool History::IsUnsaved(const Tournament& t) const {
  return SerializeTournament(t) != savedText_;
}

}  // namespace drav::app
