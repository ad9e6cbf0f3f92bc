#include "gui/stages_window.h"

#include <QComboBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/main_window.h"
#include "gui/print_window.h"
#include "gui_test_support.h"
#include "storage/tournament_file.h"
#include "support/staged_tournament.h"

using namespace drav;
using namespace drav::gui;

class StagesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void rebracketsFromTheStandingsWithATieSettledAndPrintsTheStage();
};

void StagesWindowTest::rebracketsFromTheStandingsWithATieSettledAndPrintsTheStage() {
  gui::test::GuiTestScope scope;
  Tournament staged = drav::test::StagedTournament();
  const std::string path = scope.dir + "/staged.dat";
  WriteTournament(staged, path);
  MainWindow w;
  QVERIFY(w.OpenAtStart(QString::fromStdString(path)));

  w.Action("Stages1")->trigger();
  auto* window = w.findChild<StagesWindow*>("Stages");
  QVERIFY(window);
  auto* stages = window->findChild<QListWidget*>("StageList");
  QCOMPARE(stages->count(), 2);
  QCOMPARE(stages->item(0)->text(), QString::fromUtf8("Prelims (rounds 1\u20135)"));
  stages->setCurrentRow(1);
  QCOMPARE(window->findChild<QComboBox*>("FromStage")->currentText(), QString("Prelims"));
  window->findChild<QPlainTextEdit*>("Rules")->setPlainText("1-3 Championship\n4-6 Consolation");
  window->findChild<QPushButton*>("FillFromStandings")->click();

  // Pool 1's third and fourth seeds drew and finished level across the border.
  auto* ties = window->findChild<QListWidget*>("TieList");
  QCOMPARE(ties->count(), 1);
  QCOMPARE(ties->item(0)->text(), QString("Pool 1, places 3-4: Team 3, Team 4"));
  // Nothing is written while the tie is open.
  window->findChild<QPushButton*>("OK")->click();
  QVERIFY(window->isVisible());
  QCOMPARE(DialogSeams::RecordedMessages().back().first,
           QString("Settle the ties at the borders first"));
  QVERIFY(w.Data().Extras.Stages[1].Brackets.empty());

  auto* tieTeams = window->findChild<QListWidget*>("TieTeams");
  tieTeams->setCurrentRow(1);
  window->findChild<QPushButton*>("TieTeamUp")->click();
  QCOMPARE(tieTeams->item(0)->text(), QString("Team 4"));
  window->findChild<QPushButton*>("SettleTie")->click();
  QCOMPARE(ties->count(), 0);
  const QStringList brackets =
      window->findChild<QPlainTextEdit*>("BracketsText")->toPlainText().split('\n');
  QCOMPARE(brackets[0], QString("[Championship]"));
  QCOMPARE(brackets[1], QString("Team 1"));  // first places, pool by pool
  QCOMPARE(brackets[9], QString("Team 4"));  // Pool 1's third place, as settled
  QCOMPARE(brackets[13], QString("[Consolation]"));
  QCOMPARE(brackets[14], QString("Team 3"));

  window->findChild<QPushButton*>("PrintStandings")->click();
  auto* print = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QVERIFY(print);
  QCOMPARE(print->windowTitle(), QString("QuickPrint Team Standings: Playoffs"));
  const QStringList lines = print->Text().split('\n');
  QCOMPARE(lines[0], QString::fromUtf8("Playoffs (rounds 6\u20138)"));
  QCOMPARE(lines[1], QString("Championship"));
  QVERIFY(lines.contains("Consolation"));

  window->findChild<QPushButton*>("OK")->click();
  QVERIFY(!window->isVisible());
  const Stage& playoffs = w.Data().Extras.Stages[1];
  QCOMPARE(playoffs.Brackets.size(), std::size_t(2));
  QCOMPARE(playoffs.Brackets[0].Teams.size(), std::size_t(12));
  QCOMPARE(playoffs.Brackets[0].Teams[8], 3);

  // The stage's standings and the final ranking from the Reports menu.
  auto* stageMenu = w.findChild<QMenu*>("QuickPrintStage1");
  QVERIFY(stageMenu);
  emit stageMenu->aboutToShow();
  stageMenu->findChild<QAction*>("QuickPrintStage1_1")->trigger();
  print = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QCOMPARE(print->windowTitle(), QString("QuickPrint Team Standings: Playoffs"));
  w.Action("QuickPrintFinal1")->trigger();
  print = qobject_cast<PrintWindow*>(w.Mdi()->activeSubWindow()->widget());
  QCOMPARE(print->windowTitle(), QString("QuickPrint Final Ranking"));
  QVERIFY(print->Text().startsWith("Final ranking\n"));
}

QTEST_MAIN(StagesWindowTest)
#include "stages_window_test.moc"
