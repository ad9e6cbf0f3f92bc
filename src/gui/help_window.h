#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace drav::gui {

// Where the guide is read from, for a program in programDir: the installed copy beside it
// (programDir/../share/doc/drav/help, where the command-line reference it links to sits
// too) when there is one, else the copy built into the program (a system may leave
// documentation out, and a build folder has none installed).
QUrl HelpSource(const QString& programDir);

// Help > Contents: the tournament director's guide.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace drav::gui
