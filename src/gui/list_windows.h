#pragma once

#include <QDialog>
#include <QWidget>

#include "entry/controls.h"
#include "model/tournament.h"

class QPlainTextEdit;
class QPushButton;

namespace drav::gui {

// TDivisionsEntry: a child window that lists DivisionNames one per line; "Enter"
// replaces the list with the non-empty lines and the window stays open. Each Enter that
// changes the list is a step "Divisions" of the history.
class DivisionsWindow : public QWidget {
  Q_OBJECT
 public:
  DivisionsWindow(Tournament& t, entry::StepHooks steps = {}, QWidget* parent = nullptr);
  void EnterClick();
  // Shows the list as the tournament holds it (after Undo or Redo), unless lines typed
  // here wait for Enter: those stay.
  void Reload();

 private:
  Tournament& t_;
  entry::StepHooks steps_;
  std::vector<std::string> shown_;  // the list as last loaded or entered
  QPlainTextEdit* memo_ = nullptr;
};

// TPacketNames: a non-modal window over PacketNames; "Enter" stores every line (empty
// ones too) and closes, "Cancel" closes without a change. A changing Enter is the step
// "Packet Names".
class PacketNamesWindow : public QDialog {
  Q_OBJECT
 public:
  PacketNamesWindow(Tournament& t, entry::StepHooks steps = {}, QWidget* parent = nullptr);
  void EnterButtonClick();

 private:
  Tournament& t_;
  entry::StepHooks steps_;
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace drav::gui
