#include "gui/text_undo_guard.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <optional>

namespace drav::gui {

namespace {

bool Matches(const QAction* action, const QKeySequence& key) {
  if (!action) return false;
  for (const QKeySequence& s : action->shortcuts())
    if (s.matches(key) == QKeySequence::ExactMatch) return true;
  return false;
}

// Whether w is a text box that would take the key for its own undo or redo: nullopt when
// w is no editable text box at all.
std::optional<bool> OwnHistory(QObject* w, bool undo) {
  // An editable list box hands its keys to its own line.
  if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) w = combo->lineEdit();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    if (line->isReadOnly()) return std::nullopt;
    return undo ? line->isUndoAvailable() : line->isRedoAvailable();
  }
  const QTextDocument* doc = nullptr;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w); plain && !plain->isReadOnly())
    doc = plain->document();
  if (auto* rich = qobject_cast<QTextEdit*>(w); rich && !rich->isReadOnly()) doc = rich->document();
  if (!doc) return std::nullopt;
  return undo ? doc->isUndoAvailable() : doc->isRedoAvailable();
}

}  // namespace

TextUndoGuard::TextUndoGuard(QWidget* window, QAction* undo, QAction* redo,
                             std::function<void()> beforeKeys)
    : QObject(window),
      window_(window),
      undo_(undo),
      redo_(redo),
      beforeKeys_(std::move(beforeKeys)) {
  qApp->installEventFilter(this);
}

bool TextUndoGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  // The override goes to the focus widget first, then up to its parents: only the first.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget != QApplication::focusWidget() || widget->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence sequence(key->keyCombination());
  const bool undo = Matches(undo_, sequence);
  const bool redo = !undo && Matches(redo_, sequence);
  if (!undo && !redo) return false;
  if (beforeKeys_) beforeKeys_();
  const std::optional<bool> own = OwnHistory(watched, undo);
  if (!own || *own) return false;  // not a text box, or its own undo: as usual
  // The box would claim the key with nothing to undo; the program's shortcut takes it.
  key->ignore();
  return true;
}

}  // namespace drav::gui
