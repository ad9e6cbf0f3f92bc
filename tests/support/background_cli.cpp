#include "support/background_cli.h"

#include "support/cli_runner.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/utf16.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace drav::test {

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = platform::Utf16FromUtf8(utf8);
  return std::wstring(u16.begin(), u16.end());
}

// Arguments here hold no quotes or trailing backslashes.
std::wstring CommandLine(const std::vector<std::string>& args) {
  std::wstring line = L"\"" + Wide(DRAV_CLI_PATH) + L"\"";
  for (const std::string& a : args) line += L" \"" + Wide(a) + L"\"";
  return line;
}

}  // namespace

BackgroundCli::BackgroundCli(const std::vector<std::string>& args, const std::string& outPath) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  const HANDLE out =
      ::CreateFileW(Wide(outPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &sa, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::wstring command = CommandLine(args);
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                       &pi)) {
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
  }
  ::CloseHandle(out);
}

BackgroundCli::~BackgroundCli() {
  Kill();
}

bool BackgroundCli::Started() const {
  return process_ != nullptr;
}

void BackgroundCli::Kill() {
  if (!process_) return;
  ::TerminateProcess(process_, 137);
  Wait();
}

int BackgroundCli::Wait() {
  if (!process_) return -1;
  ::WaitForSingleObject(process_, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  ::CloseHandle(process_);
  process_ = nullptr;
  return static_cast<int>(code);
}

#else

BackgroundCli::BackgroundCli(const std::vector<std::string>& args, const std::string& outPath) {
  std::vector<std::string> store = CliCommand();
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : store) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

BackgroundCli::~BackgroundCli() {
  Kill();
}

bool BackgroundCli::Started() const {
  return pid_ > 0;
}

void BackgroundCli::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  Wait();
}

int BackgroundCli::Wait() {
  if (pid_ <= 0) return -1;
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#endif

}  // namespace drav::test
