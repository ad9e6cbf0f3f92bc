#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "entry/controls.h"
#include "entry/game_entry.h"
#include "model/tournament.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;

namespace drav::gui {

// Runs onActivate whenever window, a child of the main window's area, becomes the active
// child (the entry windows' FormActivate), and onDeactivate when another child takes its
// place. Call once the window sits in its sub-window.
void HookMdiActivation(QWidget* window, const std::function<void()>& onActivate,
                       const std::function<void()>& onDeactivate = {});

// TGameEntry: the widgets of the game entry window over the toolkit-free form model.
// Every user action goes to the model first; the widgets are then refreshed from the
// model's controls with their signals blocked, so nothing is computed here.
class GameEntryWindow : public QWidget, public entry::EntryHost {
  Q_OBJECT
 public:
  explicit GameEntryWindow(Tournament& t, QWidget* parent = nullptr);

  entry::GameEntryForm& Form() { return form_; }
  // The widget bound to the model's control of this name ("Q0A1", "TeamBName", "Next").
  QWidget* Widget(const QString& name) const;

  // EntryHost
  bool ConfirmAreYouSure() override;
  bool ConfirmDelete(const std::string& what) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;

  // The window became the active child.
  void FormActivate();
  // Mirrors every control of the model onto its widget.
  void Refresh();
  // Shows the stored game at position (Check All Games), storing the shown one first.
  void GoToGame(int position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Binding {
    entry::Control* control;
    QWidget* widget;
  };

  void BuildWidgets();
  void Bind(entry::Control& control, QWidget* widget);
  QLineEdit* MakeEdit(entry::Edit& edit, int width, bool inTabOrder = true);
  QComboBox* MakeCombo(entry::ComboBox& combo, bool teamList);
  void SetTabOrder();
  // Runs a navigation button's operation, then shows its warnings one by one. The
  // widgets keep showing the stored game until the last warning box is closed.
  void Navigate(std::vector<std::string> (entry::GameEntryForm::*click)());

  entry::GameEntryForm form_;
  std::vector<Binding> bindings_;
  QLabel* position_ = nullptr;
  bool activationHooked_ = false;
};

}  // namespace drav::gui
