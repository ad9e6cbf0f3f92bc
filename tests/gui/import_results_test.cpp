// Import Results in the desktop program: a table of 40 results previewed, a bad row
// refused by its line number, and all or nothing stored.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "gui/import_results_dialog.h"
#include "gui/main_window.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

using namespace drav;
using namespace drav::gui;

namespace {

// Ten teams meet in eight rounds of five games: 40 results.
std::string FortyResults(int badLine) {
  std::string csv = "Round,Team A,Score A,Team B,Score B\r\n";
  int line = 1;
  for (int round = 1; round <= 8; ++round) {
    for (int g = 0; g < 5; ++g) {
      const int a = g, b = 5 + (g + round) % 5;
      ++line;
      const std::string scoreA = line == badLine ? "2x0" : std::to_string(200 + 10 * g);
      csv += std::to_string(round) + ",Team " + std::to_string(a) + "," + scoreA + ",Team " +
             std::to_string(b) + "," + std::to_string(100 + 10 * round) + "\r\n";
    }
  }
  return csv;
}

struct Seen {
  int rows = 0;
  bool okEnabled = false;
  QString summary;
};

// Looks at the preview and answers it.
void AnswerPreview(Seen* seen, int answer) {
  DialogSeams::QueueDialogAction([seen, answer](QDialog& d) {
    auto* preview = qobject_cast<ImportResultsDialog*>(&d);
    if (!preview) return int(QDialog::Rejected);
    seen->rows = preview->Table()->rowCount();
    seen->okEnabled = preview->OkButton()->isEnabled();
    seen->summary = preview->findChild<QLabel*>("Summary")->text();
    return answer;
  });
}

}  // namespace

class ImportResultsTest : public QObject {
  Q_OBJECT

 private slots:
  void fortyResultsArePreviewedARowIsRefusedByLineAndAllOrNothingIsStored();
};

void ImportResultsTest::fortyResultsArePreviewedARowIsRefusedByLineAndAllOrNothingIsStored() {
  gui::test::GuiTestScope scope;
  MainWindow w;
  Tournament& t = w.Data();
  for (int i = 0; i < 10; ++i) t.Rosters.push_back({"Team " + std::to_string(i)});
  t.TeamDivision.assign(10, -1);
  t.ExhibitionTeam.assign(10, 0);
  const std::string path = scope.dir + "/round.csv";

  // Line 17 has a score that is not a number: the preview says so and cannot be taken.
  drav::test::WriteFile(path, FortyResults(17));
  Seen seen;
  DialogSeams::QueueFileName(QString::fromStdString(path));
  AnswerPreview(&seen, QDialog::Accepted);
  w.Action("ImportResults1")->trigger();
  QCOMPARE(seen.rows, 40);
  QVERIFY(!seen.okEnabled);
  QVERIFY2(seen.summary.contains("line 17: bad score A \"2x0\""), qPrintable(seen.summary));
  QCOMPARE(t.GameCount(), 0);

  // Mended, all 40 games are stored at once, score-only, in one step.
  drav::test::WriteFile(path, FortyResults(0));
  DialogSeams::QueueFileName(QString::fromStdString(path));
  AnswerPreview(&seen, QDialog::Accepted);
  w.Action("ImportResults1")->trigger();
  QVERIFY(seen.okEnabled);
  QVERIFY2(seen.summary.startsWith("40 games"), qPrintable(seen.summary));
  QCOMPARE(t.GameCount(), 40);
  for (const GameStats& g : t.Games) QVERIFY(g.ScoreOnly);
  QCOMPARE(t.Games[39].Round, 8);
}

QTEST_MAIN(ImportResultsTest)
#include "import_results_test.moc"
