#include "gui/history_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QVBoxLayout>

#include "gui/text_codec.h"

namespace drav::gui {

HistoryWindow::HistoryWindow(const app::History& history, std::function<void(std::size_t)> goTo,
                             QWidget* parent)
    : QDialog(parent), history_(history), goTo_(std::move(goTo)) {
  setObjectName("History");
  setWindowTitle("History");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::NonModal);
  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel("Double-click a step to undo or redo up to it.", this);
  layout->addWidget(hint);
  list_ = new QListWidget(this);
  list_->setObjectName("HistoryList");
  hint->setBuddy(list_);
  layout->addWidget(list_);
  // Double-click and Enter both land here; going to the step shown already does nothing.
  const auto go = [this](const QModelIndex& index) {
    if (index.isValid() && goTo_) goTo_(static_cast<std::size_t>(index.row()));
  };
  connect(list_, &QListWidget::activated, this, go);
  connect(list_, &QListWidget::doubleClicked, this, go);
  resize(420, 360);
  Reload();
}

void HistoryWindow::Reload() {
  const int rows = static_cast<int>(history_.StepCount()) + 1;
  // The items are changed in place: this runs while the list's own signal is handled.
  while (list_->count() > rows) delete list_->item(list_->count() - 1);
  while (list_->count() < rows) list_->addItem(QString());
  const int current = static_cast<int>(history_.CurrentStep());
  for (int row = 0; row < rows; ++row) {
    QListWidgetItem* item = list_->item(row);
    if (row == 0) {
      item->setText("Before the first step");
    } else {
      const app::HistoryStep step = history_.Step(static_cast<std::size_t>(row - 1));
      item->setText(ToQt(step.Time + "  " + step.Name));
    }
    QFont font = item->font();
    font.setItalic(row > current);
    font.setBold(row == current);
    item->setFont(font);
    item->setForeground(
        palette().brush(row > current ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    item->setToolTip(row > current ? "Undone: double-click to redo up to here" : QString());
  }
  list_->setCurrentRow(current);
}

}  // namespace drav::gui
