#pragma once

// Processes, for telling whether a temporary file's writer is still at work.
namespace drav::platform {

// This process's id.
int ProcessId();

// True when no process of that id is running any more.
bool ProcessHasEnded(int pid);

}  // namespace drav::platform
