#include "gui/game_file_panel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "gui/game_entry_window.h"
#include "gui/game_file_import.h"
#include "gui/main_window.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

using namespace drav;
using namespace drav::gui;

namespace {

GameEntryWindow* GameWindow(MainWindow& w) {
  for (QMdiSubWindow* sub : w.Mdi()->subWindowList())
    if (auto* game = qobject_cast<GameEntryWindow*>(sub->widget())) return game;
  return nullptr;
}

QString State(GameFilePanel* panel, int row) {
  QTableWidgetItem* item = panel->Table()->item(row, 1);
  return item ? item->text() : QString();
}

}  // namespace

class GameFilePanelTest : public QObject {
  Q_OBJECT

 private slots:
  void watchedFolderImportsWithoutTouchingTheGameBeingTyped();
  void waitingFileIsSettledWithTheChosenTeam();
  void importGameFilesTakesSeveralFilesAtOnce();
  void closeAllStopsTheWatchWithALineInThePanel();
};

void GameFilePanelTest::watchedFolderImportsWithoutTouchingTheGameBeingTyped() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(
      w.OpenAtStart(QString::fromStdString(gui::test::WriteSampleTournament(scope.dir, "t.dat"))));
  const int games = w.Data().GameCount();
  const Tournament stored = w.Data();
  GameEntryWindow* entry = GameWindow(w);
  QVERIFY(entry);
  auto* round = qobject_cast<QLineEdit*>(entry->Widget("Round"));
  QVERIFY(round);
  round->setFocus();
  round->selectAll();
  QTest::keyClicks(round, "77");
  QVERIFY(!w.Commands().HasUnsavedData());

  const std::string folder = scope.dir + "/rooms";
  QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
  DialogSeams::QueueFileName(QString::fromStdString(folder));
  w.Action("WatchFolder1")->trigger();
  auto* panel = w.findChild<GameFilePanel*>();
  QVERIFY(panel && panel->Watching());
  drav::test::WriteFile(folder + "/room1.qbj",
                        gui::test::QbjMatchFile("r9-1", stored.TeamName(0), stored.TeamName(1)));

  QTRY_COMPARE_WITH_TIMEOUT(w.Data().GameCount(), games + 1, 15000);
  QCOMPARE(State(panel, 0), QString("imported"));
  QCOMPARE(round->text(), QString("77"));  // the game being typed is left alone
  QCOMPARE(w.Data().Games[0], stored.Games[0]);
  QCOMPARE(w.Data().CurrentGame, 0);
  QVERIFY(w.Commands().HasUnsavedData());
  QVERIFY(DialogSeams::RecordedMessages().empty());  // no boxes from the watcher

  panel->StopWatching();
  QVERIFY(!panel->Watching());
}

void GameFilePanelTest::waitingFileIsSettledWithTheChosenTeam() {
  gui::test::GuiTestScope scope;
  Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Harbor"}, {"Summit"}};
  GameFilePanel panel(t, QString::fromStdString(scope.dir), {}, {});
  drav::test::WriteFile(scope.dir + "/room2.qbj",
                        gui::test::QbjMatchFile("r1-2", "Harbor", "Sumit"));
  QTRY_COMPARE_WITH_TIMEOUT(State(&panel, 0), QString("waiting (unknown team)"), 15000);
  QCOMPARE(t.GameCount(), 0);
  QVERIFY(!panel.SettleButton()->isEnabled());
  panel.Table()->selectRow(0);
  QVERIFY(panel.SettleButton()->isEnabled());

  // The typo's closest team is proposed, so OK (or Enter) takes it.
  int proposed = -1;
  DialogSeams::QueueDialogAction([&proposed](QDialog& d) {
    auto* dialog = qobject_cast<TeamChoiceDialog*>(&d);
    if (!dialog) return int(QDialog::Rejected);
    proposed = dialog->Choice()->currentIndex();
    return int(QDialog::Accepted);
  });
  QTest::mouseClick(panel.SettleButton(), Qt::LeftButton);
  QCOMPARE(proposed, 2);  // Summit
  QTRY_COMPARE_WITH_TIMEOUT(t.GameCount(), 1, 15000);
  QCOMPARE(State(&panel, 0), QString("imported"));
  QCOMPARE(t.Games[0].TeamA, 0);
  QCOMPARE(t.Games[0].TeamB, 1);  // the team the director chose
  QCOMPARE(t.TeamCount(), 2);
}

void GameFilePanelTest::importGameFilesTakesSeveralFilesAtOnce() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(
      w.OpenAtStart(QString::fromStdString(gui::test::WriteSampleTournament(scope.dir, "t.dat"))));
  const int games = w.Data().GameCount();
  const std::string a = w.Data().TeamName(0), b = w.Data().TeamName(1);
  drav::test::WriteFile(scope.dir + "/a.qbj", gui::test::QbjMatchFile("a-1", a, b));
  drav::test::WriteFile(scope.dir + "/b.qbj", gui::test::QbjMatchFile("b-1", b, a));
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/a.qbj\n" + scope.dir + "/b.qbj"));
  w.Action("ImportGameFiles1")->trigger();
  QCOMPARE(w.Data().GameCount(), games + 2);
  QCOMPARE(w.Commands().Steps().UndoName(), std::string("Import 2 Match Files"));  // one step
  QCOMPARE(DialogSeams::RecordedMessages().size(), std::size_t(1));
  const QString note = DialogSeams::RecordedMessages()[0].first;
  QVERIFY2(note.startsWith("a.qbj: imported\n"), qPrintable(note));
  QVERIFY2(note.contains("b.qbj: imported\n"), qPrintable(note));

  // Into a program with nothing open: set up as New Tournament would, and shown.
  MainWindow fresh;
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/a.qbj"));
  fresh.Action("ImportGameFiles1")->trigger();
  QCOMPARE(fresh.Data().GameCount(), 1);
  QCOMPARE(fresh.Data().QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  QVERIFY(GameWindow(fresh));

  // The same files again: nothing is added twice.
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir + "/a.qbj\n" + scope.dir + "/b.qbj"));
  w.Action("ImportGameFiles1")->trigger();
  QCOMPARE(w.Data().GameCount(), games + 2);
  QVERIFY(DialogSeams::RecordedMessages().back().first.startsWith("a.qbj: skipped (duplicate)"));
}

void GameFilePanelTest::closeAllStopsTheWatchWithALineInThePanel() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  w.Data().Rosters = {{"Harbor"}, {"Summit"}};
  DialogSeams::QueueFileName(QString::fromStdString(scope.dir));
  w.Action("WatchFolder1")->trigger();
  auto* panel = w.findChild<GameFilePanel*>();
  QVERIFY(panel && panel->Watching());
  // Close All asks first (Discard in the box about the teams typed in).
  DialogSeams::QueueDialogAction([](QDialog& d) {
    return qobject_cast<QMessageBox*>(&d) ? int(QMessageBox::Discard) : int(QDialog::Accepted);
  });
  w.Action("CloseAll1")->trigger();
  QVERIFY(!panel->Watching());
  QVERIFY(panel->NoteLabel()->isVisibleTo(panel));
  QVERIFY(panel->NoteLabel()->text().startsWith("Stopped watching: Close All replaced"));
  // A file that arrives now stays out of the next tournament.
  drav::test::WriteFile(scope.dir + "/late.qbj",
                        gui::test::QbjMatchFile("late", "Harbor", "Summit"));
  QTest::qWait(1200);
  QCOMPARE(w.Data().GameCount(), 0);
}

QTEST_MAIN(GameFilePanelTest)
#include "game_file_panel_test.moc"
