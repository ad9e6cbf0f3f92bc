#pragma once

#include <QDialog>
#include <functional>

#include "app/stages_form.h"
#include "entry/controls.h"
#include "model/tournament.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;

namespace drav::gui {

// Settings > Stages...: the tournament's stages, their rounds, carry-over, kind and brackets,
// filled by hand or from the standings of an earlier stage, with the ties at a rule's
// border left for the director to settle; the final places set by hand and the finished
// mark. OK writes them to the tournament, as one step of the history ("Re-bracket
// Playoffs" or "Stages").
class StagesWindow : public QDialog {
  Q_OBJECT
 public:
  // printStage shows a stage's QuickPrint team standings (after the stages are written).
  StagesWindow(Tournament& t, std::function<void(int stage)> printStage,
               entry::StepHooks steps = {}, QWidget* parent = nullptr);

  const app::StagesForm& Form() const { return form_; }

 private:
  void Build();
  void Refresh();
  int Current() const;
  // Runs an edit of the form, showing its DravError as a message; then refreshes.
  void Run(const std::function<void()>& edit);
  bool Apply();

  Tournament& t_;
  app::StagesForm form_;
  std::function<void(int)> printStage_;
  entry::StepHooks steps_;
  int current_ = -1;

  QListWidget* stageList_ = nullptr;
  QLineEdit* stageName_ = nullptr;
  QSpinBox* firstRound_ = nullptr;
  QSpinBox* lastRound_ = nullptr;
  QCheckBox* carryOver_ = nullptr;
  QComboBox* kind_ = nullptr;
  QPlainTextEdit* brackets_ = nullptr;
  QComboBox* fromStage_ = nullptr;
  QPlainTextEdit* rules_ = nullptr;
  QListWidget* tieList_ = nullptr;
  QListWidget* tieTeams_ = nullptr;
  QCheckBox* tiebreakersCount_ = nullptr;
  QPlainTextEdit* places_ = nullptr;
  QCheckBox* finished_ = nullptr;
};

}  // namespace drav::gui
