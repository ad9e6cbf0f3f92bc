#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/game_file_watch.h"
#include "cli/commands.h"
#include "model/error.h"
#include "model/new_tournament.h"
#include "platform/files.h"
#include "platform/stop_request.h"
#include "posting/ftp_curl_client.h"
#include "posting/post_to_web.h"
#include "storage/tournament_file.h"
#include "web/web_report.h"

namespace drav::cli {

namespace {

// How often the folder is looked at; also how soon Ctrl+C is answered.
constexpr long kPollMs = 200;

void PrintResult(const app::GameFileResult& r, std::ostream& out) {
  out << r.File << ": " << app::GameFileStateText(r.State) << "\n";
  std::size_t start = 0;
  while (start < r.Detail.size()) {
    std::size_t end = r.Detail.find('\n', start);
    if (end == std::string::npos) end = r.Detail.size();
    out << "  " << r.Detail.substr(start, end - start) << "\n";
    start = end + 1;
  }
  if (r.State == app::GameFileState::Changed)
    out << "  --replace-changed puts the new version in the place of the game\n";
  out.flush();
}

struct Publishing {
  std::optional<std::string> reportBase;
  std::optional<ReportStyle> style;  // none: the tournament's own report style
  bool post = false;
};

// The report is written (and posted) in the chosen style; the tournament keeps its own.
class ReportStyleScope {
 public:
  ReportStyleScope(Tournament& t, std::optional<ReportStyle> style)
      : t_(t), saved_(t.Extras.Report) {
    if (style) t.Extras.Report = *style;
  }
  ~ReportStyleScope() { t_.Extras.Report = saved_; }
  ReportStyleScope(const ReportStyleScope&) = delete;
  ReportStyleScope& operator=(const ReportStyleScope&) = delete;

 private:
  Tournament& t_;
  ReportStyle saved_;
};

void Publish(Tournament& t, const Publishing& p, std::ostream& out, std::ostream& err) {
  const ReportStyleScope style(t, p.style);
  if (p.reportBase) {
    for (const std::string& path : WriteWebReport(t, *p.reportBase))
      err << "Could not write " << path << "\n";
  }
  if (p.post) {
    const auto password = platform::EnvironmentVariable("DRAV_FTP_PASSWORD");
    t.Format.Password = password.value_or("");
    CurlFtpClient client;
    PostToWebCallbacks callbacks;
    callbacks.message = [&](const PostMessage& message) {
      (message.caption == kCaptionCompleted ? out : err) << message.text << "\n";
    };
    PosttoWeb1Click(t, client, callbacks);
    t.Format.Password.clear();
  }
  out.flush();
}

}  // namespace

// Imports every match file that arrives in FOLDER into FILE, saving after each import, until
// Ctrl+C. FILE is created (New Tournament defaults) when it does not exist yet.
int RunWatch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {"post", "add-teams", "replace-changed"});
  args.AllowOnly({"report", "style", "post", "add-teams", "replace-changed"});
  args.ExpectPositional(2);
  const std::string folder = args.Positional()[0];
  const std::string file = args.Positional()[1];
  Publishing publishing;
  publishing.reportBase = args.Value("report");
  publishing.post = args.Has("post");
  if (const auto style = args.Value("style")) {
    if (*style != "classic" && *style != "modern")
      throw UsageError{"--style takes classic or modern"};
    publishing.style = *style == "modern" ? ReportStyle::Modern : ReportStyle::Classic;
  }

  Tournament t;
  const bool isNew = !std::filesystem::exists(platform::PathFromUtf8(file));
  if (isNew)
    NewTournament(t, NewTournamentChoices{});
  else
    OpenTournament(t, file);
  QbjImportOptions options;
  options.AddUnknownTeams = args.Has("add-teams");
  // A changed file is only reported unless the director asked for the new versions.
  if (args.Has("replace-changed")) options.ChangedMatches = QbjImportOptions::Changed::Replace;

  app::GameFileWatch watch(folder);
  // Ctrl+C (and a plain kill, or Ctrl+Break) is seen only while the loop waits, never in the
  // middle of an import or a save, so stopping can lose nothing.
  const platform::StopRequest stop;
  out << "Watching " << folder << " (Ctrl+C stops)\n";
  out.flush();
  std::string lostFolder;
  bool first = true;
  do {
    std::vector<app::ReadyGameFile> ready;
    try {
      ready = watch.Poll(app::GameFileWatch::Clock::now());
      lostFolder.clear();
    } catch (const DravError& e) {
      // A folder on a network share may vanish for a moment; only a wrong name at the start
      // ends the watch.
      if (first) throw;
      if (lostFolder != e.what()) err << e.what() << "\n";
      lostFolder = e.what();
    }
    first = false;
    bool changed = false;
    std::vector<app::GameFileResult> results;
    for (const app::ReadyGameFile& arrived : ready) {
      const bool hadDivisions = !t.DivisionNames.empty();
      results.push_back(watch.Take(t, arrived, options));
      if (results.back().State != app::GameFileState::Imported) continue;
      // A new tournament whose matches come in pools uses them as divisions.
      if (isNew && !hadDivisions && !t.DivisionNames.empty()) t.Format.Divisions = 1;
      changed = true;
    }
    // Files that arrived together are saved together: one flush to disk instead of one per
    // file. Their records are saved with them, so after a crash before the save they are
    // simply taken again. A failed save stops the watch.
    if (changed) WriteTournament(t, file);
    for (const app::GameFileResult& result : results) PrintResult(result, out);
    if (changed) Publish(t, publishing, out, err);
  } while (!stop.Wait(kPollMs));
  out << "Stopped\n";
  return 0;
}

}  // namespace drav::cli
