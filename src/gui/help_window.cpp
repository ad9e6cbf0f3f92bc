#include "gui/help_window.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace drav::gui {

QUrl HelpSource(const QString& programDir) {
  // Installed under bin/../share, or beside the program as the Windows zip and installer
  // place it.
  for (const char* relative : {"../share/doc/drav/help/index.html", "help/index.html"}) {
    const QFileInfo installed(QDir(programDir).filePath(relative));
    if (installed.isFile()) return QUrl::fromLocalFile(installed.canonicalFilePath());
  }
  return QUrl("qrc:/help/index.html");
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setWindowTitle("DRAV Help");
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpBrowser");
  browser_->setOpenExternalLinks(false);
  browser_->setSource(HelpSource(QCoreApplication::applicationDirPath()));
  layout->addWidget(browser_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* back = buttons->addButton("Back", QDialogButtonBox::ActionRole);
  auto* home = buttons->addButton("Contents", QDialogButtonBox::ActionRole);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  resize(760, 620);
}

}  // namespace drav::gui
