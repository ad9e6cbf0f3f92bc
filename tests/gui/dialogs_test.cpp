#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "gui/list_windows.h"
#include "gui/main_window.h"
#include "gui/settings_dialog.h"
#include "gui/small_dialogs.h"
#include "gui/text_codec.h"
#include "gui_test_support.h"

using namespace drav;
using namespace drav::gui;

namespace {

template <typename T>
T* Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  if (!child) qFatal("no control %s", name);
  return child;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void settingsOpensOnEachMenuPage();
  void settingsLoadShowsEveryPage();
  void settingsStoreFromEveryPage();
  void settingsCancelKeepsSettings();
  void divisionsToggleRebuildsChildren();
  void divisionsEnterDropsEmptyLines();
  void packetNamesEnterKeepsEmptyLinesAndCancelChangesNothing();
  void confirmAndAboutTexts();
  void textCodecFallsBackToWindows1252();
};

void DialogsTest::settingsOpensOnEachMenuPage() {
  test::GuiTestScope scope;
  MainWindow w;
  const char* const items[6] = {"Options1", "FTP1", "Reports2", "Sorting1", "Warnings1", "Scheduling2"};
  const char* const captions[6] = {"General", "FTP", "Reports", "Sorting", "Warnings", "Scheduling"};
  for (int page = 0; page < 6; ++page) {
    int shown = -1;
    QString caption;
    DialogSeams::QueueDialogAction([&](QDialog& d) {
      auto* tabs = Child<QTabWidget>(d, "PageControl1");
      shown = tabs->currentIndex();
      caption = tabs->tabText(shown);
      return int(QDialog::Rejected);
    });
    w.Action(items[page])->trigger();
    QCOMPARE(shown, page);
    QCOMPARE(caption, QString(captions[page]));
  }
}

void DialogsTest::settingsLoadShowsEveryPage() {
  test::GuiTestScope scope;
  TourneyFormat f;
  f.TourneyName = "Fall Open";
  f.AllRounds = 0;
  f.RoundsMin = 3;
  f.RoundsMax = 5;
  f.AutoSaveMin = 0;
  f.HostAddress = "ftp.example.org";
  f.Password = "pw";
  f.Paths = 0;
  f.RoundReports = 1;
  f.StatKeyFile = "_key.html";
  f.SortCriterion = 0;
  f.Warning5 = 1;
  f.SwissTUH = 0;
  f.RRNoLimit = 0;
  f.RRRooms = 4;
  f.RandomRounds = 7;
  SettingsDialog d(app::SettingsForm::Load(f, 2));
  QCOMPARE(Child<QTabWidget>(d, "PageControl1")->currentIndex(), 2);
  QCOMPARE(Child<QLineEdit>(d, "TourneyName")->text(), QString("Fall Open"));
  QVERIFY(Child<QRadioButton>(d, "SelectedRounds")->isChecked());
  QCOMPARE(Child<QLineEdit>(d, "RoundsMin")->text(), QString("3"));
  QCOMPARE(Child<QLineEdit>(d, "RoundsMax")->text(), QString("5"));
  QVERIFY(!Child<QCheckBox>(d, "AutoSave")->isChecked());
  QCOMPARE(Child<QLineEdit>(d, "AutoSaveMin")->text(), QString("10"));
  QCOMPARE(Child<QLineEdit>(d, "HostAddress")->text(), QString("ftp.example.org"));
  QCOMPARE(Child<QLineEdit>(d, "Password")->echoMode(), QLineEdit::Password);
  QVERIFY(!Child<QCheckBox>(d, "Paths")->isChecked());
  QVERIFY(Child<QCheckBox>(d, "RoundReports")->isChecked());
  QVERIFY(Child<QRadioButton>(d, "ReportClassic")->isChecked());
  QCOMPARE(Child<QLineEdit>(d, "Edit7")->text(), QString("_key.html"));
  QCOMPARE(Child<QLineEdit>(d, "Edit1")->text(), QString("_standings.html"));
  for (const char* b : {"RP", "RHP", "RS", "RT", "RHT"}) QVERIFY(!Child<QRadioButton>(d, b)->isChecked());
  QVERIFY(Child<QCheckBox>(d, "Warning5")->isChecked());
  QVERIFY(!Child<QCheckBox>(d, "Warning1")->isChecked());
  QVERIFY(Child<QRadioButton>(d, "SwissPPG")->isChecked());
  QVERIFY(Child<QRadioButton>(d, "RRLimit")->isChecked());
  QCOMPARE(Child<QLineEdit>(d, "RRRooms")->text(), QString("4"));
  QVERIFY(Child<QRadioButton>(d, "RandomNoLimit")->isChecked());
  QCOMPARE(Child<QLineEdit>(d, "RandomRounds")->text(), QString("7"));
  // No criterion chosen: OK keeps it.
  QCOMPARE(d.Form().SortButton, 0);
}

void DialogsTest::settingsStoreFromEveryPage() {
  test::GuiTestScope scope;
  MainWindow w;
  DialogSeams::QueueDialogAction([](QDialog& d) {
    Child<QLineEdit>(d, "TourneyName")->setText("Winter Cup ✓");
    Child<QRadioButton>(d, "SelectedRounds")->setChecked(true);
    Child<QLineEdit>(d, "RoundsMin")->setText("2");
    Child<QLineEdit>(d, "RoundsMax")->setText("x");
    Child<QCheckBox>(d, "AutoSave")->setChecked(true);
    Child<QLineEdit>(d, "AutoSaveMin")->setText("0");
    Child<QLineEdit>(d, "HostAddress")->setText("host:2121");
    Child<QLineEdit>(d, "UserName")->setText("director");
    Child<QLineEdit>(d, "Password")->setText("secret");
    Child<QLineEdit>(d, "Directory")->setText("www");
    Child<QLineEdit>(d, "BaseName")->setText("winter");
    Child<QCheckBox>(d, "Paths")->setChecked(false);
    Child<QCheckBox>(d, "Scoreboard")->setChecked(false);
    Child<QCheckBox>(d, "StyleSheet")->setChecked(true);
    Child<QLineEdit>(d, "Edit8")->setText("/styles/site.css");
    Child<QLineEdit>(d, "Edit3")->setText("_board.html");
    Child<QCheckBox>(d, "BritishStyle")->setChecked(true);
    Child<QRadioButton>(d, "ReportModern")->setChecked(true);
    Child<QRadioButton>(d, "RS")->setChecked(true);
    Child<QCheckBox>(d, "TUHSort")->setChecked(true);
    Child<QCheckBox>(d, "Warning7")->setChecked(true);
    Child<QCheckBox>(d, "RepeatBox")->setChecked(false);
    Child<QRadioButton>(d, "SwissPPG")->setChecked(true);
    Child<QRadioButton>(d, "RRLimit")->setChecked(true);
    Child<QLineEdit>(d, "RRRooms")->setText("3");
    Child<QRadioButton>(d, "RandomLimit")->setChecked(true);
    Child<QLineEdit>(d, "RandomRooms")->setText("none");
    Child<QLineEdit>(d, "RandomRounds")->setText("6");
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  const TourneyFormat& f = w.Data().Format;
  QCOMPARE(ToQt(f.TourneyName), QString("Winter Cup ✓"));
  QCOMPARE(f.AllRounds, 0);
  QCOMPARE(f.RoundsMin, 2);
  QCOMPARE(f.RoundsMax, 1);
  QCOMPARE(f.AutoSaveMin, 10);
  QVERIFY(w.AutosaveTimerObject()->isActive());
  QCOMPARE(w.AutosaveTimerObject()->interval(), 600000);
  QCOMPARE(f.HostAddress, std::string("host:2121"));
  QCOMPARE(f.UserName, std::string("director"));
  QCOMPARE(f.Password, std::string("secret"));
  QCOMPARE(f.Directory, std::string("www"));
  QCOMPARE(f.BaseName, std::string("winter"));
  QCOMPARE(f.Paths, 0);
  QCOMPARE(f.Scoreboard, 0);
  QCOMPARE(f.StyleSheet, 1);
  QCOMPARE(f.StyleSheetFile, std::string("/styles/site.css"));
  QCOMPARE(f.ScoreboardFile, std::string("_board.html"));
  QCOMPARE(f.BritishStyle, 1);
  QVERIFY(w.Data().Extras.Report == ReportStyle::Modern);
  QCOMPARE(f.SortCriterion, 3);
  QCOMPARE(f.TUHSort, 1);
  QCOMPARE(f.Warning7, 1);
  QCOMPARE(f.RepeatAvoidance, 0);
  QCOMPARE(f.SwissTUH, 0);
  QCOMPARE(f.RRNoLimit, 0);
  QCOMPARE(f.RRRooms, 3);
  QCOMPARE(f.RandomNoLimit, 0);
  QCOMPARE(f.RandomRooms, 0);
  QCOMPARE(f.RandomRounds, 6);

  // Switching autosave off stops the timer.
  DialogSeams::QueueDialogAction([](QDialog& d) {
    Child<QCheckBox>(d, "AutoSave")->setChecked(false);
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  QVERIFY(!w.AutosaveTimerObject()->isActive());
  QCOMPARE(w.Data().Format.AutoSaveMin, 0);
}

void DialogsTest::settingsCancelKeepsSettings() {
  test::GuiTestScope scope;
  MainWindow w;
  const TourneyFormat before = w.Data().Format;
  DialogSeams::QueueDialogAction([](QDialog& d) {
    Child<QLineEdit>(d, "TourneyName")->setText("Changed");
    return int(QDialog::Rejected);
  });
  w.Action("Warnings1")->trigger();
  QVERIFY(w.Data().Format == before);
}

void DialogsTest::divisionsToggleRebuildsChildren() {
  test::GuiTestScope scope;
  MainWindow w;
  // No child window: only the setting changes.
  DialogSeams::QueueDialogAction([](QDialog& d) {
    Child<QCheckBox>(d, "Divisions")->setChecked(true);
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  QCOMPARE(w.Data().Format.Divisions, 1);
  QVERIFY(w.Mdi()->subWindowList().isEmpty());

  QVERIFY(w.OpenAtStart(QString::fromStdString(test::WriteSampleTournament(scope.dir, "a.dat"))));
  QCOMPARE(w.Mdi()->subWindowList().size(), w.Data().Format.Divisions == 1 ? 3 : 2);
  const bool hadDivisions = w.Data().Format.Divisions == 1;
  DialogSeams::QueueDialogAction([hadDivisions](QDialog& d) {
    Child<QCheckBox>(d, "Divisions")->setChecked(!hadDivisions);
    return int(QDialog::Accepted);
  });
  w.Action("Options1")->trigger();
  QCOMPARE(w.Mdi()->subWindowList().size(), hadDivisions ? 2 : 3);
  bool divisionsShown = false;
  for (QMdiSubWindow* s : w.Mdi()->subWindowList())
    divisionsShown |= s->widget()->objectName() == "DivisionsEntry";
  QCOMPARE(divisionsShown, !hadDivisions);
}

void DialogsTest::divisionsEnterDropsEmptyLines() {
  Tournament t;
  t.DivisionNames = {"North", "South"};
  t.Rosters = {{"A"}};
  t.TeamDivision = {1};
  DivisionsWindow window(t);
  auto* memo = Child<QPlainTextEdit>(window, "Memo1");
  QCOMPARE(memo->toPlainText(), QString("North\nSouth"));
  memo->setPlainText("East\n\nWest");
  Child<QPushButton>(window, "Enter")->click();
  QCOMPARE(t.DivisionNames, (std::vector<std::string>{"East", "West"}));
  QCOMPARE(t.TeamDivision, std::vector<int>{1});
  memo->clear();
  Child<QPushButton>(window, "Enter")->click();
  QVERIFY(t.DivisionNames.empty());
  QCOMPARE(t.TeamDivision, std::vector<int>{1});
}

void DialogsTest::packetNamesEnterKeepsEmptyLinesAndCancelChangesNothing() {
  test::GuiTestScope scope;
  MainWindow w;
  w.Data().PacketNames = {"Packet 1"};
  w.Action("PacketNames1")->trigger();
  auto* window = w.findChild<PacketNamesWindow*>("PacketNames");
  QVERIFY(window);
  QVERIFY(window->isVisible());
  QVERIFY(!window->isModal());
  Child<QPlainTextEdit>(*window, "Memo1")->setPlainText("Edited");
  Child<QPushButton>(*window, "CancelButton")->click();
  QCOMPARE(w.Data().PacketNames, std::vector<std::string>{"Packet 1"});

  PacketNamesWindow second(w.Data());
  Child<QPlainTextEdit>(second, "Memo1")->setPlainText("Alpha\n\nGamma");
  Child<QPushButton>(second, "EnterButton")->click();
  QCOMPARE(w.Data().PacketNames, (std::vector<std::string>{"Alpha", "", "Gamma"}));
}

void DialogsTest::confirmAndAboutTexts() {
  ConfirmDialog plain(false);
  QCOMPARE(plain.windowTitle(), QString("Confirm"));
  QCOMPARE(Child<QLabel>(plain, "Label1")->text(), QString("Are you sure?"));
  QVERIFY(!plain.UnsavedLineShown());
  ConfirmDialog unsaved(true);
  QVERIFY(unsaved.UnsavedLineShown());
  QCOMPARE(Child<QLabel>(unsaved, "Label2")->text(), QString("You have unsaved data that may be lost."));
  AboutDialog about;
  QCOMPARE(about.windowTitle(), QString("About"));
  QCOMPARE(Child<QLabel>(about, "Version")->text(), QString("DRAV 4.0 Beta"));
}

void DialogsTest::textCodecFallsBackToWindows1252() {
  QCOMPARE(ToQt(std::string("Caf\xc3\xa9")), QString::fromUtf8("Café"));
  QCOMPARE(ToQt(std::string("Caf\xe9 \x93quoted\x94")), QString::fromUtf8("Café “quoted”"));
  QCOMPARE(FromQt(QString::fromUtf8("Café")), std::string("Caf\xc3\xa9"));
  QCOMPARE(ToQt(std::string()), QString());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
