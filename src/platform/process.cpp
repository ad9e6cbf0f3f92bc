#include "platform/process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace drav::platform {

#ifdef _WIN32

int ProcessId() {
  return static_cast<int>(::GetCurrentProcessId());
}

bool ProcessHasEnded(int pid) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  DWORD code = 0;
  const bool ended = ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  ::CloseHandle(process);
  return ended;
}

#else

int ProcessId() {
  return static_cast<int>(::getpid());
}

bool ProcessHasEnded(int pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

#endif

}  // namespace drav::platform
