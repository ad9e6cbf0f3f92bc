#pragma once

#include <QDialog>

class QTextBrowser;

namespace drav::gui {

// Help > Contents: the tournament director's guide, shipped inside the program.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace drav::gui
