#include "support/ftp_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/cli_runner.h"

extern char** environ;

namespace drav::test {
namespace {

// Debian's interpreter: the one that sees python3-pyftpdlib.
constexpr const char* kPython = "/usr/bin/python3";

std::string ScriptPath(const std::string& script) {
  return std::string(DRAV_TEST_DATA_DIR) + "/../support/" + script;
}

// Reads one line from fd, waiting at most timeout overall.
std::string ReadLine(int fd, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::string line;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) throw std::runtime_error("test server did not start in time");
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char c = 0;
    const ssize_t n = read(fd, &c, 1);
    if (n <= 0)
      throw std::runtime_error(
          "test server exited (are python3-pyftpdlib, python3-openssl, python3-asyncssh and "
          "openssl installed?)");
    if (c == '\n') return line;
    line.push_back(c);
  }
}

int BoundLoopbackSocket(int* port) {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(s);
    throw std::runtime_error("bind failed");
  }
  *port = ntohs(address.sin_port);
  return s;
}

}  // namespace

ServerProcess::ServerProcess(const std::string& script, std::vector<std::string> args,
                             const std::string& user, const std::string& password) {
  int toChild[2] = {-1, -1}, fromChild[2] = {-1, -1};
  if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");

  std::vector<std::string> argStore{kPython, ScriptPath(script)};
  argStore.insert(argStore.end(), args.begin(), args.end());
  argStore.push_back("--lifetime");
  argStore.push_back("300");
  std::vector<char*> argv;
  for (auto& a : argStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  // The credentials travel in the environment rather than on the command line.
  std::vector<std::string> envStore{"DRAV_FTP_TEST_USER=" + user,
                                    "DRAV_FTP_TEST_PASSWORD=" + password};
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("PYTHON", 0) != 0) envStore.push_back(entry);  // keep Debian's defaults
  }
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&pid_, kPython, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);
  stdinWrite_ = toChild[1];
  if (spawned != 0) {
    pid_ = -1;
    close(fromChild[0]);
    Stop();
    throw std::runtime_error("cannot start the test server " + script);
  }
  try {
    firstLine_ = ReadLine(fromChild[0], std::chrono::seconds(20));
  } catch (...) {
    close(fromChild[0]);
    Stop();
    throw;
  }
  close(fromChild[0]);
}

ServerProcess::~ServerProcess() {
  Stop();
}

void ServerProcess::Stop() {
  if (stdinWrite_ >= 0) close(stdinWrite_);  // the server exits when its input closes
  stdinWrite_ = -1;
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

namespace {

std::vector<std::string> FtpArguments(const std::string& root, const std::string& certFile,
                                      const FtpTestServer::Options& options) {
  std::vector<std::string> args{root};
  if (!options.stallPrefix.empty()) {
    args.push_back("--stall-prefix");
    args.push_back(options.stallPrefix);
  }
  if (options.throttle) args.push_back("--throttle");
  if (options.tls) {
    args.push_back("--tls-cert");
    args.push_back(certFile);
  }
  return args;
}

std::vector<std::string> SftpArguments(const std::string& root,
                                       const SftpTestServer::Options& options) {
  std::vector<std::string> args{root};
  if (!options.stallPrefix.empty()) {
    args.push_back("--stall-prefix");
    args.push_back(options.stallPrefix);
  }
  return args;
}

}  // namespace

FtpTestServer::FtpTestServer(const Options& options)
    : options_(options),
      certFile_(certDir_.path + "/server.pem"),
      process_("ftp_test_server.py", FtpArguments(root_.path, certFile_, options), options.user,
               options.password) {
  port_ = std::stoi(process_.FirstLine());
}

SftpTestServer::SftpTestServer(const Options& options)
    : options_(options),
      process_("sftp_test_server.py", SftpArguments(root_.path, options), options.user,
               options.password) {
  std::istringstream line(process_.FirstLine());
  std::string keyType, key;
  line >> port_ >> fingerprint_ >> keyType >> key;
  if (!line) throw std::runtime_error("SFTP test server said: " + process_.FirstLine());
  knownHostLine_ = "[127.0.0.1]:" + std::to_string(port_) + " " + keyType + " " + key;
}

SilentTcpServer::SilentTcpServer() {
  socket_ = BoundLoopbackSocket(&port_);
  if (listen(socket_, 8) != 0) {
    close(socket_);
    throw std::runtime_error("listen failed");
  }
}

SilentTcpServer::~SilentTcpServer() {
  if (socket_ >= 0) close(socket_);
}

int UnusedLocalPort() {
  int port = 0;
  close(BoundLoopbackSocket(&port));
  return port;
}

}  // namespace drav::test
