#pragma once

#include <QDockWidget>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/game_file_watch.h"
#include "entry/controls.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace drav::gui {

// The dockable panel of File > Watch Folder for Game Files...: every match file of the
// folder with what became of it. Looking at the folder and importing run on a worker
// thread, on a copy of the tournament; the copy is kept only when the tournament did not
// change meanwhile (otherwise the files are simply taken again). Nothing here opens a box
// by itself; Settle... asks about a waiting file's team when the director clicks it, and a
// file changed after import waits for Replace Game or Keep Old Game. The files imported
// together are one step of the history ("Import 6 Match Files").
class GameFilePanel : public QDockWidget {
  Q_OBJECT
 public:
  // onImported runs after games came in (the entry windows are refreshed there).
  GameFilePanel(Tournament& t, const QString& folder, entry::StepHooks steps,
                std::function<void()> onImported, QWidget* parent = nullptr);
  ~GameFilePanel() override;

  app::GameFileWatch& Watch() { return *watch_; }
  QTableWidget* Table() const { return table_; }
  QPushButton* SettleButton() const { return settle_; }
  QPushButton* ReplaceButton() const { return replace_; }
  QPushButton* KeepButton() const { return keep_; }
  bool Watching() const;
  // Stops looking at the folder; what was imported stays.
  void StopWatching();
  // A line under the list, e.g. why the watch stopped.
  void Note(const QString& text);
  QLabel* NoteLabel() const { return note_; }
  // Settle...: asks about the selected waiting file's team and takes the file again.
  void SettleSelected();
  // The selected changed file: its new versions take their games' places, or the games
  // imported before stay. Taken on the next tick.
  void ResolveSelected(QbjImportOptions::Changed choice);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Row {
    app::ReadyGameFile file;
    app::GameFileResult result;
    QbjImportOptions options;
    bool settling = false;  // settled or resolved by the director, taken on the next tick
  };
  struct Job {
    app::ReadyGameFile file;
    QbjImportOptions options;
  };

  void Tick();
  void StartTaking(std::vector<Job> jobs);
  void Finish(std::vector<Job> jobs, std::vector<app::GameFileResult> results,
              std::shared_ptr<Tournament> before, std::shared_ptr<Tournament> work);
  void Show(const Job& job, const app::GameFileResult& result);
  void UpdateButtons();
  void RunWorker(std::function<void()> work);

  Tournament& t_;
  entry::StepHooks steps_;
  std::function<void()> onImported_;
  std::unique_ptr<app::GameFileWatch> watch_;
  std::vector<Row> rows_;
  std::vector<Job> settles_;  // files the director settled or resolved, taken on the next tick
  QTableWidget* table_ = nullptr;
  QPushButton* settle_ = nullptr;
  QPushButton* replace_ = nullptr;
  QPushButton* keep_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* stop_ = nullptr;
  QTimer* timer_ = nullptr;
  std::thread worker_;
  bool busy_ = false;
};

}  // namespace drav::gui
