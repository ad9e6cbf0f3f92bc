#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>

class QLabel;
class QMessageBox;

namespace drav::gui {

// TConfirm: "Are you sure?", and on request the unsaved-data line; OK and Cancel.
class ConfirmDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ConfirmDialog(bool showUnsavedLine, QWidget* parent = nullptr);
  bool UnsavedLineShown() const;
  // A line under the question naming what the command acts on.
  void SetSubject(const QString& text);
  QString Subject() const;

 private:
  QLabel* unsavedLine_ = nullptr;
  QLabel* subject_ = nullptr;
};

// The box that names what a command would lose, with Save, Discard and Cancel (Esc).
std::unique_ptr<QMessageBox> MakeSaveChangesBox(const QString& whatWouldBeLost, QWidget* parent);

// TAboutBox: the program's full name, a picture, the version label and OK.
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

// The program's icon, the same PNGs that are installed for the desktop's menu (built into
// the program): used by the about box and as the window icon.
QIcon ProgramIcon();
QPixmap ProgramPicture(int size);

}  // namespace drav::gui
