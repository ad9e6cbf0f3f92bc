#include "gui/print_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "gui/dialog_seams.h"
#include "gui/text_codec.h"
#include "model/numbers.h"

namespace drav::gui {

int QuickPrintFontSizeFromText(const QString& text) {
  const int size = LenientInt(FromQt(text), 10);
  if (size < kMinFontSize) return kMinFontSize;
  if (size > kMaxFontSize) return kMaxFontSize;
  return size;
}

namespace {
QFont FixedPitchFont(int size) {
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSize(size);
  return font;
}
}  // namespace

PrintWindow::PrintWindow(Tournament& t, QPrinter* printer, const QString& title,
                         const QStringList& lines, QWidget* parent)
    : QWidget(parent), t_(t), printer_(printer) {
  setObjectName("PrintQR");
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* label = new QLabel("Font Size", this);
  label->setObjectName("Label1");
  edit1_ = new QLineEdit(QString::number(t_.Format.QuickPrintFontSize), this);
  edit1_->setObjectName("Edit1");
  edit1_->setFixedWidth(56);
  edit1_->setValidator(new QIntValidator(0, kMaxFontSize, edit1_));
  edit1_->setToolTip(QString("Font size, %1 to %2").arg(kMinFontSize).arg(kMaxFontSize));
  label->setBuddy(edit1_);
  auto* print = new QPushButton("Print Report", this);
  print->setObjectName("PrintButton");
  bar->addWidget(label);
  bar->addWidget(edit1_);
  bar->addSpacing(16);
  bar->addWidget(print);
  bar->addStretch();
  layout->addLayout(bar);

  richEdit1_ = new QPlainTextEdit(this);
  richEdit1_->setObjectName("RichEdit1");
  richEdit1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  richEdit1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setFont(FixedPitchFont(QuickPrintFontSizeFromText(edit1_->text())));
  richEdit1_->setPlainText(lines.join('\n'));
  layout->addWidget(richEdit1_);

  connect(edit1_, &QLineEdit::textChanged, this, &PrintWindow::Edit1Change);
  connect(print, &QPushButton::clicked, this, &PrintWindow::PrintButtonClick);
  resize(872, 566);
}

QString PrintWindow::Text() const { return richEdit1_->toPlainText(); }
int PrintWindow::FontSize() const { return richEdit1_->font().pointSize(); }

void PrintWindow::ApplyFontSize() {
  richEdit1_->setFont(FixedPitchFont(QuickPrintFontSizeFromText(edit1_->text())));
}

void PrintWindow::Edit1Change() {
  ApplyFontSize();
  // The next QuickPrint window opens with this size while the program runs.
  t_.Format.QuickPrintFontSize = FontSize();
}

bool PrintWindow::PrintTo(QPrinter& printer) {
  printer.setDocName("Report");
  QTextDocument document;
  document.setDefaultFont(richEdit1_->font());
  document.setPlainText(richEdit1_->toPlainText());
  document.print(&printer);
  return true;
}

bool PrintWindow::PrintButtonClick() {
  ApplyFontSize();
  if (printer_ != nullptr) {
    const bool pdfChosen = printer_->outputFormat() == QPrinter::PdfFormat &&
                           !printer_->outputFileName().isEmpty();
    const bool realPrinter = printer_->outputFormat() == QPrinter::NativeFormat &&
                             !QPrinterInfo::availablePrinters().isEmpty();
    if (pdfChosen || realPrinter) return PrintTo(*printer_);
  }
  // No printer on this machine: print into a PDF file instead of printing nowhere.
  auto file = DialogSeams::AskSaveFileName(this, "Print to PDF File");
  if (!file) return false;
  if (QFileInfo(*file).suffix().isEmpty()) *file += ".pdf";
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(*file);
  const bool printed = PrintTo(pdf);
  if (auto* frame = qobject_cast<QMainWindow*>(window()))
    frame->statusBar()->showMessage("Printed to " + QDir::toNativeSeparators(*file));
  return printed;
}

}  // namespace drav::gui
