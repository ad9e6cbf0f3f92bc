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
  void changedFileWaitsForReplaceOrKeep();
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

void GameFilePanelTest::changedFileWaitsForReplaceOrKeep() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(
      w.OpenAtStart(QString::fromStdString(gui::test::WriteSampleTournament(scope.dir, "t.dat"))));
  const int games = w.Data().GameCount();
  const std::string a = w.Data().TeamName(0), b = w.Data().TeamName(1);
  // No ids, as some moderator software writes them: known by their place in the file.
  std::string text = gui::test::QbjMatchFile("x", a, b);
  text.erase(text.find(R"("id": "x", )"), 11);
  std::string fixed = text;
  fixed.replace(fixed.find(R"("number": 1)"), 11, R"("number": 2)");
  const std::string folder = scope.dir + "/rooms";
  QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
  drav::test::WriteFile(folder + "/room1.qbj", text);
  DialogSeams::QueueFileName(QString::fromStdString(folder + "/room1.qbj"));
  w.Action("ImportGameFiles1")->trigger();
  QCOMPARE(w.Data().GameCount(), games + 1);
  const GameStats old = w.Data().Games[games];
  drav::test::WriteFile(folder + "/room1.qbj", fixed);

  // Import Game Files asks; keeping changes nothing.
  DialogSeams::QueueFileName(QString::fromStdString(folder + "/room1.qbj"));
  DialogSeams::QueueDialogAction([](QDialog& d) {
    if (auto* keep = d.findChild<QPushButton*>("KeepChanged")) keep->click();
    return int(QDialog::Rejected);
  });
  w.Action("ImportGameFiles1")->trigger();
  QCOMPARE(w.Data().Games[games], old);
  QVERIFY2(DialogSeams::RecordedMessages().back().first.contains("were kept"),
           qPrintable(DialogSeams::RecordedMessages().back().first));

  // The panel shows it and waits for the director.
  w.Data().Games.push_back(w.Data().Games[0]);  // the imported game is no longer the last
  DialogSeams::QueueFileName(QString::fromStdString(folder));
  w.Action("WatchFolder1")->trigger();
  auto* panel = w.findChild<GameFilePanel*>();
  QVERIFY(panel);
  QTRY_COMPARE_WITH_TIMEOUT(State(panel, 0), QString("changed after import"), 15000);
  QCOMPARE(w.Data().Games[games], old);
  QVERIFY(!panel->ReplaceButton()->isEnabled());
  panel->Table()->selectRow(0);
  QVERIFY(panel->ReplaceButton()->isEnabled() && panel->KeepButton()->isEnabled());
  QVERIFY(!panel->SettleButton()->isEnabled());
  QTest::mouseClick(panel->ReplaceButton(), Qt::LeftButton);
  QTRY_COMPARE_WITH_TIMEOUT(State(panel, 0), QString("imported"), 15000);
  QCOMPARE(w.Data().GameCount(), games + 2);
  QCOMPARE(w.Data().Games[games].ScoreA, old.ScoreA + 10);  // in the old game's place
  QCOMPARE(w.Data().Games[games].GID, old.GID);
  QCOMPARE(w.Commands().Steps().UndoName(), std::string("Import 1 Match File"));
  w.Commands().Undo1Click();  // one step brings the old game back
  QCOMPARE(w.Data().Games[games], old);
  QVERIFY(DialogSeams::RecordedMessages().size() == 2);  // the panel itself opened no box
}

QTEST_MAIN(GameFilePanelTest)
#include "game_file_panel_test.moc"
