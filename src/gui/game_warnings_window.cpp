#include "gui/game_warnings_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/check_all_games.h"
#include "gui/game_entry_window.h"
#include "gui/text_codec.h"

namespace drav::gui {

GameWarningsWindow::GameWarningsWindow(const Tournament& t, std::function<void(int)> openGame,
                                       QWidget* parent)
    : QWidget(parent), t_(t), openGame_(std::move(openGame)) {
  setObjectName("CheckAllGames");
  setWindowTitle("Check All Games");
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  summary_ = new QLabel(this);
  summary_->setObjectName("Summary");
  auto* recheck = new QPushButton("Check Again", this);
  recheck->setObjectName("CheckAgain");
  bar->addWidget(summary_, 1);
  bar->addWidget(recheck);
  layout->addLayout(bar);
  list_ = new QListWidget(this);
  list_->setObjectName("WarningList");
  list_->setAlternatingRowColors(true);
  layout->addWidget(list_);
  auto* hint = new QLabel("Double-click a line to open its game in Game Entry.", this);
  hint->setObjectName("Hint");
  layout->addWidget(hint);
  connect(recheck, &QPushButton::clicked, this, &GameWarningsWindow::Recheck);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenRow(list_->row(item)); });
  Recheck();
  resize(640, 360);
}

void GameWarningsWindow::Recheck() {
  list_->clear();
  const std::vector<entry::GameWarning> warnings = entry::CheckAllGames(t_);
  int games = 0;
  int lastGame = -1;
  for (const entry::GameWarning& w : warnings) {
    auto* item = new QListWidgetItem(ToQt(entry::WarningLine(w)), list_);
    item->setData(Qt::UserRole, w.game);
    item->setToolTip("Game " + ToQt(w.gid));
    if (w.game != lastGame) ++games;
    lastGame = w.game;
  }
  if (warnings.empty())
    summary_->setText("No stored game raises a warning.");
  else
    summary_->setText(QString("%1 warning%2 in %3 game%4")
                          .arg(warnings.size())
                          .arg(warnings.size() == 1 ? "" : "s")
                          .arg(games)
                          .arg(games == 1 ? "" : "s"));
}

void GameWarningsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (activationHooked_) return;
  activationHooked_ = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr;
  // Games may have been mended, added or deleted meanwhile: coming back lists them afresh,
  // so a line never opens a game that moved.
  HookMdiActivation(this, [this] { Recheck(); });
}

void GameWarningsWindow::OpenRow(int row) {
  QListWidgetItem* item = list_->item(row);
  if (!item || !openGame_) return;
  openGame_(item->data(Qt::UserRole).toInt());
}

}  // namespace drav::gui
