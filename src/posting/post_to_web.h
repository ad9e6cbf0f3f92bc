#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"
#include "posting/ftp_client.h"

namespace drav {

// Post to Web: writes the web report into the current directory under the FTP base name
// and uploads its files. The run is split so that the transfer can happen off the
// user-interface thread:
//   PreparePostToWeb  (thread that owns the tournament) copies what the run needs;
//   RunPostToWeb      (any thread) writes the report from the copy and talks to the server;
//   ApplyPostToWebResult (owner's thread again) keeps the "/" the run added to Directory.
// PosttoWeb1Click does all three in turn.

inline constexpr std::string_view kCaptionFailure = "Failure";
inline constexpr std::string_view kCaptionCompleted = "Completed";
inline constexpr std::string_view kPostSettingsMissing =
    "Please enter FTP settings under Settings->FTP";
// A host, user, folder, base name or key file holding a control byte (from a received file)
// could cut a path short or add a command to the server's dialogue: nothing is sent.
inline constexpr std::string_view kPostSettingsUnsafe =
    "The FTP settings hold a control character; please correct them under Settings->FTP";
inline constexpr std::string_view kPostConnectionFailed = "FTP Connection Failed";
inline constexpr std::string_view kPostDisconnectError = "Disconnect Error";
inline constexpr std::string_view kPostComplete = "Posting to the web is complete";

// One message box: caption and one-line text.
struct PostMessage {
  std::string caption;
  std::string text;
  bool operator==(const PostMessage&) const = default;
};

enum class PostStage { WritingReport, Connecting, MakingDirectory, Uploading, Disconnecting };

// Where a run stands, for a progress window.
struct PostProgress {
  PostStage stage = PostStage::WritingReport;
  int file = 0;       // while uploading: the 1-based number of the file being sent
  int fileCount = 0;  // while uploading: how many files are to be sent
  std::string remotePath;
  std::uint64_t sent = 0;   // bytes of the current file sent so far
  std::uint64_t total = 0;  // size of the current file (0 until known)
};

// Writes the report under basePath and returns the files it could not write.
using PostReportWriter =
    std::function<std::vector<std::string>(Tournament& t, const std::string& basePath)>;

// Everything is optional. The callbacks are called on the thread that runs RunPostToWeb;
// progress may be called many times a second during a transfer.
struct PostToWebCallbacks {
  std::function<void(const PostMessage&)> message;  // each message as it arises
  std::function<void(const PostProgress&)> progress;
  // Turning this true stops the run at the next step (or within the current transfer):
  // the session is closed and nothing more is reported.
  const std::atomic<bool>* cancel = nullptr;
  PostReportWriter writeReport;  // empty: the full web report
};

// What one run works on: its own copy of the tournament (password included, in memory
// only) and the directory the report is written to.
struct PostToWebJob {
  Tournament tournament;
  std::string localDirectory;  // the current directory when prepared ("" = relative names)
};

struct PostToWebResult {
  std::vector<PostMessage> messages;  // in the order they arose
  bool reportWritten = false;
  bool connected = false;
  bool cancelled = false;
  // SFTP: the host key the connection refused as unknown or changed, and the known-hosts
  // file that would have to trust it.
  std::optional<RefusedHostKey> refusedHostKey;
  std::string knownHostsFile;
  // Directory as the run found it and as the run left it (with its "/" added).
  std::string directoryBefore;
  std::string directoryAfter;
};

PostToWebJob PreparePostToWeb(const Tournament& t);
PostToWebResult RunPostToWeb(PostToWebJob job, FtpClient& client,
                             const PostToWebCallbacks& callbacks = {});
// Keeps the run's change of Directory, unless the setting was edited meanwhile.
void ApplyPostToWebResult(Tournament& t, const PostToWebResult& result);

// The Post to Web command, start to end, on the calling thread.
PostToWebResult PosttoWeb1Click(Tournament& t, FtpClient& client,
                                const PostToWebCallbacks& callbacks = {});

// The known-hosts file SFTP checks: the one named, or else the user's own
// (~/.ssh/known_hosts); "" when neither can be found.
std::string PostKnownHostsFile(const PostingOptions& options);

// The name the report files get: BaseName after its last '\' or '/'.
std::string PostFileName(std::string_view baseName);

// Directory after the "/" step: with paths on, a "/" is added unless it ends with one
// already; an empty directory stays empty, so the files go to the login directory.
std::string PostDirectory(std::string_view directory, int paths);

// One file to send: its local name (relative to the report's directory), where it goes,
// and the message shown when it cannot be sent.
struct PostUpload {
  std::string localName;
  std::string remotePath;
  std::string failureMessage;
  bool operator==(const PostUpload&) const = default;
};

// The files to send, in upload order: those the report driver writes for the tournament's
// report style.
std::vector<PostUpload> PostUploads(const Tournament& t, std::string_view name,
                                    std::string_view directory);

}  // namespace drav
