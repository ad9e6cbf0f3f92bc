// A director at the live table: New Tournament over an open event, Close All then a new one.
#include <QAction>
#include <QMessageBox>
#include <QtTest>

#include "gui/main_window.h"
#include "gui_test_support.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

using namespace drav;
using namespace drav::gui;

namespace {

// Answers the next message box with button, keeping its text.
void AnswerBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  DialogSeams::QueueDialogAction([button, text](QDialog& d) {
    auto* box = qobject_cast<QMessageBox*>(&d);
    if (!box) return int(QMessageBox::Cancel);
    if (text) *text = box->text();
    return int(button);
  });
}

void AcceptOptions() {
  DialogSeams::QueueDialogAction([](QDialog&) { return int(QDialog::Accepted); });
}

}  // namespace

class LiveTableTest : public QObject {
  Q_OBJECT

 private slots:
  void newTournamentOverAnEventSaysWhatItDoesAndCancelKeepsIt();
  void closeAllThenNewTournamentCarriesNoOldIdentity();
};

void LiveTableTest::newTournamentOverAnEventSaysWhatItDoesAndCancelKeepsIt() {
  gui::test::GuiTestScope scope;
  const std::string path = gui::test::WriteSampleTournament(scope.dir, "event.dat");
  const std::string onDisk = drav::test::ReadFile(path);
  MainWindow w;
  QVERIFY(w.OpenAtStart(QString::fromStdString(path)));
  const int teams = w.Data().TeamCount(), games = w.Data().GameCount();
  const std::string before = SerializeTournament(w.Data());

  QString notice;
  AnswerBox(QMessageBox::Cancel, &notice);
  w.Action("NewTournament1")->trigger();
  QVERIFY(notice.startsWith(QString("New Tournament keeps the %1 teams and %2 games of event.dat")
                                .arg(teams)
                                .arg(games)));
  QVERIFY(notice.endsWith("The file changes only when you save."));
  QCOMPARE(SerializeTournament(w.Data()), before);

  // OK goes on to the options; the teams and games stay, the file is untouched until saved.
  AnswerBox(QMessageBox::Ok);
  AcceptOptions();
  w.Action("NewTournament1")->trigger();
  QCOMPARE(w.Data().TeamCount(), teams);
  QCOMPARE(w.Data().GameCount(), games);
  QCOMPARE(drav::test::ReadFile(path), onDisk);
}

void LiveTableTest::closeAllThenNewTournamentCarriesNoOldIdentity() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  QVERIFY(w.OpenAtStart(
      QString::fromStdString(gui::test::WriteSampleTournament(scope.dir, "fall.dat"))));
  w.Data().Format.TourneyName = "Fall Open";
  w.Data().Format.BaseName = "fall";
  w.Data().Format.HostAddress = "ftp.example.org";
  w.Data().Format.UserName = "director";
  AnswerBox(QMessageBox::Discard);
  w.Action("CloseAll1")->trigger();
  QCOMPARE(w.Data().TeamCount(), 0);

  // Nothing open: New Tournament goes straight to the options.
  AcceptOptions();
  w.Action("NewTournament1")->trigger();
  QCOMPARE(w.Data().Format.TourneyName, std::string());
  QCOMPARE(w.Data().Format.BaseName, std::string());
  QCOMPARE(w.Data().Format.HostAddress, std::string("ftp.example.org"));
  QCOMPARE(w.Data().Format.UserName, std::string("director"));
}

QTEST_MAIN(LiveTableTest)
#include "live_table_test.moc"
