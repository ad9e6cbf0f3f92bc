#include "gui/list_windows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/text_codec.h"
#include "model/lists.h"

namespace drav::gui {

namespace {

QPlainTextEdit* Memo(QWidget* parent, const std::vector<std::string>& lines) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName("Memo1");
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setPlainText(ToQt(lines).join('\n'));
  return memo;
}

std::vector<std::string> MemoContents(const QPlainTextEdit* memo) {
  return MemoLines(FromQt(memo->toPlainText()));
}

std::vector<std::string> NonEmpty(std::vector<std::string> lines) {
  std::erase(lines, std::string());
  return lines;
}

}  // namespace

DivisionsWindow::DivisionsWindow(Tournament& t, entry::StepHooks steps, QWidget* parent)
    : QWidget(parent), t_(t), steps_(std::move(steps)) {
  setObjectName("DivisionsEntry");
  setWindowTitle("Divisions Entry");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Divisions", this));
  memo_ = Memo(this, t_.DivisionNames);
  shown_ = t_.DivisionNames;
  layout->addWidget(memo_);
  auto* enter = new QPushButton("Enter", this);
  enter->setObjectName("Enter");
  connect(enter, &QPushButton::clicked, this, &DivisionsWindow::EnterClick);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(enter);
  layout->addLayout(row);
  resize(260, 300);
}

void DivisionsWindow::EnterClick() {
  steps_.Before();
  EnterDivisionNames(t_, MemoContents(memo_));
  shown_ = t_.DivisionNames;
  steps_.After("Divisions");
}

void DivisionsWindow::Reload() {
  if (NonEmpty(MemoContents(memo_)) != NonEmpty(shown_)) return;
  shown_ = t_.DivisionNames;
  const QString text = ToQt(shown_).join('\n');
  if (memo_->toPlainText() != text) memo_->setPlainText(text);
}

PacketNamesWindow::PacketNamesWindow(Tournament& t, entry::StepHooks steps, QWidget* parent)
    : QDialog(parent), t_(t), steps_(std::move(steps)) {
  setObjectName("PacketNames");
  setWindowTitle("Packet Names");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel("One packet name per line, starting with the first round shown.", this));
  memo_ = Memo(this, t_.PacketNames);
  layout->addWidget(memo_);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* enter = new QPushButton("Enter", this);
  enter->setObjectName("EnterButton");
  enter->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelButton");
  row->addWidget(enter);
  row->addWidget(cancel);
  layout->addLayout(row);
  connect(enter, &QPushButton::clicked, this, &PacketNamesWindow::EnterButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
  resize(360, 360);
}

void PacketNamesWindow::EnterButtonClick() {
  steps_.Before();
  EnterPacketNames(t_, MemoContents(memo_));
  steps_.After("Packet Names");
  close();
}

}  // namespace drav::gui
