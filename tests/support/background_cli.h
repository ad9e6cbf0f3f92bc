#pragma once

#include <string>
#include <vector>

namespace drav::test {

// The built drav-cli running in the background, its standard output appended to outPath;
// killed by the destructor if it is still running.
class BackgroundCli {
 public:
  BackgroundCli(const std::vector<std::string>& args, const std::string& outPath);
  ~BackgroundCli();
  BackgroundCli(const BackgroundCli&) = delete;
  BackgroundCli& operator=(const BackgroundCli&) = delete;

  bool Started() const;
  // Ends it at once, as a crash or a power cut would, and waits for it.
  void Kill();
  // Waits for it to end and returns its exit status.
  int Wait();

 private:
#ifdef _WIN32
  void* process_ = nullptr;
#else
  int pid_ = -1;
#endif
};

}  // namespace drav::test
