#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/game_entry_window.h"
#include "gui/main_window.h"
#include "gui/roster_entry_window.h"
#include "gui/small_dialogs.h"
#include "gui_test_support.h"

using namespace drav;
using namespace drav::gui;

namespace {

// Two or three teams, the values 15, 10, -5 and an unused fourth column.
Tournament SmallTournament(int bonusMode) {
  Tournament t;
  t.QuestionValues = {15, 10, -5, 0};
  t.Format.TrackBonuses = bonusMode == -1 ? 0 : 1;
  t.Format.BonusMode = bonusMode < 0 ? 0 : bonusMode;
  t.Rosters = {{"Alpha", "Ann", "Abe", "Ada", "Al", "Amy"},
               {"Beta", "Bob", "Bea", "Ben"},
               {"Gamma", "Gus", "Gil"}};
  t.TeamDivision = {-1, -1, -1};
  t.ExhibitionTeam = {0, 0, 0};
  return t;
}

GameStats Game(int teamA, int teamB, const std::string& id, int scoreA, int scoreB) {
  GameStats g;
  g.TeamA = teamA;
  g.TeamB = teamB;
  g.GID = id;
  g.ScoreA = scoreA;
  g.ScoreB = scoreB;
  g.PlayerA[0] = 0;
  g.GPA[0] = 1;
  g.PlayerB[0] = 0;
  g.GPB[0] = 1;
  g.Round = 1;
  return g;
}

QString FocusName() {
  QWidget* w = QApplication::focusWidget();
  return w ? w->objectName() : QString("(none)");
}

void Tab() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void Type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

// Tab from the current widget, checking each stop, then types text when it is not empty.
#define TAB_TO(name, text)                \
  do {                                    \
    Tab();                                \
    QCOMPARE(FocusName(), QString(name)); \
    if (QString(text).size()) Type(text); \
  } while (0)

void AnswerConfirm(bool ok) {
  DialogSeams::QueueDialogAction([ok](QDialog& d) {
    if (!qobject_cast<ConfirmDialog*>(&d)) return int(QDialog::Rejected);
    return ok ? int(QDialog::Accepted) : int(QDialog::Rejected);
  });
}

template <typename W>
W* Child(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(name);
  if (!w) qWarning("no widget %s", name);
  return w;
}

// A box the user cannot type in: read-only edit boxes show their figures, others grey out.
bool Locked(QWidget* w) {
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->isReadOnly();
  return !w->isEnabled();
}

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// The Tab stops from the focused widget until focus comes back to it.
QStringList TabCycle() {
  QStringList stops;
  const QString start = FocusName();
  for (int i = 0; i < 200; ++i) {
    Tab();
    if (FocusName() == start) break;
    stops << FocusName();
  }
  return stops;
}

}  // namespace

class EntryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void wholeGameEnteredWithTheKeyboardAlone();
  void hiddenBoxesStayHiddenAndTabSkipsThem();
  void bounceBackModeShowsItsBoxesInTabOrder();
  void previousNextGoToAndDeleteOverStoredGames();
  void warningsShownOneByOneAndStoreErrorsKeepTheGame();
  void forfeitLocksTheNumberBoxes();
  void rosterTeamsAppearInGameEntryAfterSwitchingWindows();
  void rosterDeleteRefusedOnceGamesExist();
  void gameEntryFitsTheMainWindowAtWorkingSize();
};

void EntryWindowsTest::wholeGameEnteredWithTheKeyboardAlone() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(1);
  t.Format.TUHeard = 1;
  GameEntryWindow w(t);
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
  w.Widget("TeamAName")->setFocus();
  QCOMPARE(FocusName(), QString("TeamAName"));

  // Arrow keys choose a team as a click does: the rows fill with the roster.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(static_cast<QComboBox*>(w.Widget("TeamAName"))->currentText(), QString("Alpha"));
  QCOMPARE(static_cast<QComboBox*>(w.Widget("PlayerA3"))->currentText(), QString("Ada"));
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("GPA4"))->text(), QString("1"));
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("GPA5"))->text(), QString("0"));
  QVERIFY(w.Widget("PlayerA5")->isVisibleTo(&w));
  QVERIFY(!w.Widget("PlayerA6")->isVisibleTo(&w));
  TAB_TO("TeamBName", "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(static_cast<QComboBox*>(w.Widget("TeamBName"))->currentText(), QString("Beta"));
  TAB_TO("ScoreA", "230");
  TAB_TO("ScoreB", "140");
  // Team A rows 1-4, three used columns each; row 5 (GP 0) is passed over.
  const char* countsA[4][3] = {{"2", "3", "1"}, {"1", "2", "0"}, {"1", "4", "1"}, {"0", "0", "0"}};
  for (int r = 1; r <= 4; ++r)
    for (int k = 0; k < 3; ++k) TAB_TO(QString("Q%1A%2").arg(k).arg(r), countsA[r - 1][k]);
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("PtsA1"))->text(), QString("55"));
  for (int r = 1; r <= 3; ++r)
    for (int k = 0; k < 3; ++k)
      TAB_TO(QString("Q%1B%2").arg(k).arg(r), r == 1 && k == 1 ? "5" : "1");
  TAB_TO("TUH", "20");
  // Automatic bonuses: both bonus boxes are computed and disabled, so Tab passes them.
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("BHA"))->text(), QString("13"));
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("BPA"))->text(), QString("90"));
  TAB_TO("Round", "4");
  TAB_TO("GID", "x");  // Tab selects the whole default identifier
  TAB_TO("Previous", "");
  TAB_TO("Next", "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

  QCOMPARE(t.GameCount(), 1);
  const GameStats& g = t.Games[0];
  QCOMPARE(g.TeamA, 0);
  QCOMPARE(g.TeamB, 1);
  QCOMPARE(g.ScoreA, 230);
  QCOMPARE(g.ScoreB, 140);
  QCOMPARE(g.PlayerA[2], 2);
  QCOMPARE(g.GPA[3], 1.0);
  QCOMPARE(g.GPA[4], 0.0);
  QCOMPARE(g.PlayerA[5], -1);
  QCOMPARE(g.QA(0, 0), 2);
  QCOMPARE(g.QA(2, 2), 1);
  QCOMPARE(g.PtsA[0], 55);
  QCOMPARE(g.QB(1, 0), 5);
  QCOMPARE(g.PtsB[0], 60);
  QCOMPARE(g.BHA, 13);
  QCOMPARE(g.BPA, 90);
  QCOMPARE(g.TUH, 20);
  QCOMPARE(g.Round, 4);
  QCOMPARE(g.GID, std::string("x"));
  // The window moved on to a blank new game.
  QCOMPARE(t.CurrentGame, 1);
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("GID"))->text(), QString("1"));
  QCOMPARE(static_cast<QComboBox*>(w.Widget("TeamAName"))->currentIndex(), -1);
  QVERIFY(!w.Widget("PlayerA1")->isVisibleTo(&w));
  QVERIFY(DialogSeams::RecordedMessages().empty());
}

void EntryWindowsTest::hiddenBoxesStayHiddenAndTabSkipsThem() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(-1);  // no bonus tracking
  t.Games.push_back(Game(0, 2, "g", 100, 50));
  GameEntryWindow w(t);
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));

  for (const char* name : {"Q3A1",    "Q3B1",   "BHA",           "BPA",    "BHB",        "BPB",
                           "Panel1",  "Panel3", "BonusesLabelA", "BncBkA", "BncBkPtsB",  "Panel11",
                           "Panel12", "SixtyA", "SixtyB",        "Panel8", "LtngLabelB", "TUH",
                           "TULabel", "Panel2", "OTA",           "OTB",    "PlayerB3",   "Q0B3"})
    QVERIFY2(!w.Widget(name)->isVisibleTo(&w), name);
  QCOMPARE(static_cast<QLabel*>(w.Widget("Label3"))->text(), QString("-5"));
  QCOMPARE(static_cast<QLabel*>(w.Widget("Label8"))->text(), QString(""));
  QCOMPARE(static_cast<QLabel*>(w.Widget("Label10"))->text(), QString(" GP"));

  w.Widget("TeamAName")->setFocus();
  QStringList expected{"TeamBName", "ScoreA", "ScoreB"};
  for (int r = 1; r <= 5; ++r)
    for (int k = 0; k < 3; ++k) expected << QString("Q%1A%2").arg(k).arg(r);
  for (int r = 1; r <= 2; ++r)
    for (int k = 0; k < 3; ++k) expected << QString("Q%1B%2").arg(k).arg(r);
  expected << "Round"
           << "GID"
           << "Previous"
           << "Next";
  // Every roster row is shown; rows without stored games played keep their count boxes
  // enabled, as loading leaves them.
  QStringList stops = TabCycle();
  QCOMPARE(stops, expected);
  for (const QString& stop : stops) QVERIFY(!stop.startsWith("Player") && !stop.startsWith("GP"));
}

void EntryWindowsTest::bounceBackModeShowsItsBoxesInTabOrder() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(3);
  t.Format.Sixty = 1;
  t.Format.TUHeard = 1;
  GameEntryWindow w(t);
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
  for (const char* name : {"BncBkA", "BncBkPtsB", "Panel11", "SixtyA", "TUH", "BHA", "BPB", "OTA"})
    QVERIFY2(w.Widget(name)->isVisibleTo(&w), name);
  w.Widget("ScoreB")->setFocus();
  QCOMPARE(TabCycle(), QStringList({"TUH", "SixtyA", "BncBkA", "BncBkPtsA", "BHA", "BPA", "BHB",
                                    "BPB", "BncBkB", "BncBkPtsB", "SixtyB", "Round", "GID",
                                    "Previous", "Next", "TeamAName", "TeamBName", "ScoreA"}));
}

void EntryWindowsTest::previousNextGoToAndDeleteOverStoredGames() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(0);
  t.Games = {Game(0, 1, "A1", 100, 90), Game(1, 2, "7", 80, 70), Game(2, 0, "3", 60, 50)};
  GameEntryWindow w(t);
  w.show();
  auto gid = [&] { return static_cast<QLineEdit*>(w.Widget("GID"))->text(); };
  auto click = [&](const char* name) { QTest::mouseClick(w.Widget(name), Qt::LeftButton); };
  QCOMPARE(gid(), QString("A1"));
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("ScoreA"))->text(), QString("100"));
  click("Next");
  QCOMPARE(gid(), QString("7"));
  QCOMPARE(static_cast<QComboBox*>(w.Widget("TeamBName"))->currentText(), QString("Gamma"));
  click("Previous");
  click("Previous");  // stays on the first game
  QCOMPARE(t.CurrentGame, 0);
  QCOMPARE(gid(), QString("A1"));

  // Go To stores the shown game first, then finds the identifier exactly.
  static_cast<QLineEdit*>(w.Widget("ScoreA"))->setFocus();
  QTest::keyClicks(w.Widget("ScoreA"), "5");  // 1005
  QTest::keyClicks(w.Widget("Jump"), "03");
  click("Button1");
  QCOMPARE(gid(), QString("A1"));
  QCOMPARE(t.Games[0].ScoreA, 1005);
  // No game has that Id, and the window says so.
  QCOMPARE(DialogSeams::RecordedMessages().size(), size_t(1));
  QCOMPARE(DialogSeams::RecordedMessages()[0].first, QString("No game has the Id \"03\"."));
  DialogSeams::RecordedMessages().clear();
  static_cast<QLineEdit*>(w.Widget("Jump"))->clear();
  QTest::keyClicks(w.Widget("Jump"), "3");
  QTest::keyClick(w.Widget("Jump"), Qt::Key_Return);
  QCOMPARE(t.CurrentGame, 2);
  QCOMPARE(gid(), QString("3"));

  // Delete asks first; Cancel keeps the game, OK removes it and steps back.
  AnswerConfirm(false);
  click("DeleteGame");
  QCOMPARE(t.GameCount(), 3);
  AnswerConfirm(true);
  click("DeleteGame");
  QCOMPARE(t.GameCount(), 2);
  QCOMPARE(t.CurrentGame, 1);
  QCOMPARE(gid(), QString("7"));
  QCOMPARE(t.Games[1].GID, std::string("7"));

  // Next past the end shows a blank new game with its position as identifier.
  click("Next");
  click("Next");
  QCOMPARE(gid(), QString("3"));
  QCOMPARE(t.GameCount(), 2);
  QVERIFY(DialogSeams::RecordedMessages().empty());
}

void EntryWindowsTest::warningsShownOneByOneAndStoreErrorsKeepTheGame() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(0);
  t.Format.Warning1 = 1;
  t.Format.Warning7 = 1;
  GameStats g = Game(1, 1, "w", 10, 10);
  g.TUH = -1;
  t.Games = {g};
  GameEntryWindow w(t);
  w.show();
  QTest::mouseClick(w.Widget("Next"), Qt::LeftButton);
  auto& messages = DialogSeams::RecordedMessages();
  QCOMPARE(messages.size(), size_t(2));
  QCOMPARE(messages[0], qMakePair(QString("Team Playing Itself"), QString("Warning")));
  QCOMPARE(messages[1], qMakePair(QString("Negative Toss-Ups Heard"), QString("Warning")));
  QCOMPARE(t.CurrentGame, 1);

  // An unreadable games-played text: typing goes on undisturbed; Next reports it as an
  // error, stores nothing and stays.
  messages.clear();
  QTest::mouseClick(w.Widget("Previous"), Qt::LeftButton);
  messages.clear();
  auto* gp = static_cast<QLineEdit*>(w.Widget("GPA1"));
  gp->clear();
  QTest::keyClicks(gp, "1/0");
  QVERIFY(messages.empty());
  QTest::mouseClick(w.Widget("Next"), Qt::LeftButton);
  QCOMPARE(messages.size(), size_t(1));
  QCOMPARE(messages[0].second, QString("Error"));
  QCOMPARE(messages[0].first, QString("Games played in row 1 of team A: '1/0' divides by zero"));
  QCOMPARE(t.CurrentGame, 0);
  QCOMPARE(t.Games[0].GPA[0], 1.0);
  QCOMPARE(gp->text(), QString("1/0"));
}

void EntryWindowsTest::forfeitLocksTheNumberBoxes() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(1);
  t.Games = {Game(0, 1, "f", 100, 90)};
  GameEntryWindow w(t);
  w.show();
  QTest::mouseClick(w.Widget("Forfeit"), Qt::LeftButton);
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("ScoreA"))->text(), QString("W"));
  QCOMPARE(static_cast<QLineEdit*>(w.Widget("ScoreB"))->text(), QString("L"));
  for (const char* name : {"ScoreA", "GPA1", "Q0A1", "Q2B1", "TUH"})
    QVERIFY2(Locked(w.Widget(name)), name);
  QVERIFY(w.Widget("Round")->isEnabled());
  QVERIFY(w.Widget("PlayerA1")->isEnabled());
  QTest::mouseClick(w.Widget("Next"), Qt::LeftButton);
  QCOMPARE(t.Games[0].Forfeit, 1);
  QCOMPARE(t.Games[0].ScoreA, -1);
  QTest::mouseClick(w.Widget("Previous"), Qt::LeftButton);
  QVERIFY(static_cast<QCheckBox*>(w.Widget("Forfeit"))->isChecked());
  QVERIFY(Locked(w.Widget("Q0A1")));
  // Unticking unlocks everything but the automatic bonus boxes.
  QTest::mouseClick(w.Widget("Forfeit"), Qt::LeftButton);
  QVERIFY(!Locked(w.Widget("Q0A1")));
  QVERIFY(Locked(w.Widget("BPA")));
}

void EntryWindowsTest::rosterTeamsAppearInGameEntryAfterSwitchingWindows() {
  test::GuiTestScope scope;
  MainWindow main;
  DialogSeams::QueueDialogAction([](QDialog&) { return int(QDialog::Accepted); });
  main.Action("NewTournament1")->trigger();
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  auto* game = main.Mdi()->findChild<GameEntryWindow*>();
  auto* roster = main.Mdi()->findChild<RosterEntryWindow*>();
  QVERIFY(game && roster);
  QMdiSubWindow* gameSub = nullptr;
  QMdiSubWindow* rosterSub = nullptr;
  for (QMdiSubWindow* sub : main.Mdi()->subWindowList()) {
    if (sub->widget() == game) gameSub = sub;
    if (sub->widget() == roster) rosterSub = sub;
  }
  main.Mdi()->setActiveSubWindow(rosterSub);
  QCOMPARE(roster->windowTitle(), QString("Roster Entry"));
  QVERIFY(!Child<QComboBox>(*roster, "Division")->isVisibleTo(roster));

  auto* team = Child<QLineEdit>(*roster, "Team");
  auto* players = Child<QPlainTextEdit>(*roster, "Memo1");
  const QStringList teams[2] = {{"Alpha", "Ann", "Abe"}, {"Beta", "Bob", "Bea", "Ben"}};
  for (const QStringList& entry : teams) {
    QTest::keyClicks(team, entry[0]);
    for (int i = 1; i < entry.size(); ++i) {
      QTest::keyClicks(players, entry[i]);
      QTest::keyClick(players, Qt::Key_Return);
    }
    QTest::mouseClick(Child<QPushButton>(*roster, "Next"), Qt::LeftButton);
    QCOMPARE(team->text(), QString());
    QCOMPARE(players->toPlainText(), QString());
  }
  Tournament& t = main.Data();
  QCOMPARE(t.TeamCount(), 2);
  QCOMPARE(t.Rosters[1], (std::vector<std::string>{"Beta", "Bob", "Bea", "Ben"}));
  QCOMPARE(t.TeamDivision, (std::vector<int>{-1, -1}));

  auto* teamA = static_cast<QComboBox*>(game->Widget("TeamAName"));
  QCOMPARE(teamA->count(), 0);
  // Leaving the roster window stores the team typed there, as Next would.
  QTest::keyClicks(team, "Half typed");
  main.Mdi()->setActiveSubWindow(gameSub);
  QCOMPARE(Items(teamA), QStringList({"Alpha", "Beta", "Half typed"}));
  QCOMPARE(Items(static_cast<QComboBox*>(game->Widget("TeamBName"))),
           QStringList({"Alpha", "Beta", "Half typed"}));
  teamA->setCurrentIndex(1);
  emit teamA->activated(1);
  QCOMPARE(Items(static_cast<QComboBox*>(game->Widget("PlayerA2"))),
           QStringList({"Bob", "Bea", "Ben"}));

  // Coming back to the roster window shows the team as stored.
  main.Mdi()->setActiveSubWindow(rosterSub);
  QCOMPARE(team->text(), QString("Half typed"));
  QCOMPARE(t.TeamCount(), 3);
  QTest::mouseClick(Child<QPushButton>(*roster, "Previous"), Qt::LeftButton);
  QCOMPARE(team->text(), QString("Beta"));
  QCOMPARE(players->toPlainText(), QString("Bob\nBea\nBen"));
}

void EntryWindowsTest::rosterDeleteRefusedOnceGamesExist() {
  test::GuiTestScope scope;
  Tournament t = SmallTournament(0);
  t.Format.Divisions = 1;
  t.DivisionNames = {"North", "South"};
  t.TeamDivision = {1, 0, -1};
  RosterEntryWindow w(t);
  w.show();
  auto* division = Child<QComboBox>(w, "Division");
  QVERIFY(division->isVisibleTo(&w));
  QCOMPARE(Items(division), QStringList({"North", "South"}));
  QCOMPARE(division->currentText(), QString("South"));
  QVERIFY(!Child<QCheckBox>(w, "ExbTeam")->isChecked());

  t.Games = {Game(0, 1, "1", 10, 5)};
  QTest::mouseClick(Child<QPushButton>(w, "DeleteTeamButton"), Qt::LeftButton);
  const auto& messages = DialogSeams::RecordedMessages();
  QCOMPARE(messages.size(), size_t(1));
  QCOMPARE(messages[0], qMakePair(QString("You cannot delete a team once games have been entered"),
                                  QString("Error")));
  QCOMPARE(t.TeamCount(), 3);

  t.Games.clear();
  AnswerConfirm(true);
  QTest::mouseClick(Child<QPushButton>(w, "DeleteTeamButton"), Qt::LeftButton);
  QCOMPARE(t.TeamCount(), 2);
  QCOMPARE(Child<QLineEdit>(w, "Team")->text(), QString("Beta"));
  QCOMPARE(division->currentText(), QString("North"));
}

void EntryWindowsTest::gameEntryFitsTheMainWindowAtWorkingSize() {
  test::GuiTestScope scope;
  MainWindow main;
  main.resize(1280, 800);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  const std::string path = test::WriteSampleTournament(scope.dir, "t.dat");
  QVERIFY(main.OpenAtStart(QString::fromStdString(path)));
  auto* game = main.Mdi()->findChild<GameEntryWindow*>();
  QVERIFY(game);
  QTest::qWait(20);
  // Nothing is squeezed, and both teams' eight rows, the strip and the bottom bar lie
  // inside the visible area.
  QVERIFY(game->width() >= game->sizeHint().width());
  QVERIFY(game->height() >= game->sizeHint().height());
  const QRect area = main.Mdi()->viewport()->rect();
  QList<QWidget*> parts{game->findChild<QWidget*>("TeamAPanel"),
                        game->findChild<QWidget*>("TeamBPanel"),
                        game->Widget("Panel2"),
                        game->Widget("Round"),
                        game->Widget("Next"),
                        game->Widget("DeleteGame")};
  for (QWidget* w : parts) {
    QVERIFY(w);
    if (!w->isVisibleTo(game)) continue;
    const QRect r(w->mapTo(main.Mdi()->viewport(), QPoint(0, 0)), w->size());
    QVERIFY2(area.contains(r), qPrintable(w->objectName()));
  }
}

QTEST_MAIN(EntryWindowsTest)
#include "entry_windows_test.moc"
