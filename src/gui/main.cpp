#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <exception>

#include "drav_version.h"
#include "gui/main_window.h"
#include "gui/small_dialogs.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that they work without any display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("drav %s\n", drav::kVersion);
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf(
        "usage: drav [FILE]\n  Opens the desktop program, and FILE if given.\n"
        "  --help | --version\n");
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("DRAV");
  QApplication::setOrganizationName("DRAV");
  QApplication::setApplicationVersion(drav::kVersion);
  QApplication::setDesktopFileName("io.github.drav_stats.Drav");
  QApplication::setWindowIcon(drav::gui::ProgramIcon());
  try {
    drav::gui::MainWindow window;
    window.showMaximized();
    // drav FILE opens the file, so that a file manager can open tournament files.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.OpenAtStart(args.at(1));
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "DRAV", QString::fromUtf8(e.what()));
    return 1;
  }
}
