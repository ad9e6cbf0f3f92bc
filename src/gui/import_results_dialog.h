#pragma once

#include <QDialog>
#include <string>

#include "entry/results_import.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace drav::gui {

// Import Results' preview: every row of the pasted table with its line, what it will store
// and what is wrong with it. OK stays disabled while any row has a problem, so nothing is
// stored until the whole table is right.
class ImportResultsDialog : public QDialog {
  Q_OBJECT
 public:
  ImportResultsDialog(const Tournament& t, std::string text, bool addTeams,
                      QWidget* parent = nullptr);

  bool AddTeams() const;
  const entry::ResultsPreview& Preview() const { return preview_; }
  QTableWidget* Table() const { return table_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void Refresh();

  const Tournament& t_;
  std::string text_;
  entry::ResultsPreview preview_;
  QCheckBox* addTeams_ = nullptr;
  QLabel* summary_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace drav::gui
