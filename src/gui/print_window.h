#pragma once

#include <QWidget>

#include "model/tournament.h"

class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace drav::gui {

// The font size a QuickPrint window uses for the text of its size box: the number, or
// 10 when it is not one; kept within 6 to 72 points.
inline constexpr int kMinFontSize = 6;
inline constexpr int kMaxFontSize = 72;
int QuickPrintFontSizeFromText(const QString& text);

// TPrintQR: a report or schedule as fixed-pitch text with a font size box and
// "Print Report". The text is a snapshot; the user may edit it before printing.
class PrintWindow : public QWidget {
  Q_OBJECT
 public:
  // printer: the program's printer (Print Setup changes it); may be null.
  PrintWindow(Tournament& t, QPrinter* printer, const QString& title, const QStringList& lines,
              QWidget* parent = nullptr);

  QString Text() const;
  int FontSize() const;

  void Edit1Change();
  // Prints on the chosen printer, or, when the machine has none, into a PDF file the
  // user names. Returns false when nothing was printed.
  bool PrintButtonClick();
  // Prints the whole text as one document titled "Report".
  bool PrintTo(QPrinter& printer);

 private:
  void ApplyFontSize();

  Tournament& t_;
  QPrinter* printer_;
  QLineEdit* edit1_ = nullptr;
  QPlainTextEdit* richEdit1_ = nullptr;
};

}  // namespace drav::gui
