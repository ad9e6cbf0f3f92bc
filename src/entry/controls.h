#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace drav::entry {

// The state of one control of an entry window, kept without any toolkit. A window class
// (form model) owns its controls; the desktop window mirrors them onto real widgets.
//
// The one rule the entry logic relies on: setting an edit's text or a check box's state to
// a *different* value runs the control's reaction, exactly as typing or clicking would;
// setting the value it already has runs nothing. Selecting a list item from code runs
// nothing.
class Control {
 public:
  explicit Control(std::string name = {}) : name_(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  // Controls kept in arrays get their names once, when the window is built.
  void SetName(std::string name) { name_ = std::move(name); }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  void SetVisible(bool visible) { visible_ = visible; }

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
};

// A label, a panel or a button: a caption and the flags, no reaction of its own.
class Label : public Control {
 public:
  Label() = default;
  Label(std::string name, std::string caption)
      : Control(std::move(name)), caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

 private:
  std::string caption_;
};

using Panel = Label;
using Button = Label;

// A single-line edit box.
class Edit : public Control {
 public:
  explicit Edit(std::string name = {}) : Control(std::move(name)) {}

  const std::string& Text() const { return text_; }
  // Runs OnChange when the text differs from the current one.
  void SetText(std::string_view text) {
    if (text == text_) return;
    text_.assign(text.data(), text.size());
    if (OnChange) OnChange();
  }

  std::function<void()> OnChange;

 private:
  std::string text_;
};

// A check box.
class CheckBox : public Control {
 public:
  CheckBox(std::string name, std::string caption)
      : Control(std::move(name)), caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  bool Checked() const { return checked_; }
  // Runs OnClick when the state differs from the current one.
  void SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (OnClick) OnClick();
  }

  std::function<void()> OnClick;

 private:
  std::string caption_;
  bool checked_ = false;
};

// A drop-down list without typing: items and the selected item (-1 for none).
class ComboBox : public Control {
 public:
  explicit ComboBox(std::string name = {}) : Control(std::move(name)) {}

  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int ItemIndex() const { return itemIndex_; }
  // Runs nothing. An index outside the items selects nothing, as the toolkit does.
  void SetItemIndex(int index) {
    itemIndex_ = (index >= 0 && index < ItemCount()) ? index : -1;
  }
  // Removing the items leaves nothing selected.
  void Clear() {
    items_.clear();
    itemIndex_ = -1;
  }
  void AddItem(std::string item) { items_.push_back(std::move(item)); }
  // Replaces the items; nothing is selected afterwards.
  void SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
  }
  // The selected item's text, or "" when nothing is selected.
  const std::string& SelectedText() const {
    static const std::string kNone;
    return itemIndex_ >= 0 && itemIndex_ < ItemCount() ? items_[itemIndex_] : kNone;
  }

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

// A multi-line text box, kept as its lines.
class Memo : public Control {
 public:
  explicit Memo(std::string name = {}) : Control(std::move(name)) {}

  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
  void Clear() { lines_.clear(); }
  void AddLine(std::string line) { lines_.push_back(std::move(line)); }

  // The whole text, lines joined with "\n".
  std::string Text() const;
  // Splits at line feeds; a CR before a line feed belongs to the line end, and a final
  // line end does not start another line (a pasted CR LF text gives the same lines).
  void SetText(std::string_view text);

 private:
  std::vector<std::string> lines_;
};

inline std::string Memo::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines_[i];
  }
  return text;
}

inline void Memo::SetText(std::string_view text) {
  lines_.clear();
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (lf == std::string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
}

// How a window tells the history that it changes the tournament: before just ahead of the
// change, after once it is done, with the step's name ("Delete Team Harbor Tech"). Either
// may be empty.
struct StepHooks {
  std::function<void()> before;
  std::function<void(const std::string& name)> after;
  void Before() const {
    if (before) before();
  }
  void After(const std::string& name) const {
    if (after) after(name);
  }
};

// What the entry windows need from the outside world: the modal confirmation window and
// message boxes. The desktop program shows real windows; tests answer from a script.
class EntryHost {
 public:
  virtual ~EntryHost() = default;
  // The confirmation window: caption "Confirm", text "Are you sure?", OK and Cancel.
  // True only for OK.
  virtual bool ConfirmAreYouSure() = 0;
  // Delete's confirmation, naming what would go ("Round 3: Lakeview vs. Northfield").
  virtual bool ConfirmDelete(const std::string& what) {
    (void)what;
    return ConfirmAreYouSure();
  }
  // A message box with one OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace drav::entry
