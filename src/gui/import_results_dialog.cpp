#include "gui/import_results_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "gui/text_codec.h"

namespace drav::gui {

ImportResultsDialog::ImportResultsDialog(const Tournament& t, std::string text, bool addTeams,
                                         QWidget* parent)
    : QDialog(parent), t_(t), text_(std::move(text)) {
  setObjectName("ImportResults");
  setWindowTitle("Import Results");
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setObjectName("Summary");
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  addTeams_ = new QCheckBox("&Add teams the tournament does not have", this);
  addTeams_->setObjectName("AddTeams");
  addTeams_->setChecked(addTeams);
  connect(addTeams_, &QCheckBox::toggled, this, [this] { Refresh(); });
  layout->addWidget(addTeams_);
  table_ = new QTableWidget(0, 3, this);
  table_->setObjectName("Rows");
  table_->setHorizontalHeaderLabels({"Line", "Game", "Problem"});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setText("&Import");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 480);
  Refresh();
}

bool ImportResultsDialog::AddTeams() const {
  return addTeams_->isChecked();
}

void ImportResultsDialog::Refresh() {
  preview_ = entry::PreviewResults(t_, text_, addTeams_->isChecked());
  table_->setRowCount(static_cast<int>(preview_.rows.size()));
  for (int r = 0; r < static_cast<int>(preview_.rows.size()); ++r) {
    const entry::ResultsRow& row = preview_.rows[static_cast<std::size_t>(r)];
    std::string problems;
    for (const std::string& p : row.problems) problems += (problems.empty() ? "" : "; ") + p;
    table_->setItem(r, 0, new QTableWidgetItem(QString::number(row.line)));
    table_->setItem(r, 1, new QTableWidgetItem(ToQt(row.Meaning(t_))));
    table_->setItem(r, 2, new QTableWidgetItem(ToQt(problems)));
  }
  table_->resizeColumnToContents(0);
  table_->resizeColumnToContents(1);
  const int games = static_cast<int>(preview_.rows.size());
  QString summary;
  if (preview_.Ok()) {
    summary = QString("%1 %2 will be stored as score-only games.")
                  .arg(games)
                  .arg(games == 1 ? "game" : "games");
    if (!preview_.newTeams.empty())
      summary += QString(" New teams: %1.").arg(ToQt(preview_.newTeams).join(", "));
  } else {
    summary = QString("Nothing will be stored until every row is right: %1")
                  .arg(ToQt(preview_.problems.front()));
  }
  summary_->setText(summary);
  ok_->setEnabled(preview_.Ok() && games > 0);
}

}  // namespace drav::gui
