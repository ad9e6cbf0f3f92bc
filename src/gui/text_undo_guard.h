#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QWidget;

namespace drav::gui {

// Decides who takes Ctrl+Z and the redo keys in window. A text box with focus keeps them
// while it has something of its own to undo (or redo), as every editor does; otherwise
// they go to the program's Undo and Redo, which would not fire at all while a box has
// focus. Installed on the application, since the keys go to whichever widget has focus.
// beforeKeys runs just before either key is dispatched, so that the actions' enabled
// state is current (an edit typed on screen can be undone before it is stored).
class TextUndoGuard : public QObject {
 public:
  TextUndoGuard(QWidget* window, QAction* undo, QAction* redo, std::function<void()> beforeKeys);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  QPointer<QAction> undo_;
  QPointer<QAction> redo_;
  std::function<void()> beforeKeys_;
};

}  // namespace drav::gui
