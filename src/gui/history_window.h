#pragma once

#include <QDialog>
#include <functional>

#include "app/history.h"

class QListWidget;

namespace drav::gui {

// Edit > History...: the steps of the tournament's history with the time of each, the
// undone ones greyed. Double-clicking a step (or Enter on it) undoes or redoes up to it;
// the first line stands for the state before every kept step.
class HistoryWindow : public QDialog {
  Q_OBJECT
 public:
  // goTo(step) moves to the state after step (0 = the first line).
  HistoryWindow(const app::History& history, std::function<void(std::size_t step)> goTo,
                QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  // Shows the history as it is now.
  void Reload();

 private:
  const app::History& history_;
  std::function<void(std::size_t)> goTo_;
  QListWidget* list_ = nullptr;
};

}  // namespace drav::gui
