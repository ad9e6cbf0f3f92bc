#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "gui/help_window.h"
#include "gui/small_dialogs.h"

using namespace drav::gui;

// The desktop program finds what is installed beside it (bin/../share) and otherwise uses the
// copies built into it.
class InstallLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void helpPrefersTheInstalledGuide();
  void helpBesideTheProgramIsFoundToo();
  void builtInGuideLinksToTheCommandLineReference();
  void programIconHasEveryInstalledSize();
};

void InstallLayoutTest::helpPrefersTheInstalledGuide() {
  QTemporaryDir root;
  QVERIFY(root.isValid());
  const QString bin = root.filePath("bin");
  QVERIFY(QDir().mkpath(bin));
  QCOMPARE(HelpSource(bin), QUrl("qrc:/help/index.html"));

  const QString help = root.filePath("share/doc/drav/help");
  QVERIFY(QDir().mkpath(help));
  QFile page(help + "/index.html");
  QVERIFY(page.open(QIODevice::WriteOnly));
  page.write("<h1>Installed</h1>");
  page.close();
  const QUrl source = HelpSource(bin);
  QVERIFY(source.isLocalFile());
  QCOMPARE(QFileInfo(source.toLocalFile()).canonicalFilePath(),
           QFileInfo(page).canonicalFilePath());
}

void InstallLayoutTest::helpBesideTheProgramIsFoundToo() {
  // The Windows layout: drav.exe with help/ and cli.md beside it.
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  QVERIFY(QDir().mkpath(folder.filePath("help")));
  QFile page(folder.filePath("help/index.html"));
  QVERIFY(page.open(QIODevice::WriteOnly));
  page.write("<h1>Beside</h1>");
  page.close();
  const QUrl source = HelpSource(folder.path());
  QVERIFY(source.isLocalFile());
  QCOMPARE(QFileInfo(source.toLocalFile()).canonicalFilePath(),
           QFileInfo(page).canonicalFilePath());
}

void InstallLayoutTest::builtInGuideLinksToTheCommandLineReference() {
  // The link is relative, so it works from the built-in copy as from the installed one.
  QTextBrowser browser;
  browser.setSource(QUrl("qrc:/help/index.html"));
  QVERIFY(browser.toHtml().contains("../cli.md"));
  browser.setSource(QUrl("qrc:/help/index.html").resolved(QUrl("../cli.md")));
  QVERIFY(browser.toPlainText().contains("drav-cli --version"));
}

void InstallLayoutTest::programIconHasEveryInstalledSize() {
  const QIcon icon = ProgramIcon();
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
    QVERIFY(!icon.pixmap(size, size).isNull());
  }
  AboutDialog about;
  const QLabel* picture = about.findChild<QLabel*>("ProgramIcon");
  QVERIFY(picture);
  QVERIFY(!picture->pixmap().isNull());
}

QTEST_MAIN(InstallLayoutTest)
#include "install_layout_test.moc"
