#pragma once

#include <QWidget>
#include <functional>

#include "model/tournament.h"

class QLabel;
class QListWidget;

namespace drav::gui {

// Check All Games: every stored game that raises a warning, one line each with its
// round, teams and message. Double-clicking a line (or Enter on it) opens that game.
class GameWarningsWindow : public QWidget {
  Q_OBJECT
 public:
  GameWarningsWindow(const Tournament& t, std::function<void(int game)> openGame,
                     QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  // Lists the warnings of the games as they are stored now.
  void Recheck();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OpenRow(int row);

  const Tournament& t_;
  std::function<void(int)> openGame_;
  QLabel* summary_ = nullptr;
  QListWidget* list_ = nullptr;
  bool activationHooked_ = false;
};

}  // namespace drav::gui
