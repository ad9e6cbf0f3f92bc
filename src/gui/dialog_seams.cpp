#include "gui/dialog_seams.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <deque>

namespace drav::gui {

namespace {

struct SeamState {
  std::deque<std::optional<QString>> fileNames;
  std::deque<std::function<int(QDialog&)>> dialogActions;
  std::vector<std::pair<QString, QString>> messages;
  bool testMode = false;
};

SeamState& State() {
  static SeamState state;
  return state;
}

std::optional<std::optional<QString>> TakeFileName() {
  auto& q = State().fileNames;
  if (q.empty()) return std::nullopt;
  auto answer = q.front();
  q.pop_front();
  return answer;
}

std::optional<QString> NonEmpty(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

void DialogSeams::QueueFileName(std::optional<QString> name) {
  State().fileNames.push_back(std::move(name));
}

void DialogSeams::QueueDialogAction(std::function<int(QDialog&)> action) {
  State().dialogActions.push_back(std::move(action));
}

void DialogSeams::SetTestMode(bool on) { State().testMode = on; }
bool DialogSeams::TestMode() { return State().testMode; }

std::vector<std::pair<QString, QString>>& DialogSeams::RecordedMessages() {
  return State().messages;
}

void DialogSeams::Reset() {
  State().fileNames.clear();
  State().dialogActions.clear();
  State().messages.clear();
}

std::optional<QString> DialogSeams::AskOpenFileName(QWidget* parent, const QString& caption) {
  if (auto queued = TakeFileName()) return *queued;
  if (TestMode()) return std::nullopt;
  return NonEmpty(QFileDialog::getOpenFileName(parent, caption));
}

std::optional<QString> DialogSeams::AskSaveFileName(QWidget* parent, const QString& caption) {
  if (auto queued = TakeFileName()) return *queued;
  if (TestMode()) return std::nullopt;
  // No filter and no default extension: the name is used exactly as typed.
  return NonEmpty(QFileDialog::getSaveFileName(parent, caption));
}

QStringList DialogSeams::AskOpenFileNames(QWidget* parent, const QString& caption,
                                          const QString& filter) {
  auto& q = State().fileNames;
  if (!q.empty()) {
    const QString names = q.front().value_or(QString());
    q.pop_front();
    return names.isEmpty() ? QStringList{} : names.split('\n');
  }
  if (TestMode()) return {};
  return QFileDialog::getOpenFileNames(parent, caption, {}, filter);
}

std::optional<QString> DialogSeams::AskFolder(QWidget* parent, const QString& caption) {
  if (auto queued = TakeFileName()) return *queued;
  if (TestMode()) return std::nullopt;
  return NonEmpty(QFileDialog::getExistingDirectory(parent, caption));
}

int DialogSeams::Exec(QDialog& dialog) {
  auto& q = State().dialogActions;
  if (!q.empty()) {
    auto action = std::move(q.front());
    q.pop_front();
    return action(dialog);
  }
  if (TestMode()) return QDialog::Rejected;
  return dialog.exec();
}

void DialogSeams::ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
  if (TestMode()) {
    State().messages.emplace_back(text, caption);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  if (caption == "Error" || caption == "Failure")
    box.setIcon(QMessageBox::Warning);
  else if (caption == "Completed")
    box.setIcon(QMessageBox::Information);
  box.exec();
}

}  // namespace drav::gui
