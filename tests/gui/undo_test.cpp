#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/game_file_watch.h"
#include "gui/game_entry_window.h"
#include "gui/game_file_panel.h"
#include "gui/history_window.h"
#include "gui/list_windows.h"
#include "gui/main_window.h"
#include "gui/stages_window.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

using namespace drav;
using namespace drav::gui;

namespace {

int Accept(QDialog&) {
  return QDialog::Accepted;
}
int Discard(QDialog&) {
  return QMessageBox::Discard;
}

// The main window at working size with a sample file open, active so shortcuts reach it.
struct OpenWindow {
  explicit OpenWindow(const std::string& dir) {
    path = gui::test::WriteSampleTournament(dir, "lakeview.dat");
    main.resize(1280, 800);
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(main.OpenAtStart(QString::fromStdString(path)));
    QTest::qWait(10);
  }
  // The entry window of the moment: Undo may have built fresh ones.
  GameEntryWindow* Game() { return main.Mdi()->findChild<GameEntryWindow*>(); }
  QLineEdit* Box(const char* name) { return static_cast<QLineEdit*>(Game()->Widget(name)); }
  void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  // The Edit menu as a director opens it; returns the item's text, "" when disabled.
  QString EditItem(const char* name) {
    emit main.findChild<QMenu*>("Edit1")->aboutToShow();
    QAction* a = main.Action(name);
    return a->isEnabled() ? a->text() : QString();
  }
  void Undo() {
    QVERIFY(!EditItem("Undo1").isEmpty());
    main.Action("Undo1")->trigger();
  }
  std::string Saved() {
    main.Commands().SaveTournament2Click();
    return drav::test::ReadFile(path);
  }

  MainWindow main;
  std::string path;
};

}  // namespace

class UndoTest : public QObject {
  Q_OBJECT

 private slots:
  void deletedGameComesBackAndSavesTheSameBytes();
  void sortTeamsAndCloseAllAreUndoneAndRedone();
  void oneUndoTakesBackAWatchedFolderImport();
  void typedScoreIsStoredAsAStepThenUndone();
  void ctrlZStaysInTheTextBoxWhileItHasItsOwnUndo();
  void historyWindowGoesToTheDoubleClickedStep();
  void settingsStagesAndDivisionsAreUndoneOnceOkIsPressed();
};

void UndoTest::deletedGameComesBackAndSavesTheSameBytes() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const std::string before = w.Saved();
  const Tournament stored = w.main.Data();
  QCOMPARE(w.EditItem("Undo1"), QString());  // nothing done yet
  w.Game()->GoToGame(2);
  DialogSeams::QueueDialogAction(Accept);
  QTest::mouseClick(w.Game()->Widget("DeleteGame"), Qt::LeftButton);
  QCOMPARE(w.main.Data().GameCount(), stored.GameCount() - 1);
  QVERIFY(w.EditItem("Undo1").startsWith("&Undo Delete Game 3 (Round "));

  w.Undo();
  QCOMPARE(w.main.Data().GameCount(), stored.GameCount());
  QVERIFY(w.main.Data().Games[2] == stored.Games[2]);
  QCOMPARE(w.main.Data().CurrentGame, 2);  // shown at its place
  QCOMPARE(w.Box("ScoreA")->text(), QString::number(stored.Games[2].ScoreA));
  QVERIFY(!w.main.Commands().HasUnsavedData());  // back at the saved state
  QVERIFY(w.EditItem("Redo1").startsWith("&Redo Delete Game 3 ("));
  QCOMPARE(w.Saved(), before);
}

void UndoTest::sortTeamsAndCloseAllAreUndoneAndRedone() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const Tournament opened = w.main.Data();
  const QString caption = w.main.windowTitle();

  DialogSeams::QueueDialogAction(Accept);
  w.main.Action("SortTeams1")->trigger();
  const Tournament sorted = w.main.Data();
  QVERIFY(sorted.Rosters != opened.Rosters);
  QCOMPARE(w.EditItem("Undo1"), QString("&Undo Sort Teams"));

  DialogSeams::QueueDialogAction(Discard);  // the sorted teams are not saved
  w.main.Action("CloseAll1")->trigger();
  QCOMPARE(w.main.Data().GameCount(), 0);
  QVERIFY(!w.main.HasChildWindows());
  QCOMPARE(w.EditItem("Undo1"), QString("&Undo Close All"));

  w.Undo();  // Close All: the sorted tournament, its windows and caption are back
  QVERIFY(app::SameContents(w.main.Data(), sorted));
  QVERIFY(w.Game() != nullptr);
  QCOMPARE(w.main.windowTitle(), caption);
  w.Undo();  // Sort Teams
  QVERIFY(w.main.Data().Rosters == opened.Rosters);
  QVERIFY(w.main.Data().Games == opened.Games);
  QCOMPARE(static_cast<QComboBox*>(w.Game()->Widget("TeamAName"))->currentText(),
           QString::fromStdString(opened.TeamName(opened.Games[0].TeamA)));
  QCOMPARE(w.EditItem("Undo1"), QString());

  w.main.Action("Redo1")->trigger();
  QVERIFY(w.main.Data().Rosters == sorted.Rosters);
  QCOMPARE(w.EditItem("Redo1"), QString("&Redo Close All"));
}

void UndoTest::oneUndoTakesBackAWatchedFolderImport() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const Tournament opened = w.main.Data();
  // A moderator program's match files, all there before the folder is watched.
  const std::string folder = scope.dir + "/rooms";
  QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
  for (int room = 1; room <= 3; ++room)
    drav::test::WriteFile(folder + "/room" + std::to_string(room) + ".qbj",
                          gui::test::QbjMatchFile("r9-" + std::to_string(room),
                                                  opened.TeamName(room), opened.TeamName(0)));
  DialogSeams::QueueFileName(QString::fromStdString(folder));
  w.main.Action("WatchFolder1")->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(w.main.Data().GameCount(), opened.GameCount() + 3, 15000);
  QCOMPARE(w.EditItem("Undo1"), QString("&Undo Import 3 Match Files"));

  // From an editable team box, which has nothing of its own to undo.
  auto* team = static_cast<QComboBox*>(w.Game()->Widget("TeamAName"));
  team->setFocus();
  QTest::keyClick(team, Qt::Key_Z, Qt::ControlModifier);
  QVERIFY(app::SameContents(w.main.Data(), opened));
  QVERIFY(!w.main.Commands().HasUnsavedData());
  QTest::qWait(1500);  // the folder is still watched, and its files stay taken
  QCOMPARE(w.main.Data().GameCount(), opened.GameCount());
  w.main.findChild<GameFilePanel*>()->StopWatching();
}

void UndoTest::typedScoreIsStoredAsAStepThenUndone() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const Tournament opened = w.main.Data();
  w.Retype(w.Box("ScoreA"), "345");
  QCOMPARE(w.EditItem("Undo1"), QString("&Undo Typing"));
  QCOMPARE(w.EditItem("Redo1"), QString());

  w.Undo();
  QVERIFY(w.main.Data().Games[0] == opened.Games[0]);
  QCOMPARE(w.Box("ScoreA")->text(), QString::number(opened.Games[0].ScoreA));
  QVERIFY(w.EditItem("Redo1").startsWith("&Redo Store Game 1 ("));
  w.main.Action("Redo1")->trigger();
  QCOMPARE(w.main.Data().Games[0].ScoreA, 345);
  QCOMPARE(w.Box("ScoreA")->text(), QString("345"));
}

void UndoTest::ctrlZStaysInTheTextBoxWhileItHasItsOwnUndo() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const Tournament opened = w.main.Data();
  w.Retype(w.Box("ScoreA"), "345");
  QTest::mouseClick(w.Game()->Widget("Next"), Qt::LeftButton);
  QCOMPARE(w.main.Data().Games[0].ScoreA, 345);
  QCOMPARE(w.main.Commands().Steps().CurrentStep(), std::size_t(1));

  // Game 2: the box undoes its own typing first, the program's Undo only then.
  QLineEdit* score = w.Box("ScoreA");
  const QString shown = score->text();
  w.Retype(score, "77");
  QVERIFY(QApplication::focusWidget() == score);
  for (int i = 0; i < 10 && score->isUndoAvailable(); ++i)
    QTest::keyClick(score, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(score->text(), shown);
  QCOMPARE(w.main.Commands().Steps().CurrentStep(), std::size_t(1));
  QVERIFY(w.main.Data().Games[1] == opened.Games[1]);

  QTest::keyClick(score, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(w.main.Commands().Steps().CurrentStep(), std::size_t(0));
  QVERIFY(w.main.Data().Games[0] == opened.Games[0]);
  QCOMPARE(w.main.Data().CurrentGame, 0);  // back at the game the step stored

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(w.main.Data().Games[0].ScoreA, 345);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                  Qt::ControlModifier | Qt::ShiftModifier);  // nothing left to redo
  QCOMPARE(w.main.Commands().Steps().CurrentStep(), std::size_t(1));
}

void UndoTest::historyWindowGoesToTheDoubleClickedStep() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const Tournament opened = w.main.Data();
  DialogSeams::QueueDialogAction(Accept);
  w.main.Action("SortTeams1")->trigger();
  DialogSeams::QueueDialogAction(Discard);
  w.main.Action("CloseAll1")->trigger();
  const Tournament last = w.main.Data();
  w.main.Action("History1")->trigger();
  auto* window = w.main.findChild<HistoryWindow*>();
  QVERIFY(window && window->isVisible());
  QListWidget* list = window->List();
  QCOMPARE(list->count(), 3);
  QVERIFY(list->item(1)->text().endsWith("  Sort Teams"));
  QVERIFY(list->item(2)->text().endsWith("  Close All"));

  const auto doubleClick = [list](int row) {
    const QRect cell = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  };
  doubleClick(0);
  QVERIFY(app::SameContents(w.main.Data(), opened));
  QCOMPARE(list->currentRow(), 0);
  QVERIFY(list->item(2)->font().italic());  // undone
  doubleClick(2);
  QVERIFY(app::SameContents(w.main.Data(), last));
  QVERIFY(!list->item(2)->font().italic());
}

void UndoTest::settingsStagesAndDivisionsAreUndoneOnceOkIsPressed() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(w.OpenAtStart(
      QString::fromStdString(gui::test::WriteSampleTournament(scope.dir, "divided.dat", 8, 2))));
  const Tournament opened = w.Data();
  DialogSeams::QueueDialogAction([](QDialog& d) {
    d.findChild<QLineEdit*>("TourneyName")->setText("Northfield Invitational");
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  w.Action("Stages1")->trigger();
  auto* stages = w.findChild<StagesWindow*>("Stages");
  stages->findChild<QCheckBox*>("TiebreakersCount")->toggle();
  stages->findChild<QPushButton*>("OK")->click();
  auto* divisions = w.Mdi()->findChild<DivisionsWindow*>();
  auto* memo = divisions->findChild<QPlainTextEdit*>("Memo1");
  memo->setPlainText("East\nWest");
  divisions->findChild<QPushButton*>("Enter")->click();

  const app::History& history = w.Commands().Steps();
  QCOMPARE(history.StepCount(), std::size_t(3));
  QCOMPARE(history.Step(0).Name, std::string("Settings"));
  QCOMPARE(history.Step(1).Name, std::string("Stages"));
  QCOMPARE(history.Step(2).Name, std::string("Divisions"));
  w.Action("Undo1")->trigger();
  QVERIFY(w.Data().DivisionNames == opened.DivisionNames);
  QCOMPARE(memo->toPlainText(),
           QString::fromStdString(opened.DivisionNames[0] + "\n" + opened.DivisionNames[1]));
  w.Action("Undo1")->trigger();
  QCOMPARE(w.Data().Extras.TiebreakersCount, opened.Extras.TiebreakersCount);
  w.Action("Undo1")->trigger();
  QCOMPARE(w.Data().Format.TourneyName, opened.Format.TourneyName);

  memo->setPlainText("North");  // typed, not entered yet: a Redo leaves it
  w.Action("Redo1")->trigger();
  QCOMPARE(w.Data().Format.TourneyName, std::string("Northfield Invitational"));
  QCOMPARE(memo->toPlainText(), QString("North"));
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
