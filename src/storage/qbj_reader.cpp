// QBJ import: the community's JSON exchange format, in its 2.x layout and in the older
// layout that the 2014 national championship was published in ("tossups",
// "overtimeTossups", a match-level "forfeit", answer counts with a bare "value").

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "storage/line_reader.h"
#include "storage/qbj.h"
#include "storage/qbj_import.h"

namespace drav {

using qbj_import::Importer;

QbjImportReport ImportQbjReport(Tournament& t, const std::vector<QbjSource>& sources,
                                const QbjImportOptions& options) {
  Tournament work = t;
  Importer importer(work, options);
  for (const QbjSource& source : sources) importer.ImportDocument(source);
  importer.Finish();
  work.CurrentGame = 0;
  work.CurrentTeam = 0;
  QbjImportReport report{std::move(importer.Notes()), std::move(importer.Changed())};
  t = std::move(work);
  return report;
}

std::vector<std::string> ImportQbj(Tournament& t, const std::vector<QbjSource>& sources,
                                   const QbjImportOptions& options) {
  return ImportQbjReport(t, sources, options).Notes;
}

std::string QbjTooLargeMessage(const std::string& path) {
  return path + " is larger than " + std::to_string(kMaxQbjBytes / (1024 * 1024)) +
         " MB, the most a QBJ file may hold";
}

std::vector<std::string> ImportQbjFiles(Tournament& t, const std::vector<std::string>& paths,
                                        const QbjImportOptions& options) {
  return ImportQbjFilesReport(t, paths, options).Notes;
}

QbjImportReport ImportQbjFilesReport(Tournament& t, const std::vector<std::string>& paths,
                                     const QbjImportOptions& options) {
  std::vector<QbjSource> sources;
  sources.reserve(paths.size());
  for (const std::string& path : paths) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxQbjBytes) throw DravError(QbjTooLargeMessage(path));
    sources.push_back({path, ReadWholeFile(path)});
  }
  return ImportQbjReport(t, sources, options);
}

}  // namespace drav