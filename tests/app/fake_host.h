#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/main_host.h"

namespace drav::app::test {

// Answers the commands' questions from queues the test fills, and records what the
// commands asked the window to do. An empty queue answers "cancel".
class FakeHost : public MainHost {
 public:
  std::deque<std::optional<std::string>> openNames;
  std::deque<std::optional<std::string>> saveNames;
  std::deque<bool> confirmAnswers;
  // RunOptions: nullopt = Cancel, else OK with these choices.
  std::deque<std::optional<NewTournamentChoices>> optionsAnswers;
  // RunSettings: edits the loaded form and answers OK, or nullptr = Cancel.
  std::deque<std::function<void(SettingsForm&)>> settingsAnswers;

  // AskSaveChanges: an empty queue answers Cancel. Each question's text is kept.
  std::deque<SaveAnswer> saveAnswers;
  std::vector<std::string> saveQuestions;
  // The entry forms the commands see (a test builds them over the tournament).
  EntryForms forms;
  int entryRefreshes = 0;
  int warningWindows = 0;

  std::vector<bool> confirmsShown;  // the unsaved-line flag of each confirmation
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  std::vector<std::string> statuses;
  bool yesNoAnswer = false;
  // AskOkCancel: an empty queue answers Cancel; the texts are kept in questions too.
  std::deque<bool> okCancelAnswers;
  std::vector<std::string> questions;
  std::vector<SettingsForm> settingsShown;  // the form as loaded, before any edit
  std::string caption;
  int childWindows = 0;
  bool divisionsWindow = false;
  int rebuilds = 0;
  int packetNamesShown = 0;
  bool timerOn = false;
  int timerMs = 0;
  bool cancelLongTasks = false;
  std::vector<std::string> longTasks;
  struct TextWindow {
    std::string title;
    std::vector<std::string> lines;
  };
  std::vector<TextWindow> textWindows;

  std::optional<std::string> AskOpenFileName() override { return Pop(openNames); }
  std::optional<std::string> AskSaveFileName() override { return Pop(saveNames); }
  bool Confirm(bool showUnsavedLine) override {
    confirmsShown.push_back(showUnsavedLine);
    if (confirmAnswers.empty()) return false;
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& text, const std::string& caption_) override {
    messages.emplace_back(text, caption_);
  }
  bool AskYesNo(const std::string& text, const std::string&) override {
    questions.push_back(text);
    return yesNoAnswer;
  }
  bool AskOkCancel(const std::string& text, const std::string&) override {
    questions.push_back(text);
    if (okCancelAnswers.empty()) return false;
    const bool answer = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return answer;
  }
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  std::string ClockTime() override { return "10:42"; }
  SaveAnswer AskSaveChanges(const std::string& what) override {
    saveQuestions.push_back(what);
    if (saveAnswers.empty()) return SaveAnswer::Cancel;
    const SaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  EntryForms OpenEntryForms() override { return forms; }
  void RefreshEntryWindows() override { ++entryRefreshes; }
  void ShowGameWarnings() override { ++warningWindows; }
  bool RunOptions(NewTournamentChoices& choices) override {
    if (optionsAnswers.empty()) return false;
    auto answer = optionsAnswers.front();
    optionsAnswers.pop_front();
    if (!answer) return false;
    choices = *answer;
    return true;
  }
  bool RunSettings(SettingsForm& form) override {
    settingsShown.push_back(form);
    if (settingsAnswers.empty()) return false;
    auto edit = settingsAnswers.front();
    settingsAnswers.pop_front();
    if (!edit) return false;
    edit(form);
    return true;
  }
  void ShowPacketNames() override { ++packetNamesShown; }
  std::vector<std::string> watchStops;  // the command that stopped the watched folder
  void StopWatchingFolder(const std::string& command) override { watchStops.push_back(command); }
  bool HasChildWindows() override { return childWindows > 0; }
  void CloseChildWindows() override {
    childWindows = 0;
    forms = {};
    divisionsWindow = false;
  }
  void OpenEntryWindows(bool withDivisions) override {
    ++rebuilds;
    childWindows = withDivisions ? 3 : 2;
    divisionsWindow = withDivisions;
  }
  void ShowTextWindow(const std::string& title, const std::vector<std::string>& lines) override {
    textWindows.push_back({title, lines});
    ++childWindows;
  }
  void SetCaption(const std::string& c) override { caption = c; }
  void SetAutosaveTimer(bool on, int ms) override {
    timerOn = on;
    timerMs = ms;
  }
  bool RunLongTask(const std::string& title,
                   const std::function<void(const CancelFlag&)>& work) override {
    longTasks.push_back(title);
    CancelFlag flag;
    if (cancelLongTasks) flag.Cancel();
    work(flag);
    return !flag.Cancelled();
  }

 private:
  template <typename T>
  static std::optional<std::string> Pop(std::deque<T>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};

}  // namespace drav::app::test
