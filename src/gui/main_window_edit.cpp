// The main window's Edit menu: Undo, Redo and the History window, over the commands'
// history of the tournament.
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "gui/dialog_seams.h"
#include "gui/history_window.h"
#include "gui/list_windows.h"
#include "gui/main_window.h"
#include "gui/text_codec.h"
#include "gui/text_undo_guard.h"

namespace drav::gui {

namespace {

// A step's name in a menu item: an ampersand in a team's name is no mnemonic.
QString MenuText(const char* verb, const std::string& name) {
  QString text = ToQt(name);
  text.replace('&', "&&");
  return text.isEmpty() ? QString(verb) : QString(verb) + ' ' + text;
}

}  // namespace

QAction* MainWindow::AddEditAction(QMenu* menu, const char* name, const char* text,
                                   const QList<QKeySequence>& keys, std::function<void()> command) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, [this, command] {
    try {
      command();
    } catch (const std::exception& e) {
      DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
    }
  });
  menu->addAction(action);
  return action;
}

void MainWindow::AddEditMenu() {
  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("Edit1");
  undo_ = AddEditAction(edit, "Undo1", "&Undo", {QKeySequence("Ctrl+Z")},
                        [this] { commands_.Undo1Click(); });
  redo_ =
      AddEditAction(edit, "Redo1", "&Redo", {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")},
                    [this] { commands_.Redo1Click(); });
  edit->addSeparator();
  AddEditAction(edit, "History1", "&History...", {}, [this] { History1Click(); });
  connect(edit, &QMenu::aboutToShow, this, &MainWindow::UpdateEditActions);
  new TextUndoGuard(this, undo_, redo_, [this] { UpdateEditActions(); });
}

void MainWindow::UpdateEditActions() {
  if (!undo_ || !redo_) return;
  const app::History& history = commands_.Steps();
  // What is typed but not stored is undone as a step of its own; a redo would drop it.
  const bool typed = !commands_.WhatWouldBeLost(false).empty();
  undo_->setEnabled(typed || history.CanUndo());
  undo_->setText(typed ? QString("&Undo Typing") : MenuText("&Undo", history.UndoName()));
  redo_->setEnabled(!typed && history.CanRedo());
  redo_->setText(MenuText("&Redo", typed ? std::string() : history.RedoName()));
}

void MainWindow::HistoryChanged() {
  UpdateEditActions();
  if (historyWindow_) historyWindow_->Reload();
  // The caption's "*" and the status bar's word follow the history, so undoing back to the
  // saved state clears them.
  const bool unsaved = commands_.HasUnsavedData();
  setWindowModified(unsaved);
  if (!unsavedMarker_) {
    unsavedMarker_ = new QLabel("Unsaved changes", this);
    unsavedMarker_->setObjectName("UnsavedMarker");
    statusBar()->addPermanentWidget(unsavedMarker_);
  }
  unsavedMarker_->setVisible(unsaved);
}

void MainWindow::ReloadEntryWindows() {
  RefreshEntryWindows();
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (auto* divisions = qobject_cast<DivisionsWindow*>(sub->widget())) divisions->Reload();
}

void MainWindow::History1Click() {
  if (!historyWindow_)
    historyWindow_ = new HistoryWindow(
        commands_.Steps(),
        [this](std::size_t step) {
          try {
            commands_.GoToStep(step);
          } catch (const std::exception& e) {
            DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
          }
        },
        this);
  historyWindow_->Reload();
  historyWindow_->show();
  historyWindow_->raise();
  historyWindow_->activateWindow();
}

}  // namespace drav::gui
