#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>
#include <atomic>
#include <filesystem>
#include <thread>

#include "gui/game_entry_window.h"
#include "gui/main_window.h"
#include "gui/settings_dialog.h"
#include "gui_test_support.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/ftp_test_server.h"
#include "posting/ftp_curl_client.h"

using namespace drav;
using namespace drav::gui;

namespace {

// The real client, held at Connect until the test opens the gate: while it is held, every
// Next must still return and the later games must wait for one more post.
class GatedFtpClient : public FtpClient {
 public:
  GatedFtpClient(const std::atomic<bool>& open, std::atomic<int>& connects)
      : open_(open), connects_(connects) {}
  bool Connect(const FtpLogin& login) override {
    ++connects_;
    while (!open_ && !(cancel_ && cancel_->load()))
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return inner_.Connect(login);
  }
  bool MakeDirectory(const std::string& path) override { return inner_.MakeDirectory(path); }
  bool StoreFile(const std::string& local, const std::string& remote,
                 const FtpTransferProgress& progress) override {
    return inner_.StoreFile(local, remote, progress);
  }
  bool Disconnect() override { return inner_.Disconnect(); }
  void SetCancelFlag(const std::atomic<bool>* cancel) override {
    cancel_ = cancel;
    inner_.SetCancelFlag(cancel);
  }
  std::string LastError() const override { return inner_.LastError(); }

 private:
  const std::atomic<bool>& open_;
  std::atomic<int>& connects_;
  const std::atomic<bool>* cancel_ = nullptr;
  CurlFtpClient inner_;
};

void Choose(GameEntryWindow& w, const char* box, int downs) {
  w.Widget(box)->setFocus();
  for (int i = 0; i < downs; ++i) QTest::keyClick(w.Widget(box), Qt::Key_Down);
}

void TypeInto(GameEntryWindow& w, const char* box, const QString& text) {
  auto* edit = static_cast<QLineEdit*>(w.Widget(box));
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace

class PostAfterGameTest : public QObject {
  Q_OBJECT

 private slots:
  void threeGamesTypedWithPostAfterEveryGamePostTheNewestStandings();
};

void PostAfterGameTest::threeGamesTypedWithPostAfterEveryGamePostTheNewestStandings() {
  gui::test::GuiTestScope scope;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(scope.dir);  // the report is written here before it is sent
  drav::test::FtpTestServer server;
  Tournament start;
  start.QuestionValues = {15, 10, -5, 0};
  start.Rosters = {{"Alpha", "Ann"}, {"Beta", "Bob"}, {"Gamma", "Gus"}};
  start.TeamDivision = {-1, -1, -1};
  start.ExhibitionTeam = {0, 0, 0};
  WriteTournament(start, scope.dir + "/cup.dat");

  MainWindow w;
  w.show();
  std::atomic<bool> open{false};
  std::atomic<int> connects{0};
  w.Commands().SetFtpClientFactory(
      [&] { return std::make_unique<GatedFtpClient>(open, connects); });
  QVERIFY(w.Commands().OpenPath(scope.dir + "/cup.dat"));

  // The FTP page, filled in as the director would.
  QString protocolShown;
  DialogSeams::QueueDialogAction([&](QDialog& d) {
    auto set = [&](const char* name, const std::string& text) {
      d.findChild<QLineEdit*>(name)->setText(QString::fromStdString(text));
    };
    set("HostAddress", server.HostAddress());
    set("UserName", server.User());
    set("Password", server.Password());
    set("BaseName", "cup");
    set("Directory", "www");
    protocolShown = d.findChild<QComboBox*>("Protocol")->currentText();
    d.findChild<QCheckBox*>("PostAfterEveryGame")->setChecked(true);
    return int(QDialog::Accepted);
  });
  w.Commands().OpenSettings(1);
  QVERIFY(w.Data().Extras.Posting.PostAfterEveryGame);
  QCOMPARE(protocolShown, QString("FTP"));

  auto* entry = w.findChild<GameEntryWindow*>();
  QVERIFY(entry);
  struct Typed {
    int downsA, downsB;
    const char *scoreA, *scoreB;
  };
  const Typed games[] = {{1, 2, "210", "120"}, {1, 3, "185", "160"}, {2, 3, "415", "295"}};
  for (const Typed& g : games) {
    Choose(*entry, "TeamAName", g.downsA);
    Choose(*entry, "TeamBName", g.downsB);
    TypeInto(*entry, "ScoreA", g.scoreA);
    TypeInto(*entry, "ScoreB", g.scoreB);
    QTest::mouseClick(entry->Widget("Next"), Qt::LeftButton);
    // The first game's post starts and is held at its connection.
    if (&g == &games[0]) QTRY_COMPARE_WITH_TIMEOUT(connects.load(), 1, 30000);
  }
  // The later Nexts came back while that post could not finish.
  QCOMPARE(w.Data().GameCount(), 3);
  QCOMPARE(w.Data().Games[2].ScoreA, 415);
  QCOMPARE(connects.load(), 1);
  QVERIFY(std::filesystem::is_empty(server.Root()));

  open = true;
  const std::string standings = server.Root() + "/www/cup_standings.html";
  const std::string scoreboard = server.Root() + "/www/cup_games.html";
  auto posted = [&](const char* text) {
    return std::filesystem::exists(scoreboard) &&
           drav::test::ReadFile(scoreboard).find(text) != std::string::npos;
  };
  QTRY_VERIFY_WITH_TIMEOUT(posted("415") && posted("295"), 30000);
  w.Commands().WaitForBackgroundPosts();
  // Game 2 was never posted on its own: the newest state replaced it while it waited.
  QCOMPARE(connects.load(), 2);
  QTRY_VERIFY_WITH_TIMEOUT(w.statusBar()->currentMessage().startsWith("Posted to "), 30000);
  // Beta's points per game count the last game: (120 + 415) / 2.
  QVERIFY(drav::test::ReadFile(standings).find("267.5") != std::string::npos);
  QVERIFY(DialogSeams::RecordedMessages().empty() ||
          DialogSeams::RecordedMessages().back().second == "Warning");
  w.Commands().StopBackgroundPosts();
  std::filesystem::current_path(previous);
}

QTEST_MAIN(PostAfterGameTest)
#include "post_after_game_test.moc"
