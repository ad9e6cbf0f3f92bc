#include <cstdlib>
#include <ostream>

#include "cli/commands.h"
#include "web/ftp_curl_client.h"
#include "web/post_to_web.h"

namespace drav::cli {

// Post to Web from the command line. The password comes from the environment, since the
// tournament file never holds it. Each message box becomes one line: failures on stderr,
// the completion on stdout; any failure makes the exit status 1.
int RunPost(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds"});
  args.ExpectPositional(1);
  Tournament t = OpenForCli(args.Positional()[0]);
  ApplyRoundsOption(args, t);
  const char* password = std::getenv("DRAV_FTP_PASSWORD");
  t.Format.Password = password ? password : "";

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
  PosttoWeb1Click(t, client, callbacks);
  return failed ? 1 : 0;
}

}  // namespace drav::cli
