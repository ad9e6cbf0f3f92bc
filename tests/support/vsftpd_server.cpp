// Starts vsftpd with a throwaway user for the FTPS tests; see vsftpd_server.h.
#include "support/vsftpd_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace drav::test {
namespace {

constexpr const char* kVsftpd = "/usr/sbin/vsftpd";

// Runs a program and waits; true when it exits with 0.
bool Run(std::vector<std::string> args, const std::string& input = {}) {
  int toChild[2] = {-1, -1};
  if (pipe(toChild) != 0) return false;
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_addclose(&actions, toChild[1]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  if (spawned == 0 && !input.empty()) (void)!write(toChild[1], input.data(), input.size());
  close(toChild[1]);
  if (spawned != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Accepts(int port) {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(s);
  return ok;
}

}  // namespace

std::string VsftpdServer::Unavailable() {
  if (geteuid() != 0) return "vsftpd logs in local users only; run as root";
  if (access(kVsftpd, X_OK) != 0) return "vsftpd is not installed";
  return {};
}

VsftpdServer::VsftpdServer() {
  if (const std::string why = Unavailable(); !why.empty()) throw std::runtime_error(why);
  namespace fs = std::filesystem;
  // The user must reach its home through this directory.
  fs::permissions(dir_.path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
  root_ = dir_.path + "/home";
  fs::create_directory(root_);
  fs::create_directory(dir_.path + "/empty");
  static int made = 0;
  const std::string user = "dravftps" + std::to_string(getpid()) + "x" + std::to_string(++made);
  const std::string password = "quiz bowl " + std::to_string(getpid());
  const std::string cert = dir_.path + "/server.pem", key = dir_.path + "/server.key";
  if (!Run({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out",
            cert, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
            "subjectAltName=IP:127.0.0.1"}))
    throw std::runtime_error("openssl could not make a certificate");
  if (!Run({"useradd", "--no-create-home", "--home-dir", root_, "--shell", "/bin/sh", user}))
    throw std::runtime_error("useradd failed for " + user);
  user_ = user;
  if (!Run({"chpasswd"}, user_ + ":" + password + "\n") || !Run({"chown", user_, root_})) {
    Stop();
    throw std::runtime_error("cannot set up the user " + user_);
  }

  const int port = UnusedLocalPort();
  // Debian's defaults for TLS (require_ssl_reuse among them), with TLS required for logins
  // and data as a host that offers FTPS would.
  const std::string config = dir_.path + "/vsftpd.conf";
  WriteFile(
      config,
      "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=" + std::to_string(port) +
          "\nbackground=NO\nanonymous_enable=NO\nlocal_enable=YES\n"
          "write_enable=YES\nssl_enable=YES\nforce_local_logins_ssl=YES\n"
          "force_local_data_ssl=YES\nrsa_cert_file=" +
          cert + "\nrsa_private_key_file=" + key +
          "\npasv_enable=YES\npasv_address=127.0.0.1\nsecure_chroot_dir=" + dir_.path +
          "/empty\nseccomp_sandbox=NO\npam_service_name=vsftpd\n");
  fs::permissions(config, fs::perms::owner_read | fs::perms::owner_write);

  std::vector<std::string> args{kVsftpd, config};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&pid_, kVsftpd, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    Stop();
    throw std::runtime_error("cannot start vsftpd");
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!Accepts(port)) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_ || std::chrono::steady_clock::now() > deadline) {
      pid_ = -1;
      Stop();
      throw std::runtime_error("vsftpd did not start");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  login_.protocol = PostProtocol::Ftps;
  login_.hostAddress = "127.0.0.1:" + std::to_string(port);
  login_.userName = user_;
  login_.password = password;
  login_.caFile = cert;
}

VsftpdServer::~VsftpdServer() {
  Stop();
}

void VsftpdServer::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  if (user_.empty()) return;
  // userdel refuses while a session of the user still runs; sessions end soon after QUIT.
  for (int tries = 0; tries < 50; ++tries) {
    if (Run({"userdel", user_})) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Run({"userdel", "--force", user_});
}

}  // namespace drav::test
