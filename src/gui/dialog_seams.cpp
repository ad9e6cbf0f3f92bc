#include "gui/dialog_seams.h"

#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>
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

void DialogSeams::SetTestMode(bool on) {
  State().testMode = on;
}
bool DialogSeams::TestMode() {
  return State().testMode;
}

std::vector<std::pair<QString, QString>>& DialogSeams::RecordedMessages() {
  return State().messages;
}

void DialogSeams::Reset() {
  State().fileNames.clear();
  State().dialogActions.clear();
  State().messages.clear();
}

std::optional<QString> DialogSeams::AskOpenFileName(QWidget* parent, const QString& caption,
                                                    const QString& folder) {
  if (auto queued = TakeFileName()) return *queued;
  if (TestMode()) return std::nullopt;
  return NonEmpty(QFileDialog::getOpenFileName(parent, caption, folder));
}

std::optional<QString> DialogSeams::AskSaveFileName(QWidget* parent, const QString& caption,
                                                    const QString& folder, const QString& filter,
                                                    const QString& suffix) {
  if (auto queued = TakeFileName()) return *queued;
  if (TestMode()) return std::nullopt;
  if (filter.isEmpty() && suffix.isEmpty())
    return NonEmpty(QFileDialog::getSaveFileName(parent, caption, folder));
  QFileDialog dialog(parent, caption, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return NonEmpty(dialog.selectedFiles().front());
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
  MakeMessageBox(parent, text, caption)->exec();
}

std::unique_ptr<QMessageBox> DialogSeams::MakeMessageBox(QWidget* parent, const QString& text,
                                                         const QString& caption) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  if (caption == "Error" || caption == "Failure" || caption == "Warning")
    box->setIcon(QMessageBox::Warning);
  else if (caption == "Completed")
    box->setIcon(QMessageBox::Information);
  FitCaption(*box);
  return box;
}

void DialogSeams::FitCaption(QDialog& box) {
  // A message box sizes itself to its text alone, so a short text cuts its caption off; a
  // spacer across the bottom of its grid makes room for the caption and the window buttons.
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const int width = std::max(300, box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160);
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace drav::gui
