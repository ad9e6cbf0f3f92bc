#include "platform/stop_request.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#else
#include <pthread.h>
#include <signal.h>

#include <ctime>
#endif

namespace drav::platform {

#ifdef _WIN32

namespace {

// The console's handler runs on a thread of its own; it only sets the event.
std::atomic<HANDLE> stopEvent{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      if (const HANDLE event = stopEvent.load()) ::SetEvent(event);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

struct StopRequest::State {
  HANDLE event = nullptr;
};

StopRequest::StopRequest() : state_(new State) {
  state_->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  stopEvent.store(state_->event);
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopRequest::~StopRequest() {
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  stopEvent.store(nullptr);
  if (state_->event) ::CloseHandle(state_->event);
  delete state_;
}

bool StopRequest::Wait(long ms) const {
  if (!state_->event) {
    ::Sleep(static_cast<DWORD>(ms));
    return false;
  }
  return ::WaitForSingleObject(state_->event, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

#else

struct StopRequest::State {
  sigset_t set;
  sigset_t old;
};

StopRequest::StopRequest() : state_(new State) {
  sigemptyset(&state_->set);
  sigaddset(&state_->set, SIGINT);
  sigaddset(&state_->set, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &state_->set, &state_->old);
}

StopRequest::~StopRequest() {
  pthread_sigmask(SIG_SETMASK, &state_->old, nullptr);
  delete state_;
}

bool StopRequest::Wait(long ms) const {
  timespec timeout{ms / 1000, (ms % 1000) * 1000000L};
  return sigtimedwait(&state_->set, nullptr, &timeout) > 0;
}

#endif

}  // namespace drav::platform
