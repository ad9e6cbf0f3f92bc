#include "gui/small_dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

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

QPixmap ProgramPicture(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A buzzer: a round button on a base, in the colours of a score sheet.
  const qreal s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2b, 0x4c, 0x7e));
  p.drawRoundedRect(QRectF(s * 0.12, s * 0.58, s * 0.76, s * 0.26), s * 0.06, s * 0.06);
  p.setBrush(QColor(0xc8, 0x3b, 0x3b));
  p.drawEllipse(QRectF(s * 0.26, s * 0.22, s * 0.48, s * 0.48));
  p.setBrush(QColor(255, 255, 255, 90));
  p.drawEllipse(QRectF(s * 0.34, s * 0.28, s * 0.18, s * 0.12));
  return pixmap;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  auto* top = new QHBoxLayout;
  auto* picture = new QLabel(this);
  picture->setObjectName("ProgramIcon");
  picture->setPixmap(ProgramPicture(72));
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  auto* texts = new QVBoxLayout;
  auto* name = new QLabel("<b>DRAV</b><br>Quiz Bowl Tournament Statistics", this);
  name->setObjectName("ProductName");
  texts->addWidget(name);
  auto* version = new QLabel("DRAV 4.0 Beta", this);
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
