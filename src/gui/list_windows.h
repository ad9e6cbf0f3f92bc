#pragma once

#include <QDialog>
#include <QWidget>

#include "model/tournament.h"

class QPlainTextEdit;
class QPushButton;

namespace drav::gui {

// TDivisionsEntry: a child window that lists DivisionNames one per line; "Enter"
// replaces the list with the non-empty lines and the window stays open.
class DivisionsWindow : public QWidget {
  Q_OBJECT
 public:
  DivisionsWindow(Tournament& t, QWidget* parent = nullptr);
  void EnterClick();

 private:
  Tournament& t_;
  QPlainTextEdit* memo_ = nullptr;
};

// TPacketNames: a non-modal window over PacketNames; "Enter" stores every line (empty
// ones too) and closes, "Cancel" closes without a change.
class PacketNamesWindow : public QDialog {
  Q_OBJECT
 public:
  PacketNamesWindow(Tournament& t, QWidget* parent = nullptr);
  void EnterButtonClick();

 private:
  Tournament& t_;
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace drav::gui
