#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/main_commands.h"
#include "app/main_host.h"
#include "model/tournament.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;
class QTimer;

namespace drav::gui {

class HelpWindow;
class HistoryWindow;

// TMainForm: the multiple-document frame whose children are the entry windows, the
// divisions window and the QuickPrint windows. Menu items call the toolkit-free commands;
// this class only answers their questions and shows their windows.
class MainWindow : public QMainWindow, public app::MainHost {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  app::MainCommands& Commands() { return commands_; }
  Tournament& Data() { return tournament_; }
  QMdiArea* Mdi() const { return mdi_; }
  QTimer* AutosaveTimerObject() const { return timer1_; }
  QPrinter* Printer() const { return printer_.get(); }
  // The menu item or tool button command of this handler name ("Open1", "FileNewBtn"...).
  QAction* Action(const QString& name) const;

  // drav FILE: opens FILE as Open Tournament does.
  bool OpenAtStart(const QString& path);

  // MainHost
  std::optional<std::string> AskOpenFileName() override;
  std::optional<std::string> AskSaveFileName() override;
  std::optional<std::string> AskReportBasePath() override;
  app::SaveAnswer AskSaveChanges(const std::string& whatWouldBeLost) override;
  std::string ClockTime() override;
  app::EntryForms OpenEntryForms() override;
  void RefreshEntryWindows() override;
  void ReloadEntryWindows() override;  // in main_window_edit.cpp
  void HistoryChanged() override;      // in main_window_edit.cpp
  void ShowGameWarnings() override;
  bool Confirm(bool showUnsavedLine) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
  void ShowStatus(const std::string& text) override;
  bool RunOptions(NewTournamentChoices& choices) override;
  bool RunSettings(app::SettingsForm& form) override;
  std::optional<std::string> AskResultsFileName() override;
  bool RunResultsPreview(const std::string& text, bool& addTeams) override;
  void StopWatchingFolder(const std::string& command) override;
  void ShowPacketNames() override;
  bool HasChildWindows() override;
  void CloseChildWindows() override;
  void OpenEntryWindows(bool withDivisions) override;
  void ShowTextWindow(const std::string& title, const std::vector<std::string>& lines) override;
  void SetCaption(const std::string& caption) override;
  void SetAutosaveTimer(bool on, int intervalMs) override;
  bool RunLongTask(const std::string& title,
                   const std::function<void(const app::CancelFlag&)>& work) override;

  void Contents1Click();
  void About2Click();
  void PrintSetup1Click();
  void ArrangeAll1Click();
  void Stages1Click();  // in main_window_stages.cpp
  // File > Watch Folder for Game Files...: the panel of the watched folder.
  void WatchFolder1Click();
  // Edit > History...: the non-modal list of steps (main_window_edit.cpp).
  void History1Click();
  // Undo and Redo say what they would do, and are disabled when there is nothing to do.
  void UpdateEditActions();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void AddStageReports(QMenu* reports);  // in main_window_stages.cpp
  void AddEditMenu();                    // in main_window_edit.cpp
  QAction* AddEditAction(QMenu* menu, const char* name, const char* text,
                         const QList<QKeySequence>& keys, std::function<void()> command);
  QAction* AddAction(QMenu* menu, const char* name, const char* text, const QKeySequence& key,
                     void (MainWindow::*slot)());
  template <typename F>
  QAction* AddCommand(QMenu* menu, const char* name, const char* text, const QKeySequence& key,
                      F command);
  QMdiSubWindow* AddChild(QWidget* widget, const QPoint& position);
  // A new report or list window: centred, each next one a step down and right of the last.
  void PlaceCascaded(QMdiSubWindow* sub, const QSize& size);
  // The Window menu's list of open windows, rebuilt each time the menu opens.
  void FillWindowMenu(QMenu* menu);
  // Shows the stored game at position in the game entry window.
  void OpenGameInEntry(int position);
  void PostToWeb();
  // Runs a command, showing an error that escapes it rather than losing the program.
  template <typename F>
  void Guarded(F command);

  Tournament tournament_;
  app::MainCommands commands_;
  QMdiArea* mdi_ = nullptr;
  QTimer* timer1_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  QPointer<HelpWindow> help_;
  QPointer<HistoryWindow> historyWindow_;
  QPointer<QAction> undo_;
  QPointer<QAction> redo_;
  QPointer<QLabel> unsavedMarker_;
  // The folders last used in this run, where the next file dialog starts.
  QString fileFolder_;
  QString reportFolder_;
};

}  // namespace drav::gui
