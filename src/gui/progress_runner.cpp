#include "gui/progress_runner.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <exception>
#include <thread>

namespace drav::gui {

bool RunWithProgress(QWidget* parent, const QString& title,
                     const std::function<void(const app::CancelFlag&)>& work) {
  app::CancelFlag flag;
  std::exception_ptr error;

  QProgressDialog progress(title, "Cancel", 0, 0, parent);
  progress.setObjectName("LongTaskProgress");
  progress.setWindowTitle("DRAV");
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  // Quick work finishes before the window would only flicker.
  progress.setMinimumDuration(400);
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
    flag.Cancel();
    progress.setLabelText("Cancelling...");
  });

  QEventLoop loop;
  std::thread worker([&] {
    try {
      work(flag);
    } catch (...) {
      error = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  progress.hide();
  if (error) std::rethrow_exception(error);
  return !flag.Cancelled();
}

}  // namespace drav::gui
