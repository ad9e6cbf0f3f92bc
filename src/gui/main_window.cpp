#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "entry/game_entry.h"
#include "entry/roster_entry.h"
#include "gui/dialog_seams.h"
#include "gui/entry_windows.h"
#include "gui/game_entry_window.h"
#include "gui/game_file_import.h"
#include "gui/game_file_panel.h"
#include "gui/game_warnings_window.h"
#include "gui/help_window.h"
#include "gui/list_windows.h"
#include "gui/options_dialog.h"
#include "gui/print_window.h"
#include "gui/progress_runner.h"
#include "gui/roster_entry_window.h"
#include "gui/settings_dialog.h"
#include "gui/small_dialogs.h"
#include "gui/text_codec.h"

namespace drav::gui {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), commands_(tournament_, *this), printer_(std::make_unique<QPrinter>()) {
  setObjectName("MainForm");
  setWindowIcon(QIcon(ProgramPicture(64)));
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName("ClientArea");
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);

  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(600000);
  connect(timer1_, &QTimer::timeout, this,
          [this] { Guarded([this] { commands_.AutosaveTimer(); }); });

  BuildMenus();
  BuildToolBar();
  statusBar()->showMessage("Ready");
  // Posts after a game finish on the poster's thread; their outcome is shown from ours.
  commands_.SetBackgroundPostNotify([this] {
    QMetaObject::invokeMethod(
        this, [this] { commands_.TakeBackgroundPostResults(); }, Qt::QueuedConnection);
  });
  commands_.StartUp();
  resize(1280, 800);
}

MainWindow::~MainWindow() {
  // The poster's thread must be gone before the window it notifies.
  commands_.StopBackgroundPosts();
}

template <typename F>
void MainWindow::Guarded(F command) {
  try {
    command();
  } catch (const std::exception& e) {
    DialogSeams::ShowMessage(this, ToQt(e.what()), "Error");
  }
}

template <typename F>
QAction* MainWindow::AddCommand(QMenu* menu, const char* name, const char* text,
                                const QKeySequence& key, F command) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
  menu->addAction(action);
  return action;
}

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const char* text,
                               const QKeySequence& key, void (MainWindow::*slot)()) {
  return AddCommand(menu, name, text, key, [this, slot] { (this->*slot)(); });
}

QAction* MainWindow::Action(const QString& name) const {
  return findChild<QAction*>(name);
}

void MainWindow::BuildMenus() {
  auto& c = commands_;
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  AddCommand(file, "NewTournament1", "&New Tournament...", QKeySequence("Ctrl+N"),
             [&c] { c.NewTournament1Click(); });
  AddCommand(file, "Open1", "&Open Tournament...", QKeySequence("Ctrl+O"),
             [&c] { c.Open1Click(); });
  AddCommand(file, "ReadRosters1", "&Read Rosters...", QKeySequence("Ctrl+R"),
             [&c] { c.ReadRosters1Click(); });
  file->addSeparator();
  AddCommand(file, "SaveAs1", "Save Tournament &As...", QKeySequence("Ctrl+A"),
             [&c] { c.SaveAs1Click(); });
  AddCommand(file, "SaveTournament2", "&Save Tournament...", QKeySequence("Ctrl+S"),
             [&c] { c.SaveTournament2Click(); });
  AddCommand(file, "OpenDRAV1File1", "Import DRAV 1 File...", {},
             [&c] { c.OpenDRAV1File1Click(); });
  AddCommand(file, "ImportDRAV2File1", "Import DRAV 2 File...", {},
             [&c] { c.ImportDRAV2File1Click(); });
  AddCommand(file, "ImportQbj1", "Import QBJ...", {}, [&c] { c.ImportQbj1Click(); });
  AddCommand(file, "ExportQbj1", "Export QBJ...", {}, [&c] { c.ExportQbj1Click(); });
  AddCommand(file, "ImportResults1", "Import Res&ults...", {}, [&c] { c.ImportResults1Click(); });
  AddCommand(file, "ImportGameFiles1", "Import Game Files (QBJ)...", {}, [this] {
    ImportGameFiles(this, tournament_, commands_.Hooks());
    // Games into a tournament that had no windows yet: show them.
    if (!HasChildWindows() && tournament_.TeamCount() > 0)
      OpenEntryWindows(tournament_.Format.Divisions != 0);
  });
  AddAction(file, "WatchFolder1", "Watch Folder for Game Files...", {},
            &MainWindow::WatchFolder1Click);
  AddCommand(file, "MergeFiles1", "&Merge Files...", {}, [&c] { c.MergeFiles1Click(); });
  file->addSeparator();
  AddCommand(file, "CloseAll1", "&Close All", {}, [&c] { c.CloseAll1Click(); });
  AddAction(file, "PrintSetup1", "&Print Setup...", {}, &MainWindow::PrintSetup1Click);
  AddCommand(file, "Exit1", "E&xit", {}, [this] { close(); });

  AddEditMenu();

  QMenu* ordering = menuBar()->addMenu("&Ordering");
  ordering->setObjectName("Ordering1");
  AddCommand(ordering, "SortGames1", "Sort &Games", {}, [&c] { c.SortGames1Click(); });
  AddCommand(ordering, "SortTeams1", "Sort &Teams", {}, [&c] { c.SortTeams1Click(); });
  AddCommand(ordering, "GroupRounds1", "Group &Rounds", {}, [&c] { c.GroupRounds1Click(); });

  QMenu* settings = menuBar()->addMenu("&Settings");
  settings->setObjectName("Settings1");
  const char* const names[6] = {"Options1", "FTP1",      "Reports2",
                                "Sorting1", "Warnings1", "Scheduling2"};
  const char* const texts[6] = {"&General...", "&FTP...",      "&Reports...",
                                "&Sorting...", "&Warnings...", "S&cheduling..."};
  for (int page = 0; page < 6; ++page)
    AddCommand(settings, names[page], texts[page],
               page == 0 ? QKeySequence("Ctrl+C") : QKeySequence(),
               [&c, page] { c.OpenSettings(page); });
  AddCommand(settings, "PacketNames1", "Packet Names...", {}, [&c] { c.PacketNames1Click(); });
  AddAction(settings, "Stages1", "S&tages...", {}, &MainWindow::Stages1Click);

  QMenu* reports = menuBar()->addMenu("&Reports");
  reports->setObjectName("Reports1");
  AddCommand(reports, "FullReport1", "Full &Web Report...", QKeySequence("Ctrl+W"),
             [&c] { c.FullReport1Click(); });
  AddCommand(reports, "PosttoWeb1", "&Post to Web...", QKeySequence("Ctrl+P"),
             [&c] { c.PosttoWeb1Click(); });
  reports->addSeparator();
  AddCommand(reports, "QuickPrintTeams1", "QuickPrint &Teams", QKeySequence("Ctrl+T"),
             [&c] { c.QuickPrintTeams1Click(); });
  AddCommand(reports, "QuickPrintIndividuals1", "QuickPrint &Individuals", QKeySequence("Ctrl+I"),
             [&c] { c.QuickPrintIndividuals1Click(); });
  AddCommand(reports, "QuickPrintGames1", "QuickPrint &Games", QKeySequence("Ctrl+G"),
             [&c] { c.QuickPrintGames1Click(); });
  AddStageReports(reports);
  reports->addSeparator();
  AddCommand(reports, "ResultsForSubmission1", "Results for &Submission...", {},
             [&c] { c.ResultsForSubmission1Click(); });
  AddCommand(reports, "CheckAllGames1", "&Check All Games", {}, [&c] { c.CheckAllGames1Click(); });

  QMenu* scheduling = menuBar()->addMenu("S&cheduling");
  scheduling->setObjectName("Scheduling1");
  AddCommand(scheduling, "RoundRobin1", "&Round Robin", {}, [&c] { c.RoundRobin1Click(); });
  AddCommand(scheduling, "SwissPairs1", "&Swiss Pairs", {}, [&c] { c.SwissPairs1Click(); });
  AddCommand(scheduling, "Random1", "R&andom", {}, [&c] { c.Random1Click(); });

  QMenu* window = menuBar()->addMenu("&Window");
  window->setObjectName("Window1");
  AddCommand(window, "Tile1", "&Tile", {}, [this] { mdi_->tileSubWindows(); });
  AddCommand(window, "Cascade1", "&Cascade", {}, [this] { mdi_->cascadeSubWindows(); });
  AddAction(window, "ArrangeAll1", "&Arrange All", {}, &MainWindow::ArrangeAll1Click);
  connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });

  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  AddAction(help, "Contents1", "&Contents...", QKeySequence(Qt::Key_F1),
            &MainWindow::Contents1Click);
  AddAction(help, "About2", "&About...", {}, &MainWindow::About2Click);
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar("Tools");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(22, 22));
  struct Button {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
    std::function<void()> command;
  };
  auto& c = commands_;
  const Button buttons[] = {
      {"FileNewBtn", "New Tournament", QStyle::SP_FileIcon, [&c] { c.NewTournament1Click(); }},
      {"FileOpenBtn", "Open Tournament", QStyle::SP_DialogOpenButton, [&c] { c.Open1Click(); }},
      // The save button always asks for a file name.
      {"FileSaveBtn", "Save Tournament", QStyle::SP_DialogSaveButton, [&c] { c.SaveAs1Click(); }},
      {"ReportBtn", "Full Report", QStyle::SP_FileDialogDetailedView,
       [&c] { c.FullReport1Click(); }},
      {"PostBtn", "Post to Web", QStyle::SP_ArrowUp, [&c] { c.PosttoWeb1Click(); }},
      {"HelpBtn", "Help", QStyle::SP_MessageBoxQuestion, [this] { Contents1Click(); }},
  };
  for (const Button& b : buttons) {
    auto* action = new QAction(style()->standardIcon(b.icon), b.hint, this);
    action->setObjectName(b.name);
    action->setToolTip(b.hint);
    action->setStatusTip(b.hint);
    auto command = b.command;
    connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
    bar->addAction(action);
    if (QWidget* w = bar->widgetForAction(action)) w->setObjectName(QString(b.name) + "Widget");
    if (std::string_view(b.name) == "FileSaveBtn" || std::string_view(b.name) == "PostBtn")
      bar->addSeparator();
  }
}

bool MainWindow::OpenAtStart(const QString& path) {
  return commands_.OpenPath(FromQt(path));
}

std::optional<std::string> MainWindow::AskOpenFileName() {
  auto name = DialogSeams::AskOpenFileName(this, "Open", fileFolder_);
  if (!name) return std::nullopt;
  fileFolder_ = QFileInfo(*name).absolutePath();
  return FromQt(*name);
}

std::optional<std::string> MainWindow::AskSaveFileName() {
  auto name = DialogSeams::AskSaveFileName(this, "Save As", fileFolder_,
                                           "Tournament files (*.dat);;All files (*)", "dat");
  if (!name) return std::nullopt;
  fileFolder_ = QFileInfo(*name).absolutePath();
  return FromQt(*name);
}

std::optional<std::string> MainWindow::AskReportBasePath() {
  auto name = DialogSeams::AskSaveFileName(
      this, "Full Web Report: choose the folder and base name of the pages", reportFolder_);
  if (!name) return std::nullopt;
  reportFolder_ = QFileInfo(*name).absolutePath();
  return FromQt(*name);
}

app::SaveAnswer MainWindow::AskSaveChanges(const std::string& whatWouldBeLost) {
  const std::unique_ptr<QMessageBox> box = MakeSaveChangesBox(ToQt(whatWouldBeLost), this);
  const int answer = DialogSeams::Exec(*box);
  if (answer == QMessageBox::Save) return app::SaveAnswer::Save;
  if (answer == QMessageBox::Discard) return app::SaveAnswer::Discard;
  return app::SaveAnswer::Cancel;
}

std::string MainWindow::ClockTime() {
  return FromQt(QTime::currentTime().toString("HH:mm"));
}

app::EntryForms MainWindow::OpenEntryForms() {
  app::EntryForms forms;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (auto* game = qobject_cast<GameEntryWindow*>(sub->widget())) forms.game = &game->Form();
    if (auto* roster = qobject_cast<RosterEntryWindow*>(sub->widget()))
      forms.roster = &roster->Form();
  }
  return forms;
}

void MainWindow::RefreshEntryWindows() {
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (auto* game = qobject_cast<GameEntryWindow*>(sub->widget())) game->Refresh();
    if (auto* roster = qobject_cast<RosterEntryWindow*>(sub->widget())) roster->Refresh();
  }
}

void MainWindow::ShowGameWarnings() {
  auto* window = new GameWarningsWindow(tournament_, [this](int game) { OpenGameInEntry(game); });
  QMdiSubWindow* sub = AddChild(window, QPoint(0, 0));
  PlaceCascaded(sub, QSize(680, 380));
  mdi_->setActiveSubWindow(sub);
}

void MainWindow::OpenGameInEntry(int position) {
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    auto* game = qobject_cast<GameEntryWindow*>(sub->widget());
    if (!game) continue;
    mdi_->setActiveSubWindow(sub);
    game->GoToGame(position);
    return;
  }
}

void MainWindow::PlaceCascaded(QMdiSubWindow* sub, const QSize& size) {
  sub->resize(std::min(size.width(), mdi_->width()), std::min(size.height(), mdi_->height()));
  // Each new window one title bar down and right of the report windows already open, so
  // none hides another.
  int open = 0;
  for (QMdiSubWindow* w : mdi_->subWindowList())
    if (w != sub &&
        (qobject_cast<PrintWindow*>(w->widget()) || qobject_cast<GameWarningsWindow*>(w->widget())))
      ++open;
  const int step = 28 * (open % 8);
  const int x = std::max(0, (mdi_->width() - sub->width()) / 2) + step;
  const int y = std::max(0, (mdi_->height() - sub->height()) / 2) + step;
  sub->move(std::clamp(x, 0, std::max(0, mdi_->width() - sub->width())),
            std::clamp(y, 0, std::max(0, mdi_->height() - sub->height())));
}

void MainWindow::FillWindowMenu(QMenu* menu) {
  for (QAction* a : menu->actions())
    if (a->property("dravWindowEntry").toBool()) {
      menu->removeAction(a);
      a->deleteLater();
    }
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  QAction* separator = menu->addSeparator();
  separator->setProperty("dravWindowEntry", true);
  int number = 1;
  for (QMdiSubWindow* sub : windows) {
    const QString text = number < 10 ? QString("&%1 %2").arg(number).arg(sub->windowTitle())
                                     : QString("%1 %2").arg(number).arg(sub->windowTitle());
    QAction* a = menu->addAction(text);
    a->setProperty("dravWindowEntry", true);
    a->setCheckable(true);
    a->setChecked(sub == mdi_->activeSubWindow());
    connect(a, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    ++number;
  }
}

bool MainWindow::Confirm(bool showUnsavedLine) {
  ConfirmDialog dialog(showUnsavedLine, this);
  return DialogSeams::Exec(dialog) == QDialog::Accepted;
}

void MainWindow::ShowMessage(const std::string& text, const std::string& caption) {
  DialogSeams::ShowMessage(this, ToQt(text), ToQt(caption));
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text),
                  QMessageBox::Yes | QMessageBox::No, this);
  return DialogSeams::Exec(box) == QMessageBox::Yes;
}

bool MainWindow::AskOkCancel(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setEscapeButton(QMessageBox::Cancel);
  return DialogSeams::Exec(box) == QMessageBox::Ok;
}

void MainWindow::ShowStatus(const std::string& text) {
  // Stays until the next command says something, so it tells what the last one did.
  statusBar()->showMessage(ToQt(text));
}

bool MainWindow::RunOptions(NewTournamentChoices& choices) {
  OptionsDialog dialog(choices, this);
  if (DialogSeams::Exec(dialog) != QDialog::Accepted) return false;
  choices = dialog.Choices();
  return true;
}

bool MainWindow::RunSettings(app::SettingsForm& form) {
  SettingsDialog dialog(form, this);
  if (DialogSeams::Exec(dialog) != QDialog::Accepted) return false;
  form = dialog.Form();
  return true;
}

void MainWindow::ShowPacketNames() {
  auto* window = new PacketNamesWindow(tournament_, commands_.Hooks(), this);
  window->setWindowModality(Qt::NonModal);
  window->show();
}

bool MainWindow::HasChildWindows() {
  for (QMdiSubWindow* w : mdi_->subWindowList())
    if (!w->isHidden()) return true;
  return false;
}

void MainWindow::CloseChildWindows() {
  // Children are taken out at once, so that nothing built afterwards sees them; the
  // widgets themselves go when control returns to the event loop. No child hears of the
  // others going, so none stores what the user chose to discard.
  const QSignalBlocker blocker(mdi_);
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    mdi_->removeSubWindow(w);
    w->hide();
    w->deleteLater();
  }
}

QMdiSubWindow* MainWindow::AddChild(QWidget* widget, const QPoint& position) {
  QMdiSubWindow* sub = mdi_->addSubWindow(widget);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(windowIcon());
  // The child's own menu would take Ctrl+W (Close) and other keys from the main menus,
  // so its items keep no shortcuts: every listed shortcut works from every window.
  if (QMenu* menu = sub->systemMenu())
    for (QAction* a : menu->actions()) a->setShortcuts({});
  sub->move(position);
  sub->show();
  return sub;
}

void MainWindow::OpenEntryWindows(bool withDivisions) {
  // The one place where the entry windows are created; the first team and game are shown.
  // Game entry at the top left, roster entry to its right, the divisions list under the
  // roster; when the area is too narrow for that, both go under the game entry window, and
  // only when that does not fit either does the roster stand against the right edge.
  QWidget* gameWindow = CreateGameEntryWindow(tournament_, nullptr);
  if (auto* entry = qobject_cast<GameEntryWindow*>(gameWindow)) {
    entry->Form().SetAfterNextStores([this] { commands_.GameStoredByNext(); });
    entry->Form().SetStepHooks(commands_.Hooks());
  }
  QMdiSubWindow* game = AddChild(gameWindow, QPoint(0, 0));
  QWidget* rosterWindow = CreateRosterEntryWindow(tournament_, nullptr);
  if (auto* entry = qobject_cast<RosterEntryWindow*>(rosterWindow))
    entry->Form().SetStepHooks(commands_.Hooks());
  QMdiSubWindow* roster = AddChild(rosterWindow, QPoint(0, 0));
  // The whole area, not the viewport: scroll bars that the windows just closed needed go
  // away once they are gone.
  const int areaWidth = mdi_->contentsRect().width();
  const int areaHeight = mdi_->contentsRect().height();
  QMdiSubWindow* divisions =
      withDivisions ? AddChild(new DivisionsWindow(tournament_, commands_.Hooks()), QPoint(0, 0))
                    : nullptr;
  // A roster a little too wide for the room beside the game entry gives up the difference.
  const int spare = areaWidth - game->width();
  if (spare < roster->width() && spare >= roster->minimumSizeHint().width())
    roster->resize(spare, roster->height());
  const int divisionsWidth = divisions ? divisions->width() : 0;
  const int divisionsHeight = divisions ? divisions->height() : 0;
  if (game->width() + roster->width() <= areaWidth) {
    roster->move(game->width(), 0);
    // Under the roster when it fits there, else under the game entry window.
    if (divisions) {
      if (game->width() + divisionsWidth <= areaWidth)
        divisions->move(game->width(), roster->height());
      else
        divisions->move(0, game->height());
    }
  } else if (game->height() + std::max(roster->height(), divisionsHeight) <= areaHeight &&
             roster->width() + divisionsWidth <= areaWidth) {
    // Too narrow for side by side (a wide form, or a wider window style): the roster and
    // the divisions go under the game entry window rather than over it.
    roster->move(0, game->height());
    if (divisions) divisions->move(roster->width(), game->height());
  } else {
    const int rosterX = std::max(0, areaWidth - roster->width());
    roster->move(rosterX, 0);
    if (divisions) {
      if (rosterX + divisionsWidth <= areaWidth)
        divisions->move(rosterX, roster->height());
      else
        divisions->move(0, game->height());
    }
  }
  mdi_->setActiveSubWindow(game);
}

void MainWindow::ShowTextWindow(const std::string& title, const std::vector<std::string>& lines) {
  auto* window = new PrintWindow(tournament_, printer_.get(), ToQt(title), ToQt(lines));
  QMdiSubWindow* sub = AddChild(window, QPoint(0, 0));
  PlaceCascaded(sub, QSize(872, 566));
  mdi_->setActiveSubWindow(sub);
}

void MainWindow::SetCaption(const std::string& caption) {
  // "[*]" is where the toolkit shows the unsaved marker.
  setWindowTitle(ToQt(caption) + "[*]");
}

void MainWindow::SetAutosaveTimer(bool on, int intervalMs) {
  if (!on) {
    timer1_->stop();
    return;
  }
  timer1_->setInterval(intervalMs);
  timer1_->start();
}

bool MainWindow::RunLongTask(const std::string& title,
                             const std::function<void(const app::CancelFlag&)>& work) {
  return RunWithProgress(this, ToQt(title), work);
}

void MainWindow::Contents1Click() {
  if (!help_) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::About2Click() {
  AboutDialog dialog(this);
  DialogSeams::Exec(dialog);
}

void MainWindow::PrintSetup1Click() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.setWindowTitle("Print Setup");
  // This dialog only chooses the printer; its button says so.
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText("OK");
  DialogSeams::Exec(dialog);
}

void MainWindow::ArrangeAll1Click() {
  // Lines the minimized children up along the bottom edge, as icons are arranged.
  int x = 0;
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    if (!w->isMinimized()) continue;
    w->move(x, mdi_->height() - w->height());
    x += w->width();
  }
}

void MainWindow::WatchFolder1Click() {
  const auto folder = DialogSeams::AskFolder(this, "Watch Folder for Game Files");
  if (!folder) return;
  delete findChild<GameFilePanel*>();
  auto* panel = new GameFilePanel(
      tournament_, *folder, commands_.Hooks(),
      [this] {
        if (!HasChildWindows())
          OpenEntryWindows(tournament_.Format.Divisions != 0);
        else
          RefreshGameEntryWindows(mdi_);
        statusBar()->showMessage("Game files imported");
      },
      this);
  addDockWidget(Qt::BottomDockWidgetArea, panel);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (commands_.FormCloseQuery())
    event->accept();
  else
    event->ignore();
}

}  // namespace drav::gui
