#include "gui/stages_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/dialog_seams.h"
#include "gui/text_codec.h"
#include "model/error.h"
#include "stats/stage_standings.h"

namespace drav::gui {

namespace {

QPushButton* MakeButton(const char* name, const char* text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QSpinBox* MakeRound(const char* name, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(-999999, 999999);
  return spin;
}

}  // namespace

StagesWindow::StagesWindow(Tournament& t, std::function<void(int)> printStage,
                           entry::StepHooks steps, QWidget* parent)
    : QDialog(parent),
      t_(t),
      form_(t),
      printStage_(std::move(printStage)),
      steps_(std::move(steps)) {
  setObjectName("Stages");
  setWindowTitle("Stages");
  Build();
  if (!form_.Stages().empty()) {
    current_ = 0;
    stageName_->setText(ToQt(form_.Stages()[0].Name));
  }
  Refresh();
}

int StagesWindow::Current() const {
  return current_ >= 0 && current_ < static_cast<int>(form_.Stages().size()) ? current_ : -1;
}

void StagesWindow::Run(const std::function<void()>& edit) {
  try {
    edit();
  } catch (const DravError& e) {
    DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
  }
  Refresh();
}

bool StagesWindow::Apply() {
  try {
    form_.SetPlacesText(FromQt(places_->toPlainText()));
    steps_.Before();
    form_.Apply(t_);
    steps_.After(form_.StepName());
    return true;
  } catch (const DravError& e) {
    DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
    return false;
  }
}

void StagesWindow::Build() {
  auto* outer = new QVBoxLayout(this);

  // The stages in order, and what can be done to them.
  auto* top = new QHBoxLayout;
  stageList_ = new QListWidget(this);
  stageList_->setObjectName("StageList");
  stageList_->setMaximumHeight(140);
  top->addWidget(stageList_, 1);
  auto* side = new QVBoxLayout;
  stageName_ = new QLineEdit(this);
  stageName_->setObjectName("StageName");
  stageName_->setPlaceholderText("Stage name");
  side->addWidget(stageName_);
  QPushButton* add = MakeButton("AddStage", "&Add", this);
  QPushButton* rename = MakeButton("RenameStage", "&Rename", this);
  QPushButton* up = MakeButton("StageUp", "&Up", this);
  QPushButton* down = MakeButton("StageDown", "Do&wn", this);
  QPushButton* remove = MakeButton("DeleteStage", "&Delete", this);
  for (QPushButton* b : {add, rename, up, down, remove}) side->addWidget(b);
  side->addStretch(1);
  top->addLayout(side);
  outer->addLayout(top);

  auto* rounds = new QHBoxLayout;
  rounds->addWidget(new QLabel("First round", this));
  firstRound_ = MakeRound("FirstRound", this);
  rounds->addWidget(firstRound_);
  rounds->addWidget(new QLabel("Last round", this));
  lastRound_ = MakeRound("LastRound", this);
  rounds->addWidget(lastRound_);
  carryOver_ = new QCheckBox("Carry over earlier games between bracket-mates", this);
  carryOver_->setObjectName("CarryOver");
  rounds->addWidget(carryOver_);
  rounds->addWidget(new QLabel("Final places by", this));
  kind_ = new QComboBox(this);
  kind_->setObjectName("StageKind");
  kind_->addItems({"Standings (pools)", "How far a team went (elimination)"});
  rounds->addWidget(kind_);
  rounds->addStretch(1);
  outer->addLayout(rounds);

  auto* middle = new QHBoxLayout;
  auto* bracketBox = new QGroupBox("Brackets: a line [Name], then one team per line", this);
  auto* bracketLayout = new QVBoxLayout(bracketBox);
  brackets_ = new QPlainTextEdit(bracketBox);
  brackets_->setObjectName("BracketsText");
  bracketLayout->addWidget(brackets_);
  QPushButton* store = MakeButton("StoreBrackets", "Use These &Brackets", bracketBox);
  bracketLayout->addWidget(store);
  middle->addWidget(bracketBox, 1);

  auto* fillBox = new QGroupBox("From the standings of", this);
  auto* fillLayout = new QVBoxLayout(fillBox);
  fromStage_ = new QComboBox(fillBox);
  fromStage_->setObjectName("FromStage");
  fillLayout->addWidget(fromStage_);
  fillLayout->addWidget(
      new QLabel("Rules, one a line: places of every bracket, new bracket", fillBox));
  rules_ = new QPlainTextEdit(fillBox);
  rules_->setObjectName("Rules");
  rules_->setPlaceholderText("1-2 Championship\n3-4 Places 5-8");
  fillLayout->addWidget(rules_);
  QPushButton* fill = MakeButton("FillFromStandings", "&Fill From Standings", fillBox);
  fillLayout->addWidget(fill);
  middle->addWidget(fillBox, 1);

  auto* tieBox = new QGroupBox("Ties at a border: put the teams in order, then Settle", this);
  auto* tieLayout = new QGridLayout(tieBox);
  tieList_ = new QListWidget(tieBox);
  tieList_->setObjectName("TieList");
  tieTeams_ = new QListWidget(tieBox);
  tieTeams_->setObjectName("TieTeams");
  tieLayout->addWidget(tieList_, 0, 0, 4, 1);
  tieLayout->addWidget(tieTeams_, 0, 1, 4, 1);
  QPushButton* tieUp = MakeButton("TieTeamUp", "Move U&p", tieBox);
  QPushButton* tieDown = MakeButton("TieTeamDown", "Move D&own", tieBox);
  QPushButton* settle = MakeButton("SettleTie", "&Settle", tieBox);
  tieLayout->addWidget(tieUp, 0, 2);
  tieLayout->addWidget(tieDown, 1, 2);
  tieLayout->addWidget(settle, 2, 2);
  tieLayout->setColumnStretch(0, 3);  // the tie's description is the longer text
  tieLayout->setColumnStretch(1, 2);
  middle->addWidget(tieBox, 1);

  auto* placesBox = new QGroupBox("Final places set by hand: a place and a team per line", this);
  auto* placesLayout = new QVBoxLayout(placesBox);
  places_ = new QPlainTextEdit(placesBox);
  places_->setObjectName("FinalPlaces");
  places_->setPlaceholderText("1 Team name\n2 Other team");
  places_->setPlainText(ToQt(form_.PlacesText()));
  placesLayout->addWidget(places_);
  finished_ = new QCheckBox("Tournament finished (the final ranking is not provisional)", this);
  finished_->setObjectName("Finished");
  finished_->setChecked(form_.Finished());
  placesLayout->addWidget(finished_);
  middle->addWidget(placesBox, 1);
  outer->addLayout(middle);

  auto* bottom = new QHBoxLayout;
  tiebreakersCount_ = new QCheckBox("Tiebreaker games count in the standings", this);
  tiebreakersCount_->setObjectName("TiebreakersCount");
  bottom->addWidget(tiebreakersCount_);
  bottom->addStretch(1);
  QPushButton* print = MakeButton("PrintStandings", "Print S&tandings", this);
  QPushButton* ok = MakeButton("OK", "OK", this);
  QPushButton* cancel = MakeButton("Cancel", "Cancel", this);
  for (QPushButton* b : {print, ok, cancel}) bottom->addWidget(b);
  outer->addLayout(bottom);

  connect(stageList_, &QListWidget::currentRowChanged, this, [this](int row) {
    current_ = row;
    if (Current() >= 0)
      stageName_->setText(ToQt(form_.Stages()[static_cast<std::size_t>(row)].Name));
    Refresh();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    Run([this] {
      const std::string name = FromQt(stageName_->text().trimmed());
      if (name.empty()) throw DravError("Type the new stage's name first");
      current_ = form_.AddStage(name);
    });
  });
  connect(rename, &QPushButton::clicked, this, [this] {
    Run([this] { form_.RenameStage(Current(), FromQt(stageName_->text().trimmed())); });
  });
  connect(up, &QPushButton::clicked, this,
          [this] { Run([this] { current_ = form_.MoveStage(Current(), -1); }); });
  connect(down, &QPushButton::clicked, this,
          [this] { Run([this] { current_ = form_.MoveStage(Current(), 1); }); });
  connect(remove, &QPushButton::clicked, this, [this] {
    Run([this] {
      form_.DeleteStage(Current());
      current_ = std::min(current_, static_cast<int>(form_.Stages().size()) - 1);
    });
  });
  auto setRounds = [this] {
    Run([this] { form_.SetRounds(Current(), firstRound_->value(), lastRound_->value()); });
  };
  connect(firstRound_, &QSpinBox::valueChanged, this, setRounds);
  connect(lastRound_, &QSpinBox::valueChanged, this, setRounds);
  connect(carryOver_, &QCheckBox::toggled, this,
          [this](bool on) { Run([this, on] { form_.SetCarryOver(Current(), on); }); });
  connect(kind_, &QComboBox::currentIndexChanged, this, [this](int index) {
    Run([this, index] {
      form_.SetKind(Current(), index == 1 ? StageKind::Elimination : StageKind::Pools);
    });
  });
  connect(finished_, &QCheckBox::toggled, this, [this](bool on) { form_.SetFinished(on); });
  connect(store, &QPushButton::clicked, this, [this] {
    Run([this] { form_.SetBracketsText(Current(), FromQt(brackets_->toPlainText())); });
  });
  connect(fill, &QPushButton::clicked, this, [this] {
    Run([this] {
      form_.FillFromStandings(Current(), fromStage_->currentIndex(), FromQt(rules_->toPlainText()));
    });
  });
  connect(tieList_, &QListWidget::currentRowChanged, this, [this](int row) {
    tieTeams_->clear();
    if (row < 0 || row >= static_cast<int>(form_.Ties().size())) return;
    for (int team : form_.Ties()[static_cast<std::size_t>(row)].Teams) {
      auto* item = new QListWidgetItem(ToQt(t_.TeamName(team)), tieTeams_);
      item->setData(Qt::UserRole, team);
    }
    tieTeams_->setCurrentRow(0);
  });
  auto moveTieTeam = [this](int delta) {
    const int row = tieTeams_->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= tieTeams_->count()) return;
    QListWidgetItem* item = tieTeams_->takeItem(row);
    tieTeams_->insertItem(to, item);
    tieTeams_->setCurrentRow(to);
  };
  connect(tieUp, &QPushButton::clicked, this, [moveTieTeam] { moveTieTeam(-1); });
  connect(tieDown, &QPushButton::clicked, this, [moveTieTeam] { moveTieTeam(1); });
  connect(settle, &QPushButton::clicked, this, [this] {
    Run([this] {
      std::vector<int> order;
      for (int i = 0; i < tieTeams_->count(); ++i)
        order.push_back(tieTeams_->item(i)->data(Qt::UserRole).toInt());
      form_.SettleTie(tieList_->currentRow(), order);
    });
  });
  connect(tiebreakersCount_, &QCheckBox::toggled, this,
          [this](bool on) { form_.SetTiebreakersCount(on); });
  connect(print, &QPushButton::clicked, this, [this] {
    const int stage = Current();
    if (stage >= 0 && Apply() && printStage_) printStage_(stage);
  });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (Apply()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StagesWindow::Refresh() {
  const auto& stages = form_.Stages();
  const int current = Current();
  {
    const QSignalBlocker block(stageList_);
    stageList_->clear();
    for (const Stage& s : stages) stageList_->addItem(ToQt(StageLabel(s)));
    stageList_->setCurrentRow(current);
  }
  const bool has = current >= 0;
  for (QWidget* w : std::initializer_list<QWidget*>{firstRound_, lastRound_, carryOver_, kind_,
                                                    brackets_, fromStage_, rules_})
    w->setEnabled(has);
  {
    const QSignalBlocker b1(firstRound_), b2(lastRound_), b3(carryOver_), b4(fromStage_),
        b5(tiebreakersCount_), b6(kind_);
    if (has) {
      const Stage& s = stages[static_cast<std::size_t>(current)];
      firstRound_->setValue(s.FirstRound);
      lastRound_->setValue(s.LastRound);
      carryOver_->setChecked(s.CarryOver);
      kind_->setCurrentIndex(s.Kind == StageKind::Elimination ? 1 : 0);
    }
    brackets_->setPlainText(ToQt(form_.BracketsText(current)));
    const int from = fromStage_->currentIndex();
    fromStage_->clear();
    for (int i = 0; i < current; ++i)
      fromStage_->addItem(ToQt(stages[static_cast<std::size_t>(i)].Name));
    fromStage_->setCurrentIndex(from >= 0 && from < current ? from : current - 1);
    tiebreakersCount_->setChecked(form_.TiebreakersCount());
  }
  const int tie = tieList_->currentRow();
  tieList_->clear();
  tieTeams_->clear();
  for (const BorderTie& b : form_.Ties()) {
    tieList_->addItem(ToQt(DescribeTie(t_, b)));
    tieList_->item(tieList_->count() - 1)
        ->setToolTip(tieList_->item(tieList_->count() - 1)->text());
  }
  if (!form_.Ties().empty()) tieList_->setCurrentRow(tie >= 0 && tie < tieList_->count() ? tie : 0);
}

}  // namespace drav::gui
