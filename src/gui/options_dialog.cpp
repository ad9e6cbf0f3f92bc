#include "gui/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/text_codec.h"

namespace drav::gui {

namespace {
constexpr BonusChoice kBonusOrder[5] = {BonusChoice::Automatic, BonusChoice::Manual,
                                        BonusChoice::None, BonusChoice::ManualHeardAutoPts,
                                        BonusChoice::ManualBouncebacks};
const char* const kBonusNames[5] = {"Automatic", "Manual", "None", "Combo", "Bouncebacks"};
const char* const kBonusCaptions[5] = {"Automatic", "Manual", "None", "Manual Hrd, Auto Pts",
                                       "Manual with Bouncebacks"};
}  // namespace

OptionsDialog::OptionsDialog(const NewTournamentChoices& choices, QWidget* parent)
    : QDialog(parent) {
  setObjectName("OptionsEntry");
  setWindowTitle("Options");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  auto* heading = new QLabel("Tournament Options", this);
  QFont headingFont = heading->font();
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  headingFont.setBold(true);
  heading->setFont(headingFont);
  layout->addWidget(heading);

  auto* columns = new QHBoxLayout;
  auto* values = new QGroupBox("Question Values", this);
  auto* grid = new QGridLayout(values);
  for (int k = 0; k < kColumns; ++k) {
    cb_[k] = new QCheckBox(values);
    cb_[k]->setObjectName(QString("CB%1").arg(k + 1));
    cb_[k]->setChecked(choices.ColumnChecked[k]);
    edit_[k] = new QLineEdit(ToQt(choices.ColumnText[k]), values);
    edit_[k]->setObjectName(QString("Edit%1").arg(k + 1));
    edit_[k]->setMaximumWidth(70);
    grid->addWidget(cb_[k], k, 0);
    grid->addWidget(edit_[k], k, 1);
  }
  grid->setColumnStretch(2, 1);
  columns->addWidget(values);

  auto* tracking = new QGroupBox("Stat Tracking", this);
  auto* trackingLayout = new QVBoxLayout(tracking);
  auto makeBox = [&](const char* name, const char* caption, bool checked) {
    auto* box = new QCheckBox(caption, tracking);
    box->setObjectName(name);
    box->setChecked(checked);
    trackingLayout->addWidget(box);
    return box;
  };
  tuHeard_ = makeBox("TUHeard", "Track Toss-Ups Heard", choices.TUHeard);
  powNeg_ = makeBox("PowNeg", "Track Power and Neg Stats", choices.PowNeg);
  sixty_ = makeBox("Sixty", "Track Lightning Round Stats", choices.Sixty);
  divisions_ = makeBox("Divisions", "Use Divisions", choices.Divisions);
  trackingLayout->addStretch();
  columns->addWidget(tracking, 1);
  layout->addLayout(columns);

  auto* bonus = new QGroupBox("Bonus Conversion Tracking", this);
  auto* bonusLayout = new QGridLayout(bonus);
  for (int i = 0; i < 5; ++i) {
    bonus_[i] = new QRadioButton(kBonusCaptions[i], bonus);
    bonus_[i]->setObjectName(kBonusNames[i]);
    bonus_[i]->setChecked(kBonusOrder[i] == choices.Bonus);
    bonusLayout->addWidget(bonus_[i], i < 3 ? 0 : 1, i < 3 ? i : i - 3);
  }
  layout->addWidget(bonus);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

NewTournamentChoices OptionsDialog::Choices() const {
  NewTournamentChoices c;
  for (int k = 0; k < kColumns; ++k) {
    c.ColumnChecked[k] = cb_[k]->isChecked();
    c.ColumnText[k] = FromQt(edit_[k]->text());
  }
  c.TUHeard = tuHeard_->isChecked();
  c.PowNeg = powNeg_->isChecked();
  c.Sixty = sixty_->isChecked();
  c.Divisions = divisions_->isChecked();
  for (int i = 0; i < 5; ++i)
    if (bonus_[i]->isChecked()) c.Bonus = kBonusOrder[i];
  return c;
}

}  // namespace drav::gui
