#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QDialog;
class QMessageBox;
class QWidget;

namespace drav::gui {

// Every modal question the program asks goes through here, so that tests can give the
// next answer instead of a person (file names, OK/Cancel, and any dialog they want to
// drive through its real controls). Without queued answers the real dialogs run.
class DialogSeams {
 public:
  // The next file dialog answers this; nullopt answers Cancel.
  static void QueueFileName(std::optional<QString> name);
  // The next modal dialog is handed to action instead of running; its return value is
  // the dialog's result (QDialog::Accepted or Rejected).
  static void QueueDialogAction(std::function<int(QDialog&)> action);
  // In test mode a dialog without a queued answer is cancelled and message boxes are
  // recorded instead of shown, so that a test never waits for a person.
  static void SetTestMode(bool on);
  static bool TestMode();
  static std::vector<std::pair<QString, QString>>& RecordedMessages();  // text, caption
  static void Reset();

  // Used by the program.
  // folder: where the dialog starts (empty: the toolkit's choice).
  static std::optional<QString> AskOpenFileName(QWidget* parent, const QString& caption,
                                                const QString& folder = {});
  // filter: "Tournament files (*.dat);;All files (*)"; suffix: added to a name typed without
  // one, before the dialog asks about replacing a file.
  static std::optional<QString> AskSaveFileName(QWidget* parent, const QString& caption,
                                                const QString& folder = {},
                                                const QString& filter = {},
                                                const QString& suffix = {});
  // Several files at once; a queued answer holds their names one a line.
  static QStringList AskOpenFileNames(QWidget* parent, const QString& caption,
                                      const QString& filter);
  static std::optional<QString> AskFolder(QWidget* parent, const QString& caption);
  static int Exec(QDialog& dialog);
  // Warnings and errors carry the warning icon; the box is never narrower than its caption.
  static void ShowMessage(QWidget* parent, const QString& text, const QString& caption);
  // Sizes a message box so that its caption is shown whole.
  static void FitCaption(QDialog& box);
  // The box ShowMessage shows (for screenshots and tests).
  static std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text,
                                                     const QString& caption);
};

}  // namespace drav::gui
