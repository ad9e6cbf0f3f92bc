#include "web/stage_report.h"

#include "stats/stage_standings.h"
#include "stats/stage_view.h"
#include "web/modern/modern_report.h"
#include "web/web_report.h"

namespace drav {

std::vector<std::string> WriteStageWebReport(const Tournament& t, int stage,
                                             const std::string& basePath) {
  if (t.Extras.Report == ReportStyle::Modern) return WriteModernStageReport(t, stage, basePath);
  Tournament view = StageView(t, stage);
  // Every page names the tournament in its title and heading; the stage follows the name.
  std::string& name = view.Format.TourneyName;
  if (!name.empty()) name += ' ';
  name += StageLabel(t.Extras.Stages.at(static_cast<std::size_t>(stage)));
  view.Extras.Stages.clear();  // one stage's report has no final ranking
  return WriteWebReport(view, basePath);
}

}  // namespace drav
