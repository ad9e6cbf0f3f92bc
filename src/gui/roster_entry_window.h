#pragma once

#include <QWidget>
#include <string>

#include "entry/controls.h"
#include "entry/roster_entry.h"
#include "model/tournament.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace drav::gui {

// TRosterEntry: the widgets of the roster entry window over the toolkit-free form model.
// Typing goes to the model as it happens; after every button and on activation the
// widgets are refreshed from the model with their signals blocked.
class RosterEntryWindow : public QWidget, public entry::EntryHost {
  Q_OBJECT
 public:
  explicit RosterEntryWindow(Tournament& t, QWidget* parent = nullptr);

  entry::RosterEntryForm& Form() { return form_; }

  // EntryHost
  bool ConfirmAreYouSure() override;
  bool ConfirmDelete(const std::string& what) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;

  // The window became the active child: it shows the team as stored.
  void FormActivate();
  // Another child became active: unstored edits are stored first.
  void FormDeactivate();
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  entry::RosterEntryForm form_;
  QLineEdit* team_ = nullptr;
  QLabel* teamLabel_ = nullptr;
  QComboBox* division_ = nullptr;
  QLabel* divisionLabel_ = nullptr;
  QCheckBox* exhibition_ = nullptr;
  QPlainTextEdit* players_ = nullptr;
  QLabel* playersLabel_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* delete_ = nullptr;
  QLabel* position_ = nullptr;
  bool activationHooked_ = false;
};

}  // namespace drav::gui
