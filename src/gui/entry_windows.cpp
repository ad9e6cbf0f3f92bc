#include "gui/entry_windows.h"

#include <QLabel>
#include <QVBoxLayout>

namespace drav::gui {

namespace {

// Stands in for an entry window until its own window is built: says what it will hold.
QWidget* Placeholder(const char* objectName, const QString& title, const QString& text,
                     QWidget* parent) {
  auto* window = new QWidget(parent);
  window->setObjectName(objectName);
  window->setWindowTitle(title);
  auto* layout = new QVBoxLayout(window);
  auto* label = new QLabel(text, window);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  layout->addWidget(label);
  window->resize(420, 180);
  return window;
}

}  // namespace

QWidget* CreateGameEntryWindow(Tournament& t, QWidget* parent) {
  return Placeholder("GameEntry", "Game Entry",
                     QString("%1 games stored. Game entry is not available in this build; "
                             "games can be read with Open Tournament and Merge Files.")
                         .arg(t.GameCount()),
                     parent);
}

QWidget* CreateRosterEntryWindow(Tournament& t, QWidget* parent) {
  return Placeholder("RosterEntry", "Roster Entry",
                     QString("%1 teams. Roster entry is not available in this build; "
                             "teams can be read with Read Rosters.")
                         .arg(t.TeamCount()),
                     parent);
}

}  // namespace drav::gui
