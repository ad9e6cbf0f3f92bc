#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "gui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("DRAV");
  QApplication::setOrganizationName("DRAV");
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
