#include "gui/roster_entry_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/dialog_seams.h"
#include "gui/game_entry_window.h"
#include "gui/small_dialogs.h"
#include "gui/text_codec.h"

namespace drav::gui {

namespace {

QString Name(const entry::Control& c) {
  return QString::fromStdString(c.Name());
}

template <typename W>
W* Named(W* widget, const entry::Control& c) {
  widget->setObjectName(Name(c));
  return widget;
}

}  // namespace

RosterEntryWindow::RosterEntryWindow(Tournament& t, QWidget* parent)
    : QWidget(parent), form_(t, *this) {
  entry::RosterEntryForm& f = form_;
  setObjectName("RosterEntry");
  setWindowTitle(entry::RosterEntryForm::kCaption);

  teamLabel_ = Named(new QLabel(ToQt(f.TeamLabel.Caption())), f.TeamLabel);
  team_ = Named(new QLineEdit, f.Team);
  divisionLabel_ = Named(new QLabel(ToQt(f.Label3.Caption())), f.Label3);
  division_ = Named(new QComboBox, f.Division);
  division_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  division_->setMinimumContentsLength(14);
  exhibition_ = Named(new QCheckBox(ToQt(f.ExbTeam.Caption())), f.ExbTeam);
  playersLabel_ = Named(new QLabel(ToQt(f.PlayersLabel.Caption())), f.PlayersLabel);
  players_ = Named(new QPlainTextEdit, f.Memo1);
  players_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  players_->setLineWrapMode(QPlainTextEdit::NoWrap);
  players_->setTabChangesFocus(true);
  previous_ = Named(new QPushButton(ToQt(f.Previous.Caption())), f.Previous);
  next_ = Named(new QPushButton(ToQt(f.Next.Caption())), f.Next);
  delete_ = Named(new QPushButton(ToQt(f.DeleteTeamButton.Caption())), f.DeleteTeamButton);
  for (QPushButton* b : {previous_, next_, delete_}) b->setAutoDefault(true);
  for (QLabel* l : {teamLabel_, divisionLabel_, playersLabel_})
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  playersLabel_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  teamLabel_->setBuddy(team_);
  divisionLabel_->setBuddy(division_);
  playersLabel_->setBuddy(players_);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->addWidget(teamLabel_, 0, 0);
  grid->addWidget(team_, 0, 1);
  grid->addWidget(divisionLabel_, 1, 0);
  grid->addWidget(division_, 1, 1);
  grid->addWidget(exhibition_, 2, 1);
  grid->addWidget(playersLabel_, 3, 0);
  grid->addWidget(players_, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previous_);
  buttons->addWidget(next_);
  position_ = new QLabel(this);
  position_->setObjectName("TeamPosition");
  position_->setAlignment(Qt::AlignCenter);
  buttons->addWidget(position_, 1);
  for (QPushButton* b : {previous_, next_, delete_})
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 28);
  buttons->addWidget(delete_);
  grid->addLayout(buttons, 4, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  team_->setMinimumWidth(170);
  players_->setMinimumHeight(200);

  // Typing reaches the model at once; these controls have no reactions of their own.
  connect(team_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Team.SetText(FromQt(text)); });
  connect(division_, &QComboBox::activated, this,
          [this](int index) { form_.Division.SetItemIndex(index); });
  connect(exhibition_, &QCheckBox::clicked, this,
          [this](bool on) { form_.ExbTeam.SetChecked(on); });
  connect(players_, &QPlainTextEdit::textChanged, this,
          [this] { form_.Memo1.SetText(FromQt(players_->toPlainText())); });
  connect(previous_, &QPushButton::clicked, this, [this] {
    form_.PreviousClick();
    Refresh();
  });
  connect(next_, &QPushButton::clicked, this, [this] {
    form_.NextClick();
    Refresh();
    team_->setFocus();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    form_.DeleteTeamButtonClick();
    Refresh();
  });
  // Enter in the team name moves on to the players.
  connect(team_, &QLineEdit::returnPressed, players_, [this] { players_->setFocus(); });
  Refresh();
}

bool RosterEntryWindow::ConfirmAreYouSure() {
  ConfirmDialog dialog(false, this);
  return DialogSeams::Exec(dialog) == QDialog::Accepted;
}

bool RosterEntryWindow::ConfirmDelete(const std::string& what) {
  ConfirmDialog dialog(false, this);
  dialog.SetSubject("Delete the team " + ToQt(what) + "?");
  return DialogSeams::Exec(dialog) == QDialog::Accepted;
}

void RosterEntryWindow::FormDeactivate() {
  form_.FormDeactivate();
  Refresh();
}

void RosterEntryWindow::ShowMessage(const std::string& text, const std::string& caption) {
  DialogSeams::ShowMessage(this, ToQt(text), ToQt(caption));
}

void RosterEntryWindow::FormActivate() {
  form_.FormActivate();
  Refresh();
}

void RosterEntryWindow::Refresh() {
  const entry::RosterEntryForm& f = form_;
  {
    const QSignalBlocker blocker(team_);
    const QString text = ToQt(f.Team.Text());
    if (team_->text() != text) team_->setText(text);
  }
  {
    const QSignalBlocker blocker(division_);
    QStringList items;
    for (const std::string& item : f.Division.Items()) items << ToQt(item);
    bool same = division_->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i) same = division_->itemText(i) == items[i];
    if (!same) {
      division_->clear();
      division_->addItems(items);
    }
    division_->setCurrentIndex(f.Division.ItemIndex());
  }
  {
    const QSignalBlocker blocker(exhibition_);
    exhibition_->setChecked(f.ExbTeam.Checked());
  }
  {
    // The memo is only written here, never while the user types: the model drops a
    // final line end that the user may just have typed.
    const QSignalBlocker blocker(players_);
    const QString joined = ToQt(f.Memo1.Lines()).join('\n');
    if (players_->toPlainText() != joined) players_->setPlainText(joined);
  }
  const std::pair<const entry::Control*, QWidget*> all[] = {{&f.Team, team_},
                                                            {&f.TeamLabel, teamLabel_},
                                                            {&f.Division, division_},
                                                            {&f.Label3, divisionLabel_},
                                                            {&f.ExbTeam, exhibition_},
                                                            {&f.Memo1, players_},
                                                            {&f.PlayersLabel, playersLabel_},
                                                            {&f.Previous, previous_},
                                                            {&f.Next, next_},
                                                            {&f.DeleteTeamButton, delete_}};
  for (const auto& [control, widget] : all) {
    widget->setEnabled(control->Enabled());
    widget->setHidden(!control->Visible());
  }
  position_->setText(ToQt(f.PositionCaption()));
}

void RosterEntryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (activationHooked_) return;
  activationHooked_ = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr;
  HookMdiActivation(
      this, [this] { FormActivate(); }, [this] { FormDeactivate(); });
}

}  // namespace drav::gui
