#pragma once

#include <string>

namespace drav::platform {

// RenameOver, except that the file it replaces is let go on a background thread. Freeing a
// large file's storage can wait on the device (some file systems discard every freed block
// before the call that dropped the last name returns), and nobody needs to wait for that:
// the new file is in place when this returns. Where a file cannot be held apart from its
// name, the same as RenameOver.
bool RenameOverReleasingLater(const std::string& from, const std::string& to);

// Returns once every file replaced so far has been let go.
void WaitForReplacedFiles();

}  // namespace drav::platform
