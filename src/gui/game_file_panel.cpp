#include "gui/game_file_panel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/game_file_import.h"
#include "gui/text_codec.h"

namespace drav::gui {

namespace {

// Often enough that a file shows up soon after its second of quiet.
constexpr int kTickMs = 300;

}  // namespace

GameFilePanel::GameFilePanel(Tournament& t, const QString& folder, entry::StepHooks steps,
                             std::function<void()> onImported, QWidget* parent)
    : QDockWidget("Game Files: " + folder, parent),
      t_(t),
      steps_(std::move(steps)),
      onImported_(std::move(onImported)),
      watch_(std::make_unique<app::GameFileWatch>(FromQt(folder))) {
  setObjectName("GameFilePanel");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  table_ = new QTableWidget(0, 3, body);
  table_->setObjectName("GameFileList");
  table_->setHorizontalHeaderLabels({"File", "State", "Detail"});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  layout->addWidget(table_);
  note_ = new QLabel(body);
  note_->setObjectName("PanelNote");
  note_->setWordWrap(true);
  note_->hide();
  layout->addWidget(note_);
  auto* buttons = new QHBoxLayout;
  settle_ = new QPushButton("Settle Team...", body);
  settle_->setObjectName("SettleTeam");
  replace_ = new QPushButton("Replace Game", body);
  replace_->setObjectName("ReplaceChanged");
  replace_->setToolTip("Put the file's new version in the place of the game it brought");
  keep_ = new QPushButton("Keep Old Game", body);
  keep_->setObjectName("KeepChanged");
  stop_ = new QPushButton("Stop Watching", body);
  stop_->setObjectName("StopWatching");
  buttons->addWidget(settle_);
  buttons->addWidget(replace_);
  buttons->addWidget(keep_);
  buttons->addStretch();
  buttons->addWidget(stop_);
  layout->addLayout(buttons);
  setWidget(body);
  connect(settle_, &QPushButton::clicked, this, &GameFilePanel::SettleSelected);
  connect(replace_, &QPushButton::clicked, this,
          [this] { ResolveSelected(QbjImportOptions::Changed::Replace); });
  connect(keep_, &QPushButton::clicked, this,
          [this] { ResolveSelected(QbjImportOptions::Changed::Keep); });
  connect(stop_, &QPushButton::clicked, this, &GameFilePanel::StopWatching);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &GameFilePanel::UpdateButtons);

  timer_ = new QTimer(this);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &GameFilePanel::Tick);
  timer_->start();
  UpdateButtons();
}

GameFilePanel::~GameFilePanel() {
  timer_->stop();
  if (worker_.joinable()) worker_.join();
}

bool GameFilePanel::Watching() const {
  return timer_->isActive();
}

void GameFilePanel::StopWatching() {
  timer_->stop();
  stop_->setEnabled(false);
  setWindowTitle(windowTitle() + " (stopped)");
}

void GameFilePanel::closeEvent(QCloseEvent* event) {
  if (Watching()) StopWatching();
  event->accept();
}

void GameFilePanel::RunWorker(std::function<void()> work) {
  if (worker_.joinable()) worker_.join();
  busy_ = true;
  worker_ = std::thread(std::move(work));
}

void GameFilePanel::Tick() {
  if (busy_) return;
  RunWorker([this] {
    std::vector<app::ReadyGameFile> ready;
    std::string error;
    try {
      ready = watch_->Poll(app::GameFileWatch::Clock::now());
    } catch (const std::exception& e) {
      error = e.what();
    }
    QMetaObject::invokeMethod(
        this,
        [this, ready = std::move(ready), error] {
          worker_.join();
          busy_ = false;
          if (!error.empty()) setWindowTitle(ToQt(error));
          std::vector<Job> jobs = std::move(settles_);
          settles_.clear();
          QbjImportOptions options;
          options.AddUnknownTeams = false;
          for (const app::ReadyGameFile& file : ready) jobs.push_back({file, options});
          if (!jobs.empty()) StartTaking(std::move(jobs));
        },
        Qt::QueuedConnection);
  });
}

void GameFilePanel::StartTaking(std::vector<Job> jobs) {
  auto before = std::make_shared<Tournament>(t_);
  auto work = std::make_shared<Tournament>(t_);
  app::SetUpForImport(*work);
  RunWorker([this, jobs = std::move(jobs), before, work]() mutable {
    std::vector<app::GameFileResult> results;
    for (const Job& job : jobs) {
      try {
        results.push_back(watch_->Take(*work, job.file, job.options));
      } catch (const std::exception& e) {
        app::GameFileResult failed;
        failed.File = job.file.Name;
        failed.Detail = e.what();
        results.push_back(failed);
      }
    }
    QMetaObject::invokeMethod(
        this,
        [this, jobs = std::move(jobs), results = std::move(results), before, work]() mutable {
          Finish(std::move(jobs), std::move(results), before, work);
        },
        Qt::QueuedConnection);
  });
}

void GameFilePanel::Finish(std::vector<Job> jobs, std::vector<app::GameFileResult> results,
                           std::shared_ptr<Tournament> before, std::shared_ptr<Tournament> work) {
  worker_.join();
  busy_ = false;
  if (!app::SameContents(*before, t_)) {
    // A game was stored meanwhile: the copy is stale, so every file is taken again.
    for (Job& job : jobs) {
      if (job.options.TeamChoices.empty() &&
          job.options.ChangedMatches == QbjImportOptions::Changed::Report)
        watch_->Forget(job.file.Name);
      else
        settles_.push_back(std::move(job));
    }
    return;
  }
  int imported = 0;
  for (std::size_t i = 0; i < jobs.size() && i < results.size(); ++i) {
    if (results[i].State == app::GameFileState::Imported) ++imported;
    Show(jobs[i], results[i]);
  }
  if (imported > 0) {
    steps_.Before();
    app::AdoptImport(t_, std::move(*work));
    steps_.After(app::ImportStepName(imported));
    if (onImported_) onImported_();
  }
  UpdateButtons();
}

void GameFilePanel::Show(const Job& job, const app::GameFileResult& result) {
  int index = 0;
  while (index < static_cast<int>(rows_.size()) && rows_[index].file.Name != job.file.Name) ++index;
  if (index == static_cast<int>(rows_.size())) {
    rows_.push_back({});
    table_->insertRow(index);
    for (int column = 0; column < 3; ++column) table_->setItem(index, column, new QTableWidgetItem);
  }
  rows_[index] = {job.file, result, job.options};
  table_->item(index, 0)->setText(ToQt(result.File));
  table_->item(index, 1)->setText(app::GameFileStateText(result.State));
  QString detail = ToQt(result.Detail);
  table_->item(index, 2)->setText(detail.section('\n', 0, 0));
  table_->item(index, 2)->setToolTip(detail);
  // The newest file in view, and its name and state readable whole.
  table_->resizeColumnToContents(0);
  table_->resizeColumnToContents(1);
  table_->scrollToItem(table_->item(index, 0));
}

void GameFilePanel::Note(const QString& text) {
  note_->setText(text);
  note_->show();
}

void GameFilePanel::UpdateButtons() {
  const int row = table_->currentRow();
  const bool open = row >= 0 && row < static_cast<int>(rows_.size()) && !rows_[row].settling;
  const auto state = open ? rows_[row].result.State : app::GameFileState::Imported;
  settle_->setEnabled(open && state == app::GameFileState::Waiting);
  replace_->setEnabled(open && state == app::GameFileState::Changed);
  keep_->setEnabled(open && state == app::GameFileState::Changed);
}

void GameFilePanel::ResolveSelected(QbjImportOptions::Changed choice) {
  const int row = table_->currentRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  Row& r = rows_[row];
  if (r.result.State != app::GameFileState::Changed || r.settling) return;
  r.options.ChangedMatches = choice;
  settles_.push_back({r.file, r.options});
  r.settling = true;
  table_->item(row, 1)->setText(choice == QbjImportOptions::Changed::Replace ? "replacing"
                                                                             : "keeping");
  UpdateButtons();
}

void GameFilePanel::SettleSelected() {
  const int row = table_->currentRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  Row& r = rows_[row];
  if (r.result.State != app::GameFileState::Waiting || r.settling) return;
  const auto team = AskTeamChoice(this, t_, r.file.Name, r.result.Team);
  if (!team) return;
  r.options.AddUnknownTeams = false;
  r.options.TeamChoices.emplace_back(r.result.Team, *team);
  settles_.push_back({r.file, r.options});
  r.settling = true;
  table_->item(row, 1)->setText("settling");
  UpdateButtons();
}

}  // namespace drav::gui
