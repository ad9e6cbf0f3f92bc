#pragma once

// Waiting for the user to stop a long-running command: Ctrl+C or a plain kill on POSIX
// systems, Ctrl+C, Ctrl+Break or closing the console on Windows. While one StopRequest
// exists, those requests are held back and only seen by Wait, so the command is never
// stopped in the middle of its work. One at a time per process.
namespace drav::platform {

class StopRequest {
 public:
  StopRequest();
  ~StopRequest();
  StopRequest(const StopRequest&) = delete;
  StopRequest& operator=(const StopRequest&) = delete;

  // Waits up to ms milliseconds; true when a stop was asked for (now or since the last
  // wait).
  bool Wait(long ms) const;

 private:
  struct State;
  State* state_;
};

}  // namespace drav::platform
