#include <cstdlib>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "platform/files.h"
#include "posting/ftp_curl_client.h"
#include "posting/post_to_web.h"

namespace drav::cli {

// Post to Web from the command line. The password comes from the environment, since the
// tournament file never holds it. Each message box becomes one line: failures on stderr,
// the completion on stdout; any failure makes the exit status 1.
int RunPost(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds", "protocol", "ca-file", "known-hosts"});
  args.ExpectPositional(1);
  std::optional<PostProtocol> protocol;
  if (const auto name = args.Value("protocol")) {
    if (*name == "ftp")
      protocol = PostProtocol::Ftp;
    else if (*name == "ftps")
      protocol = PostProtocol::Ftps;
    else if (*name == "sftp")
      protocol = PostProtocol::Sftp;
    else
      throw UsageError{"--protocol takes ftp, ftps or sftp"};
  }
  Tournament t = OpenForCli(args.Positional()[0]);
  ApplyRoundsOption(args, t);
  // The options stand for this run only: they override what the file says.
  PostingOptions& posting = t.Extras.Posting;
  if (protocol) posting.Protocol = *protocol;
  if (const auto caFile = args.Value("ca-file")) posting.CaFile = *caFile;
  if (const auto knownHosts = args.Value("known-hosts")) posting.KnownHostsFile = *knownHosts;
  const auto password = platform::EnvironmentVariable("DRAV_FTP_PASSWORD");
  t.Format.Password = password.value_or("");

  CurlFtpClient client;
  bool failed = false;
  PostToWebCallbacks callbacks;
  callbacks.message = [&](const PostMessage& message) {
    if (message.caption == kCaptionCompleted) {
      out << message.text << "\n";
    } else {
      err << message.text << "\n";
      failed = true;
    }
  };
  const PostToWebResult result = PosttoWeb1Click(t, client, callbacks);
  if (result.refusedHostKey)
    err << "To trust this host key, add this line to " << result.knownHostsFile << ":\n"
        << result.refusedHostKey->knownHostLine << "\n";
  return failed ? 1 : 0;
}

}  // namespace drav::cli
