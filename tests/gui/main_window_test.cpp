#include "gui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "gui/options_dialog.h"
#include "gui/print_window.h"
#include "gui/small_dialogs.h"
#include "gui_test_support.h"
#include "storage/tournament_file.h"

using namespace drav;
using namespace drav::gui;

namespace {

// Answers the next Confirm window, remembering whether it showed the unsaved-data line.
void AnswerConfirm(bool ok, bool* unsavedShown = nullptr) {
  DialogSeams::QueueDialogAction([ok, unsavedShown](QDialog& d) {
    auto* confirm = qobject_cast<ConfirmDialog*>(&d);
    if (!confirm) return int(QDialog::Rejected);
    if (unsavedShown) *unsavedShown = confirm->UnsavedLineShown();
    return ok ? int(QDialog::Accepted) : int(QDialog::Rejected);
  });
}

// Answers the next Save/Discard/Cancel box with button, keeping its text.
void AnswerSaveBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  DialogSeams::QueueDialogAction([button, text](QDialog& d) {
    auto* box = qobject_cast<QMessageBox*>(&d);
    if (!box) return int(QMessageBox::Cancel);
    if (text) *text = box->text();
    return int(button);
  });
}

// The caption as it reads, without the place of the unsaved marker.
QString Caption(const QWidget& w) {
  return w.windowTitle().remove("[*]");
}

QStringList SubWindowNames(QMdiArea* mdi) {
  QStringList names;
  for (QMdiSubWindow* w : mdi->subWindowList()) names << w->widget()->objectName();
  return names;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void menusShortcutsAndSeparators();
  void toolBarHasSixButtonsWithHints();
  void newTournamentWithEachBonusChoice();
  void newTournamentCancelledKeepsStartState();
  void openAndSaveAsRoundTripWithCaption();
  void closeAllEmptiesAndClosesChildren();
  void exitConfirmationWithAndWithoutUnsavedLine();
  void quickPrintWindowShowsReportAndFontSize();
  void printingToPdfWithoutPrinter();
  void randomScheduleCancelledMidway();
  void helpOpensShippedGuide();
  void printSetupButtonSaysOk();
  void autosaveTimerWritesBackupAndReportsFailureInStatusBar();
};

void MainWindowTest::menusShortcutsAndSeparators() {
  test::GuiTestScope scope;
  MainWindow w;
  QCOMPARE(Caption(w), QString("DRAV"));
  QStringList menus;
  for (QAction* a : w.menuBar()->actions()) menus << a->text();
  QCOMPARE(menus, QStringList({"&File", "&Edit", "&Ordering", "&Settings", "&Reports",
                               "S&cheduling", "&Window", "&Help"}));
  const std::pair<const char*, const char*> shortcuts[] = {{"NewTournament1", "Ctrl+N"},
                                                           {"Open1", "Ctrl+O"},
                                                           {"ReadRosters1", "Ctrl+R"},
                                                           {"SaveAs1", "Ctrl+A"},
                                                           {"SaveTournament2", "Ctrl+S"},
                                                           {"Options1", "Ctrl+C"},
                                                           {"FullReport1", "Ctrl+W"},
                                                           {"PosttoWeb1", "Ctrl+P"},
                                                           {"QuickPrintTeams1", "Ctrl+T"},
                                                           {"QuickPrintIndividuals1", "Ctrl+I"},
                                                           {"QuickPrintGames1", "Ctrl+G"},
                                                           {"Contents1", "F1"},
                                                           {"Undo1", "Ctrl+Z"},
                                                           {"Redo1", "Ctrl+Shift+Z"}};
  for (const auto& [name, key] : shortcuts) {
    QAction* a = w.Action(name);
    QVERIFY2(a, name);
    QCOMPARE(a->shortcut(), QKeySequence(key));
  }
  QMenu* file = w.menuBar()->findChild<QMenu*>("File1");
  QVERIFY(file);
  QStringList items;
  for (QAction* a : file->actions()) items << (a->isSeparator() ? "-" : a->text());
  QCOMPARE(items, QStringList({"&New Tournament...", "&Open Tournament...", "&Read Rosters...", "-",
                               "Save Tournament &As...", "&Save Tournament...",
                               "Import DRAV 1 File...", "Import DRAV 2 File...", "Import QBJ...",
                               "Export QBJ...", "Import Res&ults...", "Import Game Files (QBJ)...",
                               "Watch Folder for Game Files...", "&Merge Files...", "-",
                               "&Close All", "&Print Setup...", "E&xit"}));
  QMenu* reports = w.menuBar()->findChild<QMenu*>("Reports1");
  items.clear();
  for (QAction* a : reports->actions()) items << (a->isSeparator() ? "-" : a->text());
  QCOMPARE(items, QStringList({"Full &Web Report...", "&Post to Web...", "-", "QuickPrint &Teams",
                               "QuickPrint &Individuals", "QuickPrint &Games",
                               "QuickPrint Stage &Standings", "QuickPrint Stage In&dividuals",
                               "QuickPrint &Final Ranking", "-", "Results for &Submission...",
                               "&Check All Games"}));
  QMenu* settings = w.menuBar()->findChild<QMenu*>("Settings1");
  items.clear();
  for (QAction* a : settings->actions()) items << a->text();
  QCOMPARE(items, QStringList({"&General...", "&FTP...", "&Reports...", "&Sorting...",
                               "&Warnings...", "S&cheduling...", "Packet Names...", "S&tages..."}));
  for (const char* name :
       {"SortGames1",       "SortTeams1",  "GroupRounds1", "RoundRobin1", "SwissPairs1",
        "Random1",          "Tile1",       "Cascade1",     "ArrangeAll1", "About2",
        "CloseAll1",        "PrintSetup1", "Exit1",        "MergeFiles1", "OpenDRAV1File1",
        "ImportDRAV2File1", "FTP1",        "Reports2",     "Sorting1",    "Warnings1",
        "Scheduling2",      "PacketNames1"})
    QVERIFY2(w.Action(name), name);
}

void MainWindowTest::toolBarHasSixButtonsWithHints() {
  test::GuiTestScope scope;
  MainWindow w;
  const std::pair<const char*, const char*> buttons[] = {
      {"FileNewBtn", "New Tournament"},   {"FileOpenBtn", "Open Tournament"},
      {"FileSaveBtn", "Save Tournament"}, {"ReportBtn", "Full Report"},
      {"PostBtn", "Post to Web"},         {"HelpBtn", "Help"}};
  for (const auto& [name, hint] : buttons) {
    QAction* a = w.Action(name);
    QVERIFY2(a, name);
    QCOMPARE(a->toolTip(), QString(hint));
  }
  // The save button always asks for a name, even with a file open.
  const std::string path = test::WriteSampleTournament(scope.dir, "t.dat");
  QVERIFY(w.OpenAtStart(QString::fromStdString(path)));
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/other.dat"));
  w.Action("FileSaveBtn")->trigger();
  QCOMPARE(Caption(w), QString::fromStdString("DRAV " + scope.dir + "/other.dat"));
}

void MainWindowTest::newTournamentWithEachBonusChoice() {
  test::GuiTestScope scope;
  MainWindow w;
  const std::pair<const char*, std::pair<int, int>> cases[] = {{"Automatic", {1, 1}},
                                                               {"Manual", {1, 0}},
                                                               {"None", {0, 0}},
                                                               {"Combo", {1, 2}},
                                                               {"Bouncebacks", {1, 3}}};
  for (const auto& [button, pair] : cases) {
    const std::string name = button;
    DialogSeams::QueueDialogAction([name](QDialog& d) {
      // The window always opens on the defaults.
      if (!d.findChild<QCheckBox*>("CB1")->isChecked()) return int(QDialog::Rejected);
      if (d.findChild<QLineEdit*>("Edit3")->text() != "-5") return int(QDialog::Rejected);
      if (!d.findChild<QRadioButton*>("Automatic")->isChecked()) return int(QDialog::Rejected);
      d.findChild<QRadioButton*>(QString::fromStdString(name))->setChecked(true);
      d.findChild<QCheckBox*>("CB4")->setChecked(true);
      d.findChild<QLineEdit*>("Edit4")->setText("20");
      d.findChild<QCheckBox*>("Divisions")->setChecked(name == "Combo");
      return int(QDialog::Accepted);
    });
    w.Action("NewTournament1")->trigger();
    QCOMPARE(w.Data().Format.TrackBonuses, pair.first);
    QCOMPARE(w.Data().Format.BonusMode, pair.second);
    QCOMPARE(w.Data().QuestionValues[3], 20);
    QCOMPARE(w.Data().QuestionValues[0], 15);
    QStringList expected{"GameEntry", "RosterEntry"};
    if (name == "Combo") expected << "DivisionsEntry";
    QCOMPARE(SubWindowNames(w.Mdi()), expected);
  }
}

void MainWindowTest::newTournamentCancelledKeepsStartState() {
  test::GuiTestScope scope;
  MainWindow w;
  DialogSeams::QueueDialogAction([](QDialog& d) {
    d.findChild<QRadioButton*>("None")->setChecked(true);
    return int(QDialog::Rejected);
  });
  w.Action("NewTournament1")->trigger();
  QCOMPARE(w.Data().Format.TrackBonuses, 0);
  QCOMPARE(w.Data().QuestionValues[0], 0);
  QVERIFY(w.Mdi()->subWindowList().isEmpty());
}

void MainWindowTest::openAndSaveAsRoundTripWithCaption() {
  test::GuiTestScope scope;
  MainWindow w;
  const std::string path = test::WriteSampleTournament(scope.dir, "spring open.dat");
  DialogSeams::QueueFileName(QString::fromStdString(path));
  w.Action("Open1")->trigger();
  QCOMPARE(Caption(w), QString::fromStdString("DRAV " + path));
  QCOMPARE(SubWindowNames(w.Mdi()), QStringList({"GameEntry", "RosterEntry"}));
  const int games = w.Data().GameCount();
  QVERIFY(games > 0);

  w.Data().Games[0].ScoreA += 10;
  const std::string copy = scope.dir + "/copy.dat";
  DialogSeams::QueueFileName(QString::fromStdString(copy));
  w.Action("SaveAs1")->trigger();
  QCOMPARE(Caption(w), QString::fromStdString("DRAV " + copy));

  MainWindow second;
  QVERIFY(second.OpenAtStart(QString::fromStdString(copy)));
  QCOMPARE(SerializeTournament(second.Data()), SerializeTournament(w.Data()));

  // A save that fails says so and keeps the caption.
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/missing/x.dat"));
  w.Action("SaveAs1")->trigger();
  QCOMPARE(DialogSeams::RecordedMessages().size(), size_t(1));
  QCOMPARE(DialogSeams::RecordedMessages()[0].second, QString("Error"));
  QCOMPARE(Caption(w), QString::fromStdString("DRAV " + copy));
}

void MainWindowTest::closeAllEmptiesAndClosesChildren() {
  test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  const QString caption = Caption(w);
  QVERIFY(!w.isWindowModified());
  AnswerConfirm(false);
  w.Action("CloseAll1")->trigger();
  QCOMPARE(w.Mdi()->subWindowList().size(), 2);
  QVERIFY(w.Data().GameCount() > 0);
  AnswerConfirm(true);
  w.Action("CloseAll1")->trigger();
  QVERIFY(w.Mdi()->subWindowList().isEmpty());
  QCOMPARE(w.Data().GameCount(), 0);
  QCOMPARE(w.Data().TeamCount(), 0);
  // No file is Save's target now, so the caption names none.
  QVERIFY(caption != "DRAV");
  QCOMPARE(Caption(w), QString("DRAV"));
  // The emptied event differs from its file: the caption and the status bar say so until
  // Undo brings the file's state back.
  QCOMPARE(w.isWindowModified(), w.Commands().HasUnsavedData());
  QCOMPARE(w.findChild<QLabel*>("UnsavedMarker")->isVisibleTo(&w), w.isWindowModified());
  w.Action("Undo1")->trigger();
  QCOMPARE(w.isWindowModified(), w.Commands().HasUnsavedData());
  QCOMPARE(w.findChild<QLabel*>("UnsavedMarker")->isVisibleTo(&w), w.isWindowModified());
}

void MainWindowTest::exitConfirmationWithAndWithoutUnsavedLine() {
  test::GuiTestScope scope;
  MainWindow w;
  w.show();
  bool unsaved = true;
  AnswerConfirm(false, &unsaved);
  QVERIFY(!w.close());
  QVERIFY(!unsaved);
  QVERIFY(w.isVisible());

  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  // With unsaved data the box offers Save, Discard and Cancel instead.
  w.Data().Rosters[0][0] = "Edited Name";
  QString question;
  AnswerSaveBox(QMessageBox::Cancel, &question);
  QVERIFY(!w.close());
  QCOMPARE(question, QString("1 team is not saved in a.dat"));

  w.Action("SaveTournament2")->trigger();
  AnswerConfirm(true, &unsaved);
  QVERIFY(w.close());
  QVERIFY(!unsaved);
}

void MainWindowTest::quickPrintWindowShowsReportAndFontSize() {
  test::GuiTestScope scope;
  MainWindow w;
  w.resize(1280, 800);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  w.Action("QuickPrintTeams1")->trigger();
  auto* print = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QVERIFY(print);
  QCOMPARE(print->windowTitle(), QString("QuickPrint Team Standings"));
  QVERIFY(print->Text().startsWith("#   Team"));
  QCOMPARE(print->FontSize(), 10);
  auto* edit = print->findChild<QLineEdit*>("Edit1");
  QCOMPARE(edit->text(), QString("10"));
  edit->setText("14");
  QCOMPARE(print->FontSize(), 14);
  QCOMPARE(w.Data().Format.QuickPrintFontSize, 14);
  edit->setText("big");
  QCOMPARE(print->FontSize(), 10);
  edit->setText("2");
  QCOMPARE(print->FontSize(), 6);
  edit->setText("900");
  QCOMPARE(print->FontSize(), 72);

  edit->setText("12");
  w.Action("QuickPrintGames1")->trigger();
  auto* games = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QCOMPARE(games->windowTitle(), QString("QuickPrint Game Results"));
  // A new report window does not hide the last one, and the Window menu lists them all.
  QCOMPARE(w.Mdi()->activeSubWindow()->pos() - print->parentWidget()->pos(), QPoint(28, 28));
  QMenu* window = w.menuBar()->findChild<QMenu*>("Window1");
  emit window->aboutToShow();
  QStringList listed;
  for (QAction* a : window->actions())
    if (a->isCheckable()) listed << a->text() + (a->isChecked() ? " *" : "");
  QCOMPARE(listed, QStringList({"&1 Game Entry", "&2 Roster Entry", "&3 QuickPrint Team Standings",
                                "&4 QuickPrint Game Results *"}));
  QCOMPARE(games->findChild<QLineEdit*>("Edit1")->text(), QString("12"));
  QCOMPARE(games->FontSize(), 12);
}

void MainWindowTest::printingToPdfWithoutPrinter() {
  test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  w.Action("QuickPrintIndividuals1")->trigger();
  auto* print = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QVERIFY(print);
  // The name without an extension gets ".pdf".
  const QString pdf = QString::fromStdString(scope.dir + "/report.pdf");
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/report"));
  print->findChild<QPushButton*>("PrintButton")->click();
  QVERIFY(w.statusBar()->currentMessage().startsWith("Printed to "));
  QFile file(pdf);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("%PDF"));
  // The document title, as PDF metadata stores it (UTF-16 with a byte-order mark).
  QByteArray title("\xfe\xff");
  for (char c : QByteArray("Report")) title.append('\0').append(c);
  QVERIFY(bytes.contains(title));
}

void MainWindowTest::randomScheduleCancelledMidway() {
  test::GuiTestScope scope;
  MainWindow w;
  // 200 teams over 100 rounds keep the draw busy for seconds, long enough to cancel it.
  Tournament& t = w.Data();
  for (int i = 0; i < 200; ++i) t.Rosters.push_back({"Team " + std::to_string(i)});
  t.TeamDivision.assign(200, -1);
  t.ExhibitionTeam.assign(200, 0);
  t.Format.RandomRounds = 100;
  bool sawProgress = false;
  QTimer::singleShot(300, &w, [&] {
    auto* progress = w.findChild<QProgressDialog*>("LongTaskProgress");
    sawProgress = progress != nullptr;
    // As the user does: the Cancel button of the progress window.
    if (auto* button = progress ? progress->findChild<QPushButton*>() : nullptr) button->click();
  });
  QElapsedTimer clock;
  clock.start();
  w.Action("Random1")->trigger();
  QVERIFY(sawProgress);
  QVERIFY(clock.elapsed() < 60000);
  // Nothing is shown for a cancelled schedule.
  QVERIFY(w.Mdi()->subWindowList().isEmpty());
}

void MainWindowTest::printSetupButtonSaysOk() {
#ifdef Q_OS_WIN
  QSKIP("Windows shows its own print dialog, whose buttons are not Qt's");
#endif
  test::GuiTestScope scope;
  MainWindow w;
  QStringList buttons;
  QString title;
  DialogSeams::QueueDialogAction([&](QDialog& d) {
    title = d.windowTitle();
    for (QPushButton* b : d.findChildren<QPushButton*>())
      if (b->isVisibleTo(&d) || !b->text().isEmpty()) buttons << b->text();
    return int(QDialog::Rejected);
  });
  w.Action("PrintSetup1")->trigger();
  QCOMPARE(title, QString("Print Setup"));
  QVERIFY2(buttons.contains("OK"), qPrintable(buttons.join(",")));
  QVERIFY(!buttons.contains("&Print") && !buttons.contains("Print"));
}

void MainWindowTest::helpOpensShippedGuide() {
  test::GuiTestScope scope;
  MainWindow w;
  w.Action("HelpBtn")->trigger();
  auto* help = w.findChild<QDialog*>("HelpWindow");
  QVERIFY(help);
  QVERIFY(help->isVisible());
  auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
  QVERIFY(browser);
  QVERIFY(browser->toPlainText().contains("DRAV Help"));
}

void MainWindowTest::autosaveTimerWritesBackupAndReportsFailureInStatusBar() {
  test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  DialogSeams::QueueDialogAction([](QDialog& d) {
    d.findChild<QCheckBox*>("AutoSave")->setChecked(true);
    d.findChild<QLineEdit*>("AutoSaveMin")->setText("2");
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  QVERIFY(w.AutosaveTimerObject()->isActive());
  QCOMPARE(w.AutosaveTimerObject()->interval(), 120000);

  const std::string backup = scope.dir + "/dravautosave.dat";
  w.Commands().SetAutosavePath(backup);
  w.Data().Games.pop_back();
  QVERIFY(QMetaObject::invokeMethod(w.AutosaveTimerObject(), "timeout"));
  QVERIFY(QFile::exists(QString::fromStdString(backup)));
  QCOMPARE(Caption(w), QString::fromStdString("DRAV " + scope.dir + "/a.dat"));
  QVERIFY(w.Commands().HasUnsavedData());

  w.Commands().SetAutosavePath(scope.dir + "/missing/dravautosave.dat");
  QVERIFY(QMetaObject::invokeMethod(w.AutosaveTimerObject(), "timeout"));
  QVERIFY(w.statusBar()->currentMessage().startsWith("Autosave failed at "));
  QVERIFY(DialogSeams::RecordedMessages().empty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
