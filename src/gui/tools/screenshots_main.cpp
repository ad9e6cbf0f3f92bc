// drav-screenshots FILE OUTDIR: opens FILE in the main window and saves a PNG of every
// window of the desktop program into OUTDIR, for review. Runs offscreen
// (QT_QPA_PLATFORM=offscreen); nothing waits for a person.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "gui/dialog_seams.h"
#include "gui/help_window.h"
#include "gui/list_windows.h"
#include "gui/main_window.h"
#include "gui/options_dialog.h"
#include "gui/settings_dialog.h"
#include "gui/small_dialogs.h"

using namespace drav;
using namespace drav::gui;

namespace {

QString outDir;
int saved = 0;

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Save(QWidget& widget, const QString& name) {
  widget.show();
  Settle();
  const QString path = QDir(outDir).filePath(name + ".png");
  if (widget.grab().save(path)) {
    ++saved;
    std::printf("%s\n", qPrintable(path));
  } else {
    std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: drav-screenshots FILE OUTDIR\n");
    return 2;
  }
  outDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(outDir);
  DialogSeams::SetTestMode(true);

  MainWindow main;
  main.resize(1280, 800);
  main.show();
  Settle();
  Save(main, "01-main-start");
  if (!main.OpenAtStart(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "Could not open %s\n", argv[1]);
    return 1;
  }
  Save(main, "02-main-open");

  main.Action("QuickPrintTeams1")->trigger();
  Save(main, "03-quickprint-teams");
  main.Commands().CloseAll1Click();  // test mode: the confirmation answers Cancel
  main.CloseChildWindows();
  main.Action("QuickPrintIndividuals1")->trigger();
  Save(main, "04-quickprint-individuals");
  main.CloseChildWindows();
  main.Action("QuickPrintGames1")->trigger();
  Save(main, "05-quickprint-games");
  main.CloseChildWindows();
  main.Action("RoundRobin1")->trigger();
  Save(main, "06-round-robin");
  main.CloseChildWindows();
  main.Commands().RebuildWindows();
  main.Mdi()->tileSubWindows();
  Save(main, "07-main-tiled");

  {
    OptionsDialog options(NewTournamentChoices{}, &main);
    Save(options, "10-new-tournament-options");
  }
  for (int page = 0; page < app::SettingsForm::kPageCount; ++page) {
    SettingsDialog settings(app::SettingsForm::Load(main.Data().Format, page), &main);
    Save(settings,
         QString("11-settings-%1-%2").arg(page).arg(app::SettingsForm::PageCaption(page)));
  }
  {
    ConfirmDialog confirm(true, &main);
    Save(confirm, "12-confirm-unsaved");
    ConfirmDialog plain(false, &main);
    Save(plain, "13-confirm");
    AboutDialog about(&main);
    Save(about, "14-about");
  }
  {
    DivisionsWindow divisions(main.Data());
    Save(divisions, "15-divisions-entry");
    auto* packets = new PacketNamesWindow(main.Data(), {}, &main);
    Save(*packets, "16-packet-names");
    packets->close();
  }
  {
    HelpWindow help(&main);
    Save(help, "17-help");
  }
  {
    // Every column and strip on: four question values, lightning, bouncebacks.
    Tournament& t = main.Data();
    t.QuestionValues = {15, 10, -5, 20};
    t.Format.TrackBonuses = 1;
    t.Format.BonusMode = 3;
    t.Format.Sixty = 1;
    t.Format.TUHeard = 1;
    main.Commands().RebuildWindows();
    Settle();
    Save(main, "20-entry-all-columns");
    if (QMdiSubWindow* game = main.Mdi()->subWindowList().value(0)) {
      game->showMaximized();
      Save(main, "20-entry-maximised");
      game->showNormal();
    }
    // A game that warns, listed by Check All Games.
    if (t.GameCount() > 1) t.Games[1].TeamB = t.Games[1].TeamA;
    main.Action("CheckAllGames1")->trigger();
    Save(main, "21-check-all-games");
    main.CloseChildWindows();
  }
  {
    auto box = DialogSeams::MakeMessageBox(
        &main, "Individual and Bonus Scores Do Not Add to Total Score for Lakeview", "Warning");
    Save(*box, "22-warning-box");
    auto shortBox = DialogSeams::MakeMessageBox(&main, "Team Playing Itself", "Warning");
    Save(*shortBox, "23-warning-box-short");
    auto saveBox = MakeSaveChangesBox(
        "3 games and 1 team are not saved in riverside.dat\nThe game on screen has not been stored",
        &main);
    Save(*saveBox, "24-save-changes");
    ConfirmDialog confirm(false, &main);
    confirm.SetSubject("Delete the game Round 3: Lakeview vs. Northfield?");
    Save(confirm, "25-confirm-delete");
  }
  std::printf("%d screenshots\n", saved);
  return saved > 0 ? 0 : 1;
}
