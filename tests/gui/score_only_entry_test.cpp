// Game Entry in score-only mode, typed with the keyboard alone.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "gui/game_entry_window.h"
#include "gui_test_support.h"

using namespace drav;
using namespace drav::gui;

namespace {

// Four teams, the last without a player list: fine when its games are score-only.
Tournament FourTeams() {
  Tournament t;
  t.QuestionValues = {15, 10, -5, 0};
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.Format.TUHeard = 1;
  t.Rosters = {{"Alpha", "Ann", "Abe"}, {"Beta", "Bob"}, {"Gamma", "Gus"}, {"Delta"}};
  t.TeamDivision = {-1, -1, -1, -1};
  t.ExhibitionTeam = {0, 0, 0, 0};
  return t;
}

QString FocusName() {
  QWidget* w = QApplication::focusWidget();
  return w ? w->objectName() : QString("(none)");
}

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), mods);
}

}  // namespace

class ScoreOnlyEntryTest : public QObject {
  Q_OBJECT

 private slots:
  void aRoundOfScoreOnlyGamesIsTypedWithTheKeyboardAlone();
};

void ScoreOnlyEntryTest::aRoundOfScoreOnlyGamesIsTypedWithTheKeyboardAlone() {
  test::GuiTestScope scope;
  Tournament t = FourTeams();
  GameEntryWindow w(t);
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
  w.Widget("TeamAName")->setFocus();
  Key(Qt::Key_S, Qt::AltModifier);  // the switch's shortcut
  // A mnemonic clicks after a short animation.
  QTRY_VERIFY(static_cast<QCheckBox*>(w.Widget("ScoreOnly"))->isChecked());
  QTRY_VERIFY(!w.Widget("Panel2")->isVisibleTo(&w));
  w.Widget("TeamAName")->setFocus();

  // Two games of round 3: Alpha-Beta 230-120 and Gamma-Delta 150-145; Delta has no players.
  const struct {
    int downsA, downsB;
    const char *scoreA, *scoreB;
  } games[] = {{1, 2, "230", "120"}, {3, 4, "150", "145"}};
  for (const auto& g : games) {
    QCOMPARE(FocusName(), QString("TeamAName"));
    for (int i = 0; i < g.downsA; ++i) Key(Qt::Key_Down);
    QVERIFY(!w.Widget("PlayerA1")->isVisibleTo(&w));
    const QStringList stops = {"TeamBName", "ScoreA", "ScoreB", "Round", "Next"};
    for (const QString& stop : stops) {
      Key(Qt::Key_Tab);
      QCOMPARE(FocusName(), stop);
      if (stop == "TeamBName")
        for (int i = 0; i < g.downsB; ++i) Key(Qt::Key_Down);
      if (stop == "ScoreA") QTest::keyClicks(QApplication::focusWidget(), g.scoreA);
      if (stop == "ScoreB") QTest::keyClicks(QApplication::focusWidget(), g.scoreB);
      if (stop == "Round") QTest::keyClicks(QApplication::focusWidget(), "3");
    }
    Key(Qt::Key_Return);
    Key(Qt::Key_Tab);  // from Next round to the next game's first box
  }

  QCOMPARE(t.GameCount(), 2);
  for (const GameStats& g : t.Games) {
    QVERIFY(g.ScoreOnly);
    QCOMPARE(g.Round, 3);
    QCOMPARE(g.PlayerA[0], -1);
  }
  QCOMPARE(t.Games[0].TeamA, 0);
  QCOMPARE(t.Games[0].TeamB, 1);
  QCOMPARE(t.Games[0].ScoreA, 230);
  QCOMPARE(t.Games[1].TeamA, 2);
  QCOMPARE(t.Games[1].TeamB, 3);
  QCOMPARE(t.Games[1].ScoreB, 145);
  QVERIFY(DialogSeams::RecordedMessages().empty());  // no warning needs a box score
}

QTEST_MAIN(ScoreOnlyEntryTest)
#include "score_only_entry_test.moc"
