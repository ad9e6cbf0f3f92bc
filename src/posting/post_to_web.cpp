#include "posting/post_to_web.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "storage/received_file.h"
#include "web/web_report.h"

namespace drav {
namespace {

std::string JoinLocal(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (directory.back() == '/') return directory + name;
  return directory + "/" + name;
}

// Clears the client's cancel flag however the run ends: the flag belongs to this run.
class CancelFlagScope {
 public:
  CancelFlagScope(FtpClient& client, const std::atomic<bool>* cancel) : client_(client) {
    client_.SetCancelFlag(cancel);
  }
  ~CancelFlagScope() { client_.SetCancelFlag(nullptr); }
  CancelFlagScope(const CancelFlagScope&) = delete;
  CancelFlagScope& operator=(const CancelFlagScope&) = delete;

 private:
  FtpClient& client_;
};

// The step's described text, then the reason the client gave.
std::string WithReason(std::string_view text, const FtpClient& client) {
  const std::string reason = client.LastError();
  return reason.empty() ? std::string(text) : std::string(text) + ": " + reason;
}

}  // namespace

std::string PostKnownHostsFile(const PostingOptions& options) {
  if (!options.KnownHostsFile.empty()) return options.KnownHostsFile;
  const std::string home = platform::HomeFolder();
  return home.empty() ? std::string() : home + "/.ssh/known_hosts";
}

std::string PostFileName(std::string_view baseName) {
  const std::size_t cut = baseName.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? baseName : baseName.substr(cut + 1));
}

std::string PostDirectory(std::string_view directory, int paths) {
  std::string result(directory);
  if (paths && !result.empty() && result.back() != '/') result.push_back('/');
  return result;
}

std::vector<PostUpload> PostUploads(const Tournament& t, std::string_view name,
                                    std::string_view directory) {
  std::vector<PostUpload> uploads;
  for (const ReportFile& file : WebReportFiles(t)) {
    const std::string local = std::string(name) + file.Suffix;
    uploads.push_back({local, std::string(directory) + local, file.FailureMessage});
  }
  return uploads;
}

PostToWebJob PreparePostToWeb(const Tournament& t) {
  PostToWebJob job{t, {}};
  // Fixed now, so that the run writes and reads the same files whatever the process's
  // current directory does meanwhile.
  std::error_code error;
  const auto current = std::filesystem::current_path(error);
  if (!error) job.localDirectory = current.string();
  return job;
}

PostToWebResult RunPostToWeb(PostToWebJob job, FtpClient& client,
                             const PostToWebCallbacks& callbacks) {
  TourneyFormat& f = job.tournament.Format;
  PostToWebResult result;
  result.directoryBefore = result.directoryAfter = f.Directory;

  auto say = [&](std::string_view caption, std::string_view text) {
    PostMessage message{std::string(caption), std::string(text)};
    result.messages.push_back(message);
    if (callbacks.message) callbacks.message(message);
  };
  auto cancelled = [&] { return callbacks.cancel && callbacks.cancel->load(); };
  auto report = [&](const PostProgress& progress) {
    if (callbacks.progress) callbacks.progress(progress);
  };
  auto stage = [&](PostStage s) {
    PostProgress progress;
    progress.stage = s;
    report(progress);
  };

  if (f.HostAddress.empty() || f.UserName.empty() || f.Password.empty() || f.BaseName.empty()) {
    say(kCaptionFailure, kPostSettingsMissing);
    return result;
  }
  const PostingOptions& options = job.tournament.Extras.Posting;
  const std::string* const settings[] = {&f.HostAddress,         &f.UserName, &f.Password,
                                         &f.Directory,           &f.BaseName, &options.CaFile,
                                         &options.KnownHostsFile};
  for (const std::string* setting : settings) {
    if (!IsPlainName(*setting)) {
      say(kCaptionFailure, kPostSettingsUnsafe);
      return result;
    }
  }
  if (cancelled()) {
    result.cancelled = true;
    return result;
  }

  // The report goes into the local directory under the name the files will have remotely.
  stage(PostStage::WritingReport);
  const std::string name = PostFileName(f.BaseName);
  const std::string basePath = JoinLocal(job.localDirectory, name);
  const std::vector<std::string> notWritten = callbacks.writeReport
                                                  ? callbacks.writeReport(job.tournament, basePath)
                                                  : WriteWebReport(job.tournament, basePath);
  result.reportWritten = true;
  if (cancelled()) {
    result.cancelled = true;
    return result;
  }

  CancelFlagScope cancelScope(client, callbacks.cancel);
  stage(PostStage::Connecting);
  const PostingOptions& posting = job.tournament.Extras.Posting;
  FtpLogin login{f.HostAddress,    f.UserName,     f.Password,
                 posting.Protocol, posting.CaFile, PostKnownHostsFile(posting)};
  if (!client.Connect(login)) {
    if (cancelled()) {
      result.cancelled = true;
    } else {
      result.refusedHostKey = client.LastRefusedHostKey();
      if (result.refusedHostKey) result.knownHostsFile = login.knownHostsFile;
      say(kCaptionFailure, WithReason(kPostConnectionFailed, client));
    }
    return result;
  }
  result.connected = true;

  f.Directory = PostDirectory(f.Directory, f.Paths);
  result.directoryAfter = f.Directory;

  // Failure is expected (the directory usually exists already) and is not reported.
  if (!f.Directory.empty() && !cancelled()) {
    stage(PostStage::MakingDirectory);
    client.MakeDirectory(f.Directory);
  }

  const std::vector<PostUpload> uploads = PostUploads(job.tournament, name, f.Directory);
  const int count = static_cast<int>(uploads.size());
  for (int i = 0; i < count && !cancelled(); ++i) {
    const PostUpload& upload = uploads[static_cast<std::size_t>(i)];
    PostProgress progress;
    progress.stage = PostStage::Uploading;
    progress.file = i + 1;
    progress.fileCount = count;
    progress.remotePath = upload.remotePath;
    report(progress);
    const std::string local = JoinLocal(job.localDirectory, upload.localName);
    // A page the report could not write may still exist from an earlier run; sending that
    // stale copy would pass for a successful post.
    bool sent = false;
    const bool notWrittenHere =
        std::find(notWritten.begin(), notWritten.end(), local) != notWritten.end();
    if (!notWrittenHere) {
      sent =
          client.StoreFile(local, upload.remotePath, [&](std::uint64_t bytes, std::uint64_t total) {
            progress.sent = bytes;
            progress.total = total;
            report(progress);
            return !cancelled();
          });
    }
    if (!sent && !cancelled())
      say(kCaptionFailure,
          notWrittenHere ? upload.failureMessage : WithReason(upload.failureMessage, client));
  }

  stage(PostStage::Disconnecting);
  const bool disconnected = client.Disconnect();
  if (cancelled()) {
    result.cancelled = true;
    return result;
  }
  if (!disconnected) say(kCaptionFailure, WithReason(kPostDisconnectError, client));
  say(kCaptionCompleted, kPostComplete);
  return result;
}

void ApplyPostToWebResult(Tournament& t, const PostToWebResult& result) {
  // The report sorts by round, as the Full Web Report command does.
  if (result.reportWritten) t.Format.SortByRound = 1;
  if (result.connected && t.Format.Directory == result.directoryBefore)
    t.Format.Directory = result.directoryAfter;
}

PostToWebResult PosttoWeb1Click(Tournament& t, FtpClient& client,
                                const PostToWebCallbacks& callbacks) {
  PostToWebResult result = RunPostToWeb(PreparePostToWeb(t), client, callbacks);
  ApplyPostToWebResult(t, result);
  return result;
}

}  // namespace drav
