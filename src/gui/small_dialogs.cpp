#include "gui/small_dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "drav_version.h"
#include "gui/dialog_seams.h"

namespace drav::gui {

ConfirmDialog::ConfirmDialog(bool showUnsavedLine, QWidget* parent) : QDialog(parent) {
  setObjectName("Confirm");
  setWindowTitle("Confirm");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 18, 20, 14);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(40, 40));
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(10);
  auto* texts = new QVBoxLayout;
  texts->setSpacing(6);
  auto* question = new QLabel("Are you sure?", this);
  question->setObjectName("Label1");
  texts->addWidget(question);
  unsavedLine_ = new QLabel("You have unsaved data that may be lost.", this);
  unsavedLine_->setObjectName("Label2");
  unsavedLine_->setVisible(showUnsavedLine);
  texts->addWidget(unsavedLine_);
  subject_ = new QLabel(this);
  subject_->setObjectName("Subject");
  subject_->setVisible(false);
  texts->addWidget(subject_);
  texts->addStretch();
  top->addLayout(texts, 1);
  layout->addLayout(top);
  layout->addSpacing(10);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(320);
}

bool ConfirmDialog::UnsavedLineShown() const { return !unsavedLine_->isHidden(); }

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/drav-%1.png").arg(size), QSize(size, size));
  return icon;
}

void ConfirmDialog::SetSubject(const QString& text) {
  subject_->setText(text);
  subject_->setVisible(!text.isEmpty());
}

QString ConfirmDialog::Subject() const {
  return subject_->text();
}

std::unique_ptr<QMessageBox> MakeSaveChangesBox(const QString& whatWouldBeLost, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(
      QMessageBox::Warning, "Unsaved Data", whatWouldBeLost,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box->setObjectName("SaveChanges");
  box->setInformativeText("Save before going on?");
  box->setDefaultButton(QMessageBox::Save);
  box->setEscapeButton(QMessageBox::Cancel);
  DialogSeams::FitCaption(*box);
  return box;
}

QPixmap ProgramPicture(int size) {
  return ProgramIcon().pixmap(size, size);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  auto* top = new QHBoxLayout;
  auto* picture = new QLabel(this);
  picture->setObjectName("ProgramIcon");
  picture->setPixmap(ProgramPicture(64));
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  auto* texts = new QVBoxLayout;
  auto* name = new QLabel("<b>DRAV</b><br>Quiz Bowl Tournament Statistics", this);
  name->setObjectName("ProductName");
  texts->addWidget(name);
  auto* version = new QLabel(QString("DRAV %1 Beta").arg(kVersion), this);
  version->setObjectName("Version");
  texts->addWidget(version);
  texts->addStretch();
  top->addLayout(texts);
  layout->addLayout(top);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKButton");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace drav::gui
