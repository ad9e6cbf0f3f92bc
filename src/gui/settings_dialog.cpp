#include "gui/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/text_codec.h"

namespace drav::gui {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const std::string& text, int width = 0) {
  auto* edit = new QLineEdit(ToQt(text), parent);
  edit->setObjectName(name);
  if (width > 0) edit->setFixedWidth(width);
  return edit;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, bool checked) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

QRadioButton* Radio(QWidget* parent, const char* name, const char* caption, bool checked) {
  auto* button = new QRadioButton(caption, parent);
  button->setObjectName(name);
  button->setChecked(checked);
  return button;
}

QWidget* Page(QTabWidget* tabs, const char* caption) {
  auto* page = new QWidget(tabs);
  page->setObjectName(QString(caption) + "Page");
  tabs->addTab(page, caption);
  return page;
}

}  // namespace

SettingsDialog::SettingsDialog(const app::SettingsForm& form, QWidget* parent) : QDialog(parent) {
  setObjectName("ExtraOptions");
  setWindowTitle("Settings");
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  GeneralPage(form);
  FtpPage(form);
  ReportsPage(form);
  SortingPage(form);
  WarningsPage(form);
  SchedulingPage(form);
  pages_->setCurrentIndex(form.ActivePage);
  layout->addWidget(pages_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("BitBtn1");
  buttons->button(QDialogButtonBox::Ok)->setObjectName("BitBtn2");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumSize(560, 440);
}

QWidget* SettingsDialog::GeneralPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::General));
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  tourneyName_ = Edit(page, "TourneyName", f.TourneyName);
  form->addRow("Tournament Name", tourneyName_);
  layout->addLayout(form);
  divisions_ = Check(page, "Divisions", "Use Divisions", f.Divisions);
  layout->addWidget(divisions_);

  auto* rounds = new QGroupBox("Rounds Included in Reports", page);
  auto* roundsLayout = new QGridLayout(rounds);
  allRounds_ = Radio(rounds, "AllRounds", "All Rounds", f.AllRounds);
  selectedRounds_ = Radio(rounds, "SelectedRounds", "Rounds", !f.AllRounds);
  roundsMin_ = Edit(rounds, "RoundsMin", f.RoundsMin, 56);
  roundsMax_ = Edit(rounds, "RoundsMax", f.RoundsMax, 56);
  roundsLayout->addWidget(allRounds_, 0, 0, 1, 4);
  roundsLayout->addWidget(selectedRounds_, 1, 0);
  roundsLayout->addWidget(roundsMin_, 1, 1);
  roundsLayout->addWidget(new QLabel("to", rounds), 1, 2);
  roundsLayout->addWidget(roundsMax_, 1, 3);
  roundsLayout->setColumnStretch(4, 1);
  layout->addWidget(rounds);

  auto* autosave = new QHBoxLayout;
  autoSave_ = Check(page, "AutoSave", "Auto Save", f.AutoSave);
  autoSaveMin_ = Edit(page, "AutoSaveMin", f.AutoSaveMin, 56);
  autosave->addWidget(autoSave_);
  autosave->addSpacing(12);
  autosave->addWidget(new QLabel("Every", page));
  autosave->addWidget(autoSaveMin_);
  autosave->addWidget(new QLabel("Minutes", page));
  autosave->addStretch();
  layout->addLayout(autosave);

  // Question values change here without New Tournament, which would reset every option.
  auto* values = new QGroupBox("Question Values", page);
  auto* valuesLayout = new QHBoxLayout(values);
  for (int c = 0; c < kColumns; ++c) {
    const std::string n = std::to_string(c + 1);
    valueChecked_[c] = Check(values, ("QuestionValueCheck" + n).c_str(), "", f.ValueChecked[c]);
    valueChecked_[c]->setAccessibleName(QString("Use question value %1").arg(c + 1));
    valueText_[c] = Edit(values, ("QuestionValue" + n).c_str(), f.ValueText[c], 48);
    valueText_[c]->setAccessibleName(QString("Question value %1").arg(c + 1));
    valuesLayout->addWidget(valueChecked_[c]);
    valuesLayout->addWidget(valueText_[c]);
    valuesLayout->addSpacing(8);
  }
  valuesLayout->addStretch();
  layout->addWidget(values);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::FtpPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::Ftp));
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  hostAddress_ = Edit(page, "HostAddress", f.HostAddress);
  userName_ = Edit(page, "UserName", f.UserName);
  password_ = Edit(page, "Password", f.Password);
  password_->setEchoMode(QLineEdit::Password);
  directory_ = Edit(page, "Directory", f.Directory);
  baseName_ = Edit(page, "BaseName", f.BaseName);
  form->addRow("Host Address", hostAddress_);
  form->addRow("User Name", userName_);
  form->addRow("Password", password_);
  form->addRow("Directory", directory_);
  form->addRow("Base File Name", baseName_);
  layout->addLayout(form);
  paths_ = Check(page, "Paths", "Always use '/' in paths", f.Paths);
  layout->addWidget(paths_);
  auto* secure = new QFormLayout;
  protocol_ = new QComboBox(page);
  protocol_->setObjectName("Protocol");
  protocol_->addItems({"FTP", "FTPS (explicit TLS)", "SFTP"});
  protocol_->setCurrentIndex(f.Protocol >= 0 && f.Protocol <= 2 ? f.Protocol : 0);
  caFile_ = Edit(page, "CaFile", f.CaFile);
  caFile_->setPlaceholderText("the system's certificates");
  knownHostsFile_ = Edit(page, "KnownHostsFile", f.KnownHostsFile);
  knownHostsFile_->setPlaceholderText("~/.ssh/known_hosts");
  secure->addRow("Protocol", protocol_);
  secure->addRow("Certificate File (FTPS)", caFile_);
  secure->addRow("Known Hosts File (SFTP)", knownHostsFile_);
  layout->addLayout(secure);
  postAfterEveryGame_ =
      Check(page, "PostAfterEveryGame", "Post after every game", f.PostAfterEveryGame);
  layout->addWidget(postAfterEveryGame_);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::ReportsPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::Reports));
  auto* layout = new QVBoxLayout(page);
  auto* grid = new QGridLayout;
  const char* const names[8] = {"TeamStandings", "IndividualStandings", "Scoreboard",
                                "TeamDetail",    "IndividualDetail",    "RoundReports",
                                "StatKey",       "StyleSheet"};
  const char* const captions[8] = {"Include Team Standings",    "Include Individual Standings",
                                   "Include Scoreboard",        "Include Team Detail",
                                   "Include Individual Detail", "Include Round Reports",
                                   "Include Stat Key",          "Use Style Sheet"};
  const bool checked[8] = {f.TeamStandings,    f.IndividualStandings, f.Scoreboard, f.TeamDetail,
                           f.IndividualDetail, f.RoundReports,        f.StatKey,    f.StyleSheet};
  const std::string* files[8] = {&f.Edit1, &f.Edit2, &f.Edit3, &f.Edit4,
                                 &f.Edit5, &f.Edit6, &f.Edit7, &f.Edit8};
  for (int i = 0; i < 8; ++i) {
    include_[i] = Check(page, names[i], captions[i], checked[i]);
    const QByteArray editName = QString("Edit%1").arg(i + 1).toLatin1();
    file_[i] = Edit(page, editName.constData(), *files[i]);
    grid->addWidget(include_[i], i, 0);
    grid->addWidget(file_[i], i, 1);
  }
  // The style-sheet name is stored in the tournament file; say why other files are refused.
  auto* styleNote = new QLabel(
      "Only a file whose name ends in .css is copied and posted, so that a tournament file "
      "from someone else cannot publish any other file of yours.",
      page);
  styleNote->setObjectName("StyleSheetNote");
  styleNote->setWordWrap(true);
  grid->addWidget(styleNote, 8, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  britishStyle_ = Check(page, "BritishStyle", "British-Style Reports", f.BritishStyle);
  layout->addWidget(britishStyle_);
  auto* style = new QHBoxLayout;
  style->addWidget(new QLabel("Report style:", page));
  reportClassic_ = Radio(page, "ReportClassic", "Classic", !f.ModernReport);
  reportModern_ = Radio(page, "ReportModern", "Modern", f.ModernReport);
  auto* styleButtons = new QButtonGroup(page);
  styleButtons->addButton(reportClassic_);
  styleButtons->addButton(reportModern_);
  style->addWidget(reportClassic_);
  style->addWidget(reportModern_);
  style->addStretch();
  layout->addLayout(style);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::SortingPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::Sorting));
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox("Sort Criteria for Team Standings", page);
  auto* groupLayout = new QVBoxLayout(group);
  const char* const names[5] = {"RP", "RHP", "RS", "RT", "RHT"};
  const char* const captions[5] = {"Record, PPG", "Record, Head-to-Head, PPG", "Record, SS",
                                   "Record, PPTH", "Record, Head-to-Head, PPTH"};
  // An exclusive group may start with no button chosen: a criterion outside 1..5 (possible
  // from a file) shows none.
  auto* buttons = new QButtonGroup(group);
  for (int i = 0; i < 5; ++i) {
    sort_[i] = Radio(group, names[i], captions[i], f.SortButton == i + 1);
    buttons->addButton(sort_[i]);
    groupLayout->addWidget(sort_[i]);
  }
  layout->addWidget(group);
  tuhSort_ = Check(page, "TUHSort", "Sort Players by Pts/TUH", f.TUHSort);
  layout->addWidget(tuhSort_);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::WarningsPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::Warnings));
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox("Warn On", page);
  auto* groupLayout = new QVBoxLayout(group);
  const char* const captions[7] = {"Repeated Team",
                                   "Repeated Player",
                                   "Individual and Bonus Scores Do Not Equal Total",
                                   "Individual Games Played Exceed Four",
                                   "Points Per Bonus Not Between 0 and 30",
                                   "Bonus Points Earned Without Being Heard",
                                   "Toss-Ups Heard < 0"};
  for (int i = 0; i < 7; ++i) {
    const QByteArray name = QString("Warning%1").arg(i + 1).toLatin1();
    warning_[i] = Check(group, name.constData(), captions[i], f.Warning[i]);
    groupLayout->addWidget(warning_[i]);
  }
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::SchedulingPage(const app::SettingsForm& f) {
  QWidget* page = Page(pages_, app::SettingsForm::PageCaption(app::SettingsForm::Scheduling));
  auto* layout = new QGridLayout(page);

  auto* swiss = new QGroupBox("Swiss Pairs", page);
  auto* swissLayout = new QVBoxLayout(swiss);
  repeatBox_ = Check(swiss, "RepeatBox", "Repeat Avoidance", f.RepeatBox);
  swissLayout->addWidget(repeatBox_);
  auto* rank = new QGroupBox("Rank Within Group By", swiss);
  auto* rankLayout = new QVBoxLayout(rank);
  swissTuh_ = Radio(rank, "SwissTUH", "Pts Per TUH", f.SwissTUH);
  swissPpg_ = Radio(rank, "SwissPPG", "Pts Per Game", !f.SwissTUH);
  rankLayout->addWidget(swissTuh_);
  rankLayout->addWidget(swissPpg_);
  swissLayout->addWidget(rank);
  swissLayout->addStretch();
  layout->addWidget(swiss, 0, 0, 2, 1);

  auto rooms = [&](const char* title, const char* noLimitName, const char* limitName,
                   const char* roomsName, bool noLimit, const std::string& roomCount,
                   QRadioButton*& noLimitButton, QRadioButton*& limitButton,
                   QLineEdit*& roomsEdit) {
    auto* box = new QGroupBox(title, page);
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QGroupBox("Number of Rooms", box);
    auto* grid = new QGridLayout(group);
    noLimitButton = Radio(group, noLimitName, "As Many As Needed", noLimit);
    limitButton = Radio(group, limitName, "Limit", !noLimit);
    roomsEdit = Edit(group, roomsName, roomCount, 56);
    grid->addWidget(noLimitButton, 0, 0);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(limitButton);
    limitRow->addWidget(roomsEdit);
    limitRow->addStretch();
    grid->addLayout(limitRow, 1, 0);
    boxLayout->addWidget(group);
    return std::pair{box, boxLayout};
  };
  auto [rr, rrLayout] = rooms("Round Robin", "RRNoLimit", "RRLimit", "RRRooms", f.RRNoLimit,
                              f.RRRooms, rrNoLimit_, rrLimit_, rrRooms_);
  (void)rrLayout;
  layout->addWidget(rr, 0, 1);
  auto [random, randomLayout] =
      rooms("Random", "RandomNoLimit", "RandomLimit", "RandomRooms", f.RandomNoLimit, f.RandomRooms,
            randomNoLimit_, randomLimit_, randomRooms_);
  auto* roundsRow = new QHBoxLayout;
  roundsRow->addWidget(new QLabel("Number of Rounds", random));
  randomRounds_ = Edit(random, "RandomRounds", f.RandomRounds, 56);
  roundsRow->addWidget(randomRounds_);
  roundsRow->addStretch();
  randomLayout->addLayout(roundsRow);
  layout->addWidget(random, 1, 1);
  layout->setRowStretch(2, 1);
  return page;
}

app::SettingsForm SettingsDialog::Form() const {
  app::SettingsForm f;
  f.ActivePage = pages_->currentIndex();
  f.TourneyName = FromQt(tourneyName_->text());
  f.Divisions = divisions_->isChecked();
  f.AllRounds = allRounds_->isChecked();
  f.RoundsMin = FromQt(roundsMin_->text());
  f.RoundsMax = FromQt(roundsMax_->text());
  f.AutoSave = autoSave_->isChecked();
  f.AutoSaveMin = FromQt(autoSaveMin_->text());
  for (int c = 0; c < kColumns; ++c) {
    f.ValueChecked[c] = valueChecked_[c]->isChecked();
    f.ValueText[c] = FromQt(valueText_[c]->text());
  }
  f.HostAddress = FromQt(hostAddress_->text());
  f.UserName = FromQt(userName_->text());
  f.Password = FromQt(password_->text());
  f.Directory = FromQt(directory_->text());
  f.BaseName = FromQt(baseName_->text());
  f.Paths = paths_->isChecked();
  f.Protocol = protocol_->currentIndex();
  f.CaFile = FromQt(caFile_->text());
  f.KnownHostsFile = FromQt(knownHostsFile_->text());
  f.PostAfterEveryGame = postAfterEveryGame_->isChecked();
  bool* includes[8] = {&f.TeamStandings,    &f.IndividualStandings, &f.Scoreboard, &f.TeamDetail,
                       &f.IndividualDetail, &f.RoundReports,        &f.StatKey,    &f.StyleSheet};
  std::string* files[8] = {&f.Edit1, &f.Edit2, &f.Edit3, &f.Edit4,
                           &f.Edit5, &f.Edit6, &f.Edit7, &f.Edit8};
  for (int i = 0; i < 8; ++i) {
    *includes[i] = include_[i]->isChecked();
    *files[i] = FromQt(file_[i]->text());
  }
  f.BritishStyle = britishStyle_->isChecked();
  f.ModernReport = reportModern_->isChecked();
  f.SortButton = 0;
  for (int i = 0; i < 5; ++i)
    if (sort_[i]->isChecked()) f.SortButton = i + 1;
  f.TUHSort = tuhSort_->isChecked();
  for (int i = 0; i < 7; ++i) f.Warning[i] = warning_[i]->isChecked();
  f.RepeatBox = repeatBox_->isChecked();
  f.SwissTUH = swissTuh_->isChecked();
  f.RRNoLimit = rrNoLimit_->isChecked();
  f.RRRooms = FromQt(rrRooms_->text());
  f.RandomNoLimit = randomNoLimit_->isChecked();
  f.RandomRooms = FromQt(randomRooms_->text());
  f.RandomRounds = FromQt(randomRounds_->text());
  return f;
}

}  // namespace drav::gui
