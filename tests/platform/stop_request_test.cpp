#include "platform/stop_request.h"

#include <gtest/gtest.h>

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

namespace drav::platform {
namespace {

// Asks this process to stop the way a user would; false where that cannot be done here.
bool AskToStop() {
#ifdef _WIN32
  // A test run without a console gets one of its own, as a Command Prompt would give it.
  if (!::GetConsoleWindow() && !::AllocConsole()) return false;
  return ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
#else
  return ::raise(SIGINT) == 0;
#endif
}

TEST(StopRequest, WaitsItsTimeWhenNobodyAsks) {
  const StopRequest stop;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(stop.Wait(50));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

TEST(StopRequest, AStopAskedForBetweenWaitsIsSeenByTheNextWait) {
  const StopRequest stop;
  if (!AskToStop()) GTEST_SKIP() << "no console to send Ctrl+C to";
  EXPECT_TRUE(stop.Wait(2000));
}

}  // namespace
}  // namespace drav::platform
