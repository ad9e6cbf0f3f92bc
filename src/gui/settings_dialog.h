#pragma once

#include <QDialog>

#include "app/settings_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace drav::gui {

// TExtraOptions: the six pages of settings, loaded from a SettingsForm and read back
// into one after OK. The rules for loading and storing live in the form.
class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(const app::SettingsForm& form, QWidget* parent = nullptr);
  app::SettingsForm Form() const;
  QTabWidget* Pages() const { return pages_; }

 private:
  QWidget* GeneralPage(const app::SettingsForm& f);
  QWidget* FtpPage(const app::SettingsForm& f);
  QWidget* ReportsPage(const app::SettingsForm& f);
  QWidget* SortingPage(const app::SettingsForm& f);
  QWidget* WarningsPage(const app::SettingsForm& f);
  QWidget* SchedulingPage(const app::SettingsForm& f);

  QTabWidget* pages_ = nullptr;
  QLineEdit* tourneyName_ = nullptr;
  QCheckBox* divisions_ = nullptr;
  QRadioButton* allRounds_ = nullptr;
  QRadioButton* selectedRounds_ = nullptr;
  QLineEdit* roundsMin_ = nullptr;
  QLineEdit* roundsMax_ = nullptr;
  QCheckBox* autoSave_ = nullptr;
  QLineEdit* autoSaveMin_ = nullptr;
  QCheckBox* valueChecked_[kColumns] = {};
  QLineEdit* valueText_[kColumns] = {};
  QLineEdit* hostAddress_ = nullptr;
  QLineEdit* userName_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* directory_ = nullptr;
  QLineEdit* baseName_ = nullptr;
  QCheckBox* paths_ = nullptr;
  QComboBox* protocol_ = nullptr;
  QLineEdit* caFile_ = nullptr;
  QLineEdit* knownHostsFile_ = nullptr;
  QCheckBox* postAfterEveryGame_ = nullptr;
  QCheckBox* include_[8] = {};
  QLineEdit* file_[8] = {};
  QCheckBox* britishStyle_ = nullptr;
  QRadioButton* reportClassic_ = nullptr;
  QRadioButton* reportModern_ = nullptr;
  QRadioButton* sort_[5] = {};
  QCheckBox* tuhSort_ = nullptr;
  QCheckBox* warning_[7] = {};
  QCheckBox* repeatBox_ = nullptr;
  QRadioButton* swissTuh_ = nullptr;
  QRadioButton* swissPpg_ = nullptr;
  QRadioButton* rrNoLimit_ = nullptr;
  QRadioButton* rrLimit_ = nullptr;
  QLineEdit* rrRooms_ = nullptr;
  QRadioButton* randomNoLimit_ = nullptr;
  QRadioButton* randomLimit_ = nullptr;
  QLineEdit* randomRooms_ = nullptr;
  QLineEdit* randomRounds_ = nullptr;
};

}  // namespace drav::gui
