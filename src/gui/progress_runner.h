#pragma once

#include <QString>
#include <functional>

#include "app/cancel_flag.h"

class QWidget;

namespace drav::gui {

// Runs work on a worker thread while a window-modal progress window (busy indicator and a
// Cancel button) keeps the user interface alive. Cancel sets the flag that work polls;
// the call returns when work has ended: false when the user cancelled. An exception
// thrown by work is passed on to the caller on the user-interface thread.
bool RunWithProgress(QWidget* parent, const QString& title,
                     const std::function<void(const app::CancelFlag&)>& work);

}  // namespace drav::gui
