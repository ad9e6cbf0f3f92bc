#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>
#include <filesystem>

#include "gui/game_entry_window.h"
#include "gui/game_warnings_window.h"
#include "gui/main_window.h"
#include "gui/roster_entry_window.h"
#include "gui/small_dialogs.h"
#include "gui_test_support.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

using namespace drav;
using namespace drav::gui;

namespace {

// The next Save/Discard/Cancel box is answered as a user would: Esc, or a click on a
// button. Its text is kept.
void AnswerSaveBox(std::optional<QMessageBox::StandardButton> click, QString* text) {
  DialogSeams::QueueDialogAction([click, text](QDialog& d) {
    auto* box = qobject_cast<QMessageBox*>(&d);
    if (!box) return int(QMessageBox::NoButton);
    *text = box->text();
    box->show();
    if (click)
      box->button(*click)->click();
    else
      QTest::keyClick(box, Qt::Key_Escape);
    return int(box->standardButton(box->clickedButton()));
  });
}

// The main window at working size with a sample file open, active so shortcuts reach it.
struct OpenWindow {
  explicit OpenWindow(const std::string& dir) {
    path = gui::test::WriteSampleTournament(dir, "riverside.dat");
    main.resize(1280, 800);
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(main.OpenAtStart(QString::fromStdString(path)));
    QTest::qWait(10);
    game = main.Mdi()->findChild<GameEntryWindow*>();
    roster = main.Mdi()->findChild<RosterEntryWindow*>();
    for (QMdiSubWindow* sub : main.Mdi()->subWindowList()) {
      if (sub->widget() == game) gameSub = sub;
      if (sub->widget() == roster) rosterSub = sub;
    }
  }
  QLineEdit* Box(const char* name) { return static_cast<QLineEdit*>(game->Widget(name)); }
  void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }

  MainWindow main;
  std::string path;
  GameEntryWindow* game = nullptr;
  RosterEntryWindow* roster = nullptr;
  QMdiSubWindow* gameSub = nullptr;
  QMdiSubWindow* rosterSub = nullptr;
};

}  // namespace

class NothingLostTest : public QObject {
  Q_OBJECT

 private slots:
  void pictureIsRefusedAndCtrlSLeavesItByteIdentical();
  void typedGameSurvivesOpenCancelAndIsSavedFromTheBox();
  void ctrlSAfterEditingAScoreWritesTheNewScore();
  void renamedTeamSurvivesAWindowSwitch();
  void ctrlWWritesTheReportWithGameEntryFocused();
  void numberBoxesRefuseJunkAsTyped();
  void listedShortcutsWorkFromTheEntryBoxes();
  void rowsLineUpAndNothingMovesWhenTeamsAreChosen();
  void entryWindowsDoNotOverlapWithEveryColumnOn();
  void deleteNamesTheGameAndCheckAllGamesOpensIt();
};

void NothingLostTest::pictureIsRefusedAndCtrlSLeavesItByteIdentical() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const std::string png = scope.dir + "/logo.png";
  const std::string picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
  drav::test::WriteFile(png, picture);
  const QString caption = w.main.windowTitle();
  const int games = w.main.Data().GameCount();

  for (const char* command : {"Open1", "MergeFiles1"}) {
    DialogSeams::QueueFileName(QString::fromStdString(png));
    w.main.Action(command)->trigger();
    const auto& messages = DialogSeams::RecordedMessages();
    QVERIFY(!messages.empty());
    QCOMPARE(messages.back().first, QString::fromStdString(png + " is not a DRAV tournament file"));
    QCOMPARE(w.main.windowTitle(), caption);
    QCOMPARE(w.main.Data().FileName, w.path);
    QCOMPARE(w.main.Data().GameCount(), games);
  }
  QTest::keyClick(w.Box("ScoreA"), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(drav::test::ReadFile(png), picture);
  QVERIFY(w.main.statusBar()->currentMessage().startsWith("Saved riverside.dat at "));
}

void NothingLostTest::typedGameSurvivesOpenCancelAndIsSavedFromTheBox() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  Tournament& t = w.main.Data();
  const int stored = t.GameCount();
  // A new game typed after the last one.
  for (int i = 0; i < stored; ++i) QTest::mouseClick(w.game->Widget("Next"), Qt::LeftButton);
  QCOMPARE(w.game->findChild<QLabel*>("GamePosition")->text(),
           QString("New game %1").arg(stored + 1));
  for (const char* side : {"TeamAName", "TeamBName"}) {
    auto* box = static_cast<QComboBox*>(w.game->Widget(side));
    const int index = side[4] == 'A' ? 0 : 1;
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  w.Retype(w.Box("ScoreA"), "185");
  w.Retype(w.Box("ScoreB"), "40");

  QString text;
  const std::string other = gui::test::WriteSampleTournament(scope.dir, "other.dat");
  DialogSeams::QueueFileName(QString::fromStdString(other));
  AnswerSaveBox(std::nullopt, &text);  // Esc
  w.main.Action("Open1")->trigger();
  QCOMPARE(text, QString("The game on screen has not been stored"));
  QCOMPARE(t.FileName, w.path);
  QCOMPARE(w.Box("ScoreA")->text(), QString("185"));

  AnswerSaveBox(QMessageBox::Save, &text);
  w.main.Action("Open1")->trigger();
  QCOMPARE(t.FileName, other);
  Tournament saved;
  OpenTournament(saved, w.path);
  QCOMPARE(saved.GameCount(), stored + 1);
  QCOMPARE(saved.Games.back().ScoreA, 185);
  QCOMPARE(saved.Games.back().ScoreB, 40);
}

void NothingLostTest::ctrlSAfterEditingAScoreWritesTheNewScore() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  QCOMPARE(w.game->findChild<QLabel*>("GamePosition")->text(),
           QString("Game 1 of %1").arg(w.main.Data().GameCount()));
  w.Retype(w.Box("ScoreA"), "321");
  QTest::keyClick(w.Box("ScoreA"), Qt::Key_S, Qt::ControlModifier);
  Tournament saved;
  OpenTournament(saved, w.path);
  QCOMPARE(saved.Games[0].ScoreA, 321);
  // Still on the same game, which is stored now.
  QCOMPARE(w.main.Data().CurrentGame, 0);
  QVERIFY(!w.main.Commands().HasUnsavedData());
}

void NothingLostTest::renamedTeamSurvivesAWindowSwitch() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  w.main.Mdi()->setActiveSubWindow(w.rosterSub);
  auto* team = w.roster->findChild<QLineEdit*>("Team");
  team->selectAll();
  QTest::keyClicks(team, "Lakeview");
  QCOMPARE(w.roster->findChild<QLabel*>("TeamPosition")->text(),
           QString("Team 1 of %1").arg(w.main.Data().TeamCount()));
  w.main.Mdi()->setActiveSubWindow(w.gameSub);
  QCOMPARE(w.main.Data().TeamName(0), std::string("Lakeview"));
  QCOMPARE(static_cast<QComboBox*>(w.game->Widget("TeamAName"))->itemText(0), QString("Lakeview"));
  w.main.Mdi()->setActiveSubWindow(w.rosterSub);
  QCOMPARE(team->text(), QString("Lakeview"));
}

void NothingLostTest::ctrlWWritesTheReportWithGameEntryFocused() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  w.main.Data().Format.TeamStandings = 1;
  w.main.Data().Format.StandingsFile = "_standings.html";
  w.main.Mdi()->setActiveSubWindow(w.gameSub);
  w.Box("ScoreA")->setFocus();
  QCOMPARE(QApplication::focusWidget(), w.Box("ScoreA"));
  const std::string base = scope.dir + "/cup";
  DialogSeams::QueueFileName(QString::fromStdString(base));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
  QVERIFY(std::filesystem::exists(base + "_standings.html"));
  QVERIFY(w.main.statusBar()->currentMessage().startsWith(
      QString::fromStdString("Report written to " + base + " at ")));
  QVERIFY(w.gameSub->isVisible());  // the child's own Close did not take the key
}

void NothingLostTest::listedShortcutsWorkFromTheEntryBoxes() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  // Post to Web (Ctrl+P) is left out: it would try to reach a server.
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"NewTournament1", QKeySequence("Ctrl+N")},
      {"Open1", QKeySequence("Ctrl+O")},
      {"ReadRosters1", QKeySequence("Ctrl+R")},
      {"SaveTournament2", QKeySequence("Ctrl+S")},
      {"FullReport1", QKeySequence("Ctrl+W")},
      {"QuickPrintTeams1", QKeySequence("Ctrl+T")},
      {"QuickPrintIndividuals1", QKeySequence("Ctrl+I")},
      {"QuickPrintGames1", QKeySequence("Ctrl+G")},
      {"Contents1", QKeySequence(Qt::Key_F1)}};
  QWidget* boxes[] = {w.Box("ScoreA"), w.roster->findChild<QLineEdit*>("Team")};
  for (QWidget* box : boxes) {
    for (const auto& [name, key] : shortcuts) {
      QSignalSpy spy(w.main.Action(name), &QAction::triggered);
      QApplication::setActiveWindow(&w.main);
      box->setFocus();
      QTest::keySequence(box, key);
      QVERIFY2(spy.count() == 1, name);
    }
  }
}

void NothingLostTest::rowsLineUpAndNothingMovesWhenTeamsAreChosen() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  const auto at = [&](const char* name) {
    QWidget* box = w.game->Widget(name);
    return box->mapTo(w.game, QPoint(0, 0));
  };
  for (int r = 1; r <= 4; ++r)
    QCOMPARE(at(qPrintable(QString("Q0A%1").arg(r))).y(),
             at(qPrintable(QString("Q0B%1").arg(r))).y());
  // A blank new game, then both teams chosen: the boxes already shown keep their places.
  for (int i = 0; i < w.main.Data().GameCount(); ++i)
    QTest::mouseClick(w.game->Widget("Next"), Qt::LeftButton);
  const char* fixed[] = {"ScoreA", "ScoreB", "TUH", "Round", "Next", "DeleteGame"};
  QList<QPoint> before;
  for (const char* name : fixed) before << at(name);
  for (const char* side : {"TeamAName", "TeamBName"}) {
    auto* box = static_cast<QComboBox*>(w.game->Widget(side));
    box->setCurrentIndex(2);
    emit box->activated(2);
  }
  QTest::qWait(10);
  for (int i = 0; i < 6; ++i) QCOMPARE(at(fixed[i]), before[i]);
  // Computed figures are shown read-only in the normal text colour.
  auto* pts = w.Box("PtsA1");
  QVERIFY(pts->isReadOnly() && pts->isEnabled());
  QCOMPARE(pts->palette().color(QPalette::Text), w.game->palette().color(QPalette::Text));
}

void NothingLostTest::entryWindowsDoNotOverlapWithEveryColumnOn() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  Tournament& t = w.main.Data();
  t.QuestionValues = {15, 10, -5, 20};
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 3;
  t.Format.Sixty = 1;
  t.Format.TUHeard = 1;
  t.Format.Divisions = 1;
  w.main.Commands().RebuildWindows();
  QTest::qWait(10);
  const QList<QMdiSubWindow*> windows = w.main.Mdi()->subWindowList();
  QCOMPARE(windows.size(), 3);
  const QRect area = w.main.Mdi()->viewport()->rect();
  for (QMdiSubWindow* a : windows) {
    QVERIFY2(area.contains(a->geometry()), qPrintable(a->windowTitle()));
    for (QMdiSubWindow* b : windows)
      if (a != b) {
        const QRect g = a->geometry(), h = b->geometry();
        const QString where = QString("%1 %2,%3 %4x%5 and %6 %7,%8 %9x%10")
                                  .arg(a->windowTitle()).arg(g.x()).arg(g.y()).arg(g.width())
                                  .arg(g.height()).arg(b->windowTitle()).arg(h.x()).arg(h.y())
                                  .arg(h.width()).arg(h.height());
        QVERIFY2(!g.intersects(h), qPrintable(where));
      }
  }
}

void NothingLostTest::numberBoxesRefuseJunkAsTyped() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  QLineEdit* score = w.Box("ScoreA");
  score->setFocus();
  score->selectAll();
  QTest::keyClicks(score, "-12x3");
  QCOMPARE(score->text(), QString("-123"));
  QLineEdit* gp = w.Box("GPA1");
  gp->setFocus();
  gp->selectAll();
  QTest::keyClicks(gp, "1/2/");
  QCOMPARE(gp->text(), QString("1/2"));
  QLineEdit* count = w.Box("Q0A1");
  count->setFocus();
  count->selectAll();
  QTest::keyClicks(count, "99999999999");
  QVERIFY(count->text().size() < 11);  // points beyond 32 bits never come in
}

void NothingLostTest::deleteNamesTheGameAndCheckAllGamesOpensIt() {
  gui::test::GuiTestScope scope;
  OpenWindow w(scope.dir);
  Tournament& t = w.main.Data();
  t.Games[2].TeamB = t.Games[2].TeamA;  // a team playing itself
  t.Games[2].Round = 3;
  const QString teams = QString::fromStdString(t.TeamName(t.Games[2].TeamA));

  w.main.Action("CheckAllGames1")->trigger();
  auto* list = w.main.Mdi()->findChild<GameWarningsWindow*>()->List();
  QList<QListWidgetItem*> found = list->findItems(
      QString("Round 3: %1 vs. %1: Team Playing Itself").arg(teams), Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  list->setCurrentItem(found[0]);
  emit list->itemActivated(found[0]);
  QCOMPARE(t.CurrentGame, 2);
  QCOMPARE(w.main.Mdi()->activeSubWindow(), w.gameSub);

  QString subject;
  DialogSeams::QueueDialogAction([&subject](QDialog& d) {
    if (auto* confirm = qobject_cast<ConfirmDialog*>(&d)) subject = confirm->Subject();
    return int(QDialog::Rejected);
  });
  QTest::mouseClick(w.game->Widget("DeleteGame"), Qt::LeftButton);
  QCOMPARE(subject, QString("Delete the game Round 3: %1 vs. %1?").arg(teams));
  QCOMPARE(t.GameCount(), 8);
}

QTEST_MAIN(NothingLostTest)
#include "nothing_lost_test.moc"
