#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "entry/controls.h"
#include "model/tournament.h"

class QComboBox;
class QMdiArea;

namespace drav::gui {

// Asks the director which of the tournament's teams a match file's team stands for, or to
// add it as a new team. The first item adds it; item i + 1 is team i.
class TeamChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  TeamChoiceDialog(const Tournament& t, const std::string& file, const std::string& team,
                   QWidget* parent = nullptr);
  QComboBox* Choice() const { return choice_; }
  // The team chosen (-1: add as a new team).
  int ChosenTeam() const;

 private:
  QComboBox* choice_ = nullptr;
};

// Runs the dialog (through the dialog seams); nullopt when the director cancels.
std::optional<int> AskTeamChoice(QWidget* parent, const Tournament& t, const std::string& file,
                                 const std::string& team);

// Asks whether a file that changed after import replaces the games it brought (true) or
// the old games stay (false, also when the box is closed).
bool AskReplaceChanged(QWidget* parent, const std::string& file, const std::string& detail);

// File > Import Game Files (QBJ)...: several match files into the current tournament, each
// all or nothing, away from the interface thread. A team the tournament lacks is settled
// by the director in TeamChoiceDialog; a file changed after import is replaced or kept as
// AskReplaceChanged answers. Ends with one note per file. The files imported are one step
// of the history.
void ImportGameFiles(QWidget* parent, Tournament& t, const entry::StepHooks& steps = {});

// Refreshes the team lists of the game entry windows, keeping the game being typed.
void RefreshGameEntryWindows(QMdiArea* mdi);

}  // namespace drav::gui
