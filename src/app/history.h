// The tournament's Undo and Redo history: whole snapshots, one per step.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "model/tournament.h"

namespace drav::app {

// One step as the History window lists it.
struct HistoryStep {
  std::string Name;  // "Sort Teams", "Store Game 12 (Round 3: Lakeview vs. Northfield)"
  std::string Time;  // when it was done, as the status bar shows the time
};

// The states of the tournament, from the oldest kept to the newest: state 0 is where the
// history starts (the document as opened), state i is the tournament after step i. A
// snapshot of the whole tournament per state keeps Undo obviously right: it gives back
// games, teams, lists, settings, stages and extension data alike.
class History {
 public:
  static constexpr std::size_t kMaxSteps = 100;
  static constexpr std::size_t kMaxBytes = std::size_t{200} * 1024 * 1024;

  History();
  // Keeps at most maxSteps steps and about maxBytes of snapshots (tests keep more or less).
  void SetLimits(std::size_t maxSteps, std::size_t maxBytes);

  // A new document (start-up, Open): no steps, t is the first state and the saved one.
  void Reset(const Tournament& t);
  // A step was done: now is the tournament after it. Steps undone before are dropped,
  // then the oldest go while more than kMaxSteps or kMaxBytes are kept.
  void Push(std::string name, std::string time, const Tournament& now);
  // The present state holds changes that are no step of their own (the place shown in
  // the entry windows, a post's outcome): they belong to the present state.
  void Refresh(const Tournament& now);

  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ + 1 < states_.size(); }
  // The name of the step Undo or Redo would take back or do again ("" when none).
  std::string UndoName() const;
  std::string RedoName() const;
  // Moves one step back or forward and returns the state to restore.
  const Tournament& Undo();
  const Tournament& Redo();
  // Moves to the state after step `step` (0 = before the first kept step).
  const Tournament& GoTo(std::size_t step);

  // The steps kept, oldest first; CurrentStep() of them are done (the rest are undone).
  std::size_t StepCount() const { return states_.size() - 1; }
  HistoryStep Step(std::size_t index) const;  // index 0 = the oldest kept step
  std::size_t CurrentStep() const { return current_; }
  const Tournament& Present() const { return states_[current_].state; }

  // The tournament was written to its own file: it is the saved state now. The states
  // that named the file it had before name the file it was written to.
  void MarkSaved(const Tournament& t);
  // True when t would write another file than the saved state: so undoing back to the
  // saved state leaves nothing unsaved. Settings the file does not store don't count.
  bool IsUnsaved(const Tournament& t) const;
  const Tournament& Saved() const { return saved_; }

  // The memory the kept snapshots take, as estimated by SnapshotBytes.
  std::size_t Bytes() const { return bytes_; }

 private:
  struct State {
    HistoryStep step;  // the step that led here (empty for the first state)
    Tournament state;
    std::size_t bytes = 0;
  };
  void Trim();

  std::deque<State> states_;
  std::size_t current_ = 0;
  std::size_t bytes_ = 0;
  std::size_t maxSteps_ = kMaxSteps;
  std::size_t maxBytes_ = kMaxBytes;
  Tournament saved_;
  std::string savedText_;
};

// The heap and object bytes one snapshot of t takes: the tournament, its lists and every
// string that does not fit in its own object.
std::size_t SnapshotBytes(const Tournament& t);

}  // namespace drav::app
