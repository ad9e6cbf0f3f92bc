#include "support/cli_runner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <random>

#include "platform/utf16.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace drav::test {

std::string ReadFile(const std::string& path) {
  std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream out(platform::PathFromUtf8(path), std::ios::binary);
  out << contents;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string TestData(const std::string& relative) {
  return std::string(DRAV_TEST_DATA_DIR) + "/" + relative;
}

namespace {

// Every folder a test made, removed when the test's process ends, so runs leave nothing
// behind in the temporary folder.
class TempDirs {
 public:
  ~TempDirs() {
    for (const std::string& dir : dirs_) {
      std::error_code ignored;
      // A test may have taken write permission away to make a save fail.
      std::filesystem::permissions(platform::PathFromUtf8(dir), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
      std::filesystem::remove_all(platform::PathFromUtf8(dir), ignored);
    }
  }
  void Add(const std::string& dir) { dirs_.push_back(dir); }

 private:
  std::vector<std::string> dirs_;
};

TempDirs& MadeDirs() {
  static TempDirs dirs;
  return dirs;
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = platform::Utf16FromUtf8(utf8);
  return std::wstring(u16.begin(), u16.end());
}

// One argument quoted the way CommandLineToArgvW and the C runtime take it apart.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                       creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string MakeTempDir() {
  wchar_t base[MAX_PATH + 1];
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
  if (n == 0) throw std::runtime_error("GetTempPathW failed");
  std::string folder = platform::Utf8FromPath(std::filesystem::path(base));
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = folder + "drav-test-" + std::to_string(random());
    if (::CreateDirectoryW(Wide(candidate).c_str(), nullptr)) {
      MadeDirs().Add(candidate);
      return candidate;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
  return RunCliIn("", args, extraEnv);
}

CliResult RunCliIn(const std::string& cwd, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraEnv) {
  const std::wstring folder = Wide(cwd);
  const std::string dir = MakeTempDir();
  const std::string outPath = dir + "/stdout", errPath = dir + "/stderr";
  std::wstring command = Quoted(Wide(DRAV_CLI_PATH));
  for (const std::string& a : args) command += L" " + Quoted(Wide(a));
  std::wstring environment;
  wchar_t* inherited = ::GetEnvironmentStringsW();
  for (const wchar_t* e = inherited; *e; e += std::wcslen(e) + 1)
    environment.append(e).push_back(L'\0');
  ::FreeEnvironmentStringsW(inherited);
  for (const std::string& e : extraEnv) environment.append(Wide(e)).push_back(L'\0');
  environment.push_back(L'\0');

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  si.hStdOutput = Inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  si.hStdError = Inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION pi{};
  CliResult result;
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }
  for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError}) ::CloseHandle(h);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  std::error_code ignored;
  std::filesystem::remove_all(platform::PathFromUtf8(dir), ignored);
  return result;
}

#else

std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/drav-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  MadeDirs().Add(pattern);
  return pattern;
}

std::vector<std::string> CliCommand() {
  // DRAV_TEST_CLI runs these same tests on another build of drav-cli, such as the Windows
  // one under Wine (DRAV_TEST_CLI_EMULATOR=wine64).
  const char* cli = std::getenv("DRAV_TEST_CLI");
  const char* emulator = std::getenv("DRAV_TEST_CLI_EMULATOR");
  std::vector<std::string> command;
  if (cli && *cli && emulator && *emulator) command.emplace_back(emulator);
  command.emplace_back(cli && *cli ? cli : DRAV_CLI_PATH);
  return command;
}

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
  return RunCliIn("", args, extraEnv);
}

CliResult RunCliIn(const std::string& cwd, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraEnv) {
  const std::string dir = MakeTempDir();
  const std::string outPath = dir + "/stdout", errPath = dir + "/stderr";
  std::vector<std::string> argStore = CliCommand();
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore;
  for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
  envStore.insert(envStore.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  pid_t pid = 0;
  CliResult result;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  rmdir(dir.c_str());
  return result;
}

#endif

}  // namespace drav::test
