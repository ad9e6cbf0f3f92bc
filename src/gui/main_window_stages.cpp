// The main window's hooks for tournaments in stages: Settings > Stages... and the stage
// reports of the Reports menu.
#include <QAction>
#include <QMenu>

#include "app/stage_commands.h"
#include "gui/dialog_seams.h"
#include "gui/main_window.h"
#include "gui/stages_window.h"
#include "gui/text_codec.h"
#include "model/error.h"

namespace drav::gui {

void MainWindow::Stages1Click() {
  auto* window = new StagesWindow(
      tournament_, [this](int stage) { app::QuickPrintStage(tournament_, stage, *this); },
      commands_.Hooks(), this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Modal to the program: deleting or sorting teams meanwhile would shift the brackets.
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
}

void MainWindow::AddStageReports(QMenu* reports) {
  // One entry per stage, listed afresh each time the menu opens.
  auto addStageMenu = [this, reports](const char* name, const char* text, bool individuals) {
    QMenu* menu = reports->addMenu(text);
    menu->setObjectName(name);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, individuals] {
      menu->clear();
      const auto& stages = tournament_.Extras.Stages;
      for (std::size_t i = 0; i < stages.size(); ++i) {
        QAction* a = menu->addAction(ToQt(stages[i].Name));
        a->setObjectName(QString("%1_%2").arg(menu->objectName()).arg(i));
        const int stage = static_cast<int>(i);
        connect(a, &QAction::triggered, this, [this, stage, individuals] {
          try {
            if (individuals)
              app::QuickPrintStageIndividuals(tournament_, stage, *this);
            else
              app::QuickPrintStage(tournament_, stage, *this);
          } catch (const DravError& e) {
            DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
          }
        });
      }
      if (stages.empty()) menu->addAction("(no stages)")->setEnabled(false);
    });
  };
  addStageMenu("QuickPrintStage1", "QuickPrint Stage &Standings", false);
  addStageMenu("QuickPrintStageIndividuals1", "QuickPrint Stage In&dividuals", true);
  auto* final = new QAction("QuickPrint &Final Ranking", this);
  final->setObjectName("QuickPrintFinal1");
  connect(final, &QAction::triggered, this, [this] {
    try {
      app::QuickPrintFinalRanking(tournament_, *this);
    } catch (const DravError& e) {
      DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
    }
  });
  reports->addAction(final);
}

}  // namespace drav::gui
