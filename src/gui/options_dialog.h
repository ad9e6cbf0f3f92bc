#pragma once

#include <QDialog>

#include "model/new_tournament.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace drav::gui {

// TOptionsEntry, the New Tournament window: shows the choices it is given (always the
// defaults, since it is created fresh) and reads them back after OK.
class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OptionsDialog(const NewTournamentChoices& choices, QWidget* parent = nullptr);
  NewTournamentChoices Choices() const;

 private:
  QCheckBox* cb_[kColumns] = {};
  QLineEdit* edit_[kColumns] = {};
  QCheckBox* tuHeard_ = nullptr;
  QCheckBox* powNeg_ = nullptr;
  QCheckBox* sixty_ = nullptr;
  QCheckBox* divisions_ = nullptr;
  QRadioButton* bonus_[5] = {};
};

}  // namespace drav::gui
