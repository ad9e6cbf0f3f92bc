#include "gui/game_file_import.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <fstream>
#include <iterator>

#include "app/game_file_watch.h"
#include "entry/results_import.h"
#include "gui/dialog_seams.h"
#include "gui/game_entry_window.h"
#include "gui/progress_runner.h"
#include "gui/text_codec.h"
#include "platform/files.h"

namespace drav::gui {

TeamChoiceDialog::TeamChoiceDialog(const Tournament& t, const std::string& file,
                                   const std::string& team, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TeamChoice");
  setWindowTitle("Unknown Team");
  auto* layout = new QVBoxLayout(this);
  // A typo of a known team is far likelier than a new team: Enter takes the closest name.
  const int likely = entry::LikelyTeam(t, team);
  std::string says = file + " names the team \"" + team + "\", which the tournament does not have.";
  if (likely >= 0)
    says +=
        " The closest name is \"" + t.TeamName(likely) + "\"; add a new team only if it is one.";
  auto* text = new QLabel(ToQt(says), this);
  text->setObjectName("TeamChoiceText");
  text->setWordWrap(true);
  layout->addWidget(text);
  choice_ = new QComboBox(this);
  choice_->setObjectName("TeamChoiceList");
  choice_->addItem(ToQt("Add \"" + team + "\" as a new team"));
  for (int i = 0; i < t.TeamCount(); ++i) choice_->addItem(ToQt(t.TeamName(i)));
  choice_->setCurrentIndex(likely + 1);
  layout->addWidget(choice_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int TeamChoiceDialog::ChosenTeam() const {
  return choice_->currentIndex() - 1;
}

std::optional<int> AskTeamChoice(QWidget* parent, const Tournament& t, const std::string& file,
                                 const std::string& team) {
  TeamChoiceDialog dialog(t, file, team, parent);
  if (DialogSeams::Exec(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenTeam();
}

bool AskReplaceChanged(QWidget* parent, const std::string& file, const std::string& detail) {
  QMessageBox box(QMessageBox::Question, "Changed After Import",
                  ToQt(file + " has changed since it was imported.\n\n" + detail +
                       "\n\nReplace the game it brought with the new version (in the same "
                       "place in the game list), or keep the old game?"),
                  QMessageBox::NoButton, parent);
  box.setObjectName("ChangedAfterImport");
  QPushButton* replace = box.addButton("Replace Game", QMessageBox::AcceptRole);
  replace->setObjectName("ReplaceChanged");
  QPushButton* keep = box.addButton("Keep Old Game", QMessageBox::RejectRole);
  keep->setObjectName("KeepChanged");
  box.setDefaultButton(keep);  // the safe answer: nothing already in the tournament changes
  DialogSeams::FitCaption(box);
  DialogSeams::Exec(box);
  return box.clickedButton() == replace;
}

void ImportGameFiles(QWidget* parent, Tournament& t, const entry::StepHooks& steps) {
  const QStringList names = DialogSeams::AskOpenFileNames(parent, "Import Game Files (QBJ)",
                                                          "QBJ match files (*.qbj);;All files (*)");
  if (names.isEmpty()) return;
  const app::GameFileWatch importer({});
  std::string summary;
  int imported = 0;
  steps.Before();
  for (const QString& name : names) {
    app::ReadyGameFile file;
    file.Path = FromQt(name);
    file.Name = FromQt(QFileInfo(name).fileName());
    app::GameFileResult result;
    result.File = file.Name;
    std::ifstream in(platform::PathFromUtf8(file.Path), std::ios::binary);
    if (!in) {
      result.Detail = "Cannot open " + file.Path;
    } else {
      file.Contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      QbjImportOptions options;
      options.AddUnknownTeams = false;
      while (true) {
        Tournament work = t;
        app::SetUpForImport(work);
        RunWithProgress(parent, "Importing " + name, [&](const app::CancelFlag&) {
          result = importer.Take(work, file, options);
        });
        if (result.State == app::GameFileState::Imported) {
          t = std::move(work);
          ++imported;
        }
        if (result.State == app::GameFileState::Changed) {
          options.ChangedMatches = AskReplaceChanged(parent, file.Name, result.Detail)
                                       ? QbjImportOptions::Changed::Replace
                                       : QbjImportOptions::Changed::Keep;
          continue;
        }
        if (result.State != app::GameFileState::Waiting) break;
        const auto team = AskTeamChoice(parent, t, file.Name, result.Team);
        if (!team) break;
        options.TeamChoices.emplace_back(result.Team, *team);
      }
    }
    summary +=
        (summary.empty() ? "" : "\n") + file.Name + ": " + app::GameFileStateText(result.State);
    if (!result.Detail.empty()) summary += "\n" + result.Detail;
  }
  if (imported > 0) steps.After(app::ImportStepName(imported));
  if (auto* window = parent ? parent->findChild<QMdiArea*>() : nullptr)
    RefreshGameEntryWindows(window);
  DialogSeams::ShowMessage(parent, ToQt(summary), "Completed");
}

void RefreshGameEntryWindows(QMdiArea* mdi) {
  for (QMdiSubWindow* sub : mdi->subWindowList()) {
    if (auto* game = qobject_cast<GameEntryWindow*>(sub->widget())) game->FormActivate();
  }
}

}  // namespace drav::gui
