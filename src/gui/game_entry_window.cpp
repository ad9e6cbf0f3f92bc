#include "gui/game_entry_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "entry/box_rules.h"
#include "gui/box_validator.h"
#include "gui/dialog_seams.h"
#include "gui/small_dialogs.h"
#include "gui/text_codec.h"

namespace drav::gui {

namespace {

constexpr int kCountWidth = 40;
constexpr int kPlayerWidth = 124;

QString Name(const entry::Control& c) {
  return QString::fromStdString(c.Name());
}

QLabel* MakeLabel(const entry::Label& label, Qt::Alignment alignment = Qt::AlignCenter) {
  auto* widget = new QLabel(ToQt(label.Caption()));
  widget->setObjectName(Name(label));
  widget->setAlignment(alignment);
  return widget;
}

QFrame* MakePanel(const entry::Panel& panel) {
  auto* frame = new QFrame;
  frame->setObjectName(Name(panel));
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Raised);
  return frame;
}

void RefreshCombo(QComboBox& box, const entry::ComboBox& combo) {
  QStringList items;
  items.reserve(combo.ItemCount());
  for (const std::string& item : combo.Items()) items << ToQt(item);
  bool same = box.count() == items.size();
  for (int i = 0; same && i < items.size(); ++i) same = box.itemText(i) == items[i];
  if (!same) {
    box.clear();
    box.addItems(items);
  }
  if (box.currentIndex() != combo.ItemIndex()) box.setCurrentIndex(combo.ItemIndex());
}

}  // namespace

namespace {

// One per area: when the active child changes, the child that was active hears of it
// before the new one does, so what one window stores on leaving is there when the next
// window refreshes on activation.
class ActivationDispatcher : public QObject {
 public:
  explicit ActivationDispatcher(QMdiArea* area) : QObject(area) {
    setObjectName("ActivationDispatcher");
    connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
      // Only a change of the active child counts: the area keeps its active child while
      // the main window loses and regains the focus (message boxes, other programs).
      if (!active || active == last_) return;
      QMdiSubWindow* previous = last_;
      last_ = active;
      if (previous) Run(previous, false);
      Run(active, true);
    });
  }

  void Add(QMdiSubWindow* sub, std::function<void()> onActivate,
           std::function<void()> onDeactivate) {
    std::erase_if(hooks_, [](const Hook& h) { return h.sub.isNull(); });
    hooks_.push_back({sub, std::move(onActivate), std::move(onDeactivate)});
    if (sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub) last_ = sub;
  }

 private:
  struct Hook {
    QPointer<QMdiSubWindow> sub;
    std::function<void()> onActivate;
    std::function<void()> onDeactivate;
  };

  void Run(QMdiSubWindow* sub, bool activate) {
    // Copied: a reaction may add windows.
    const std::vector<Hook> hooks = hooks_;
    for (const Hook& h : hooks) {
      if (h.sub != sub) continue;
      const auto& fn = activate ? h.onActivate : h.onDeactivate;
      if (fn) fn();
    }
  }

  std::vector<Hook> hooks_;
  QPointer<QMdiSubWindow> last_;
};

}  // namespace

void HookMdiActivation(QWidget* window, const std::function<void()>& onActivate,
                       const std::function<void()>& onDeactivate) {
  auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
  if (!sub || !sub->mdiArea()) return;
  QMdiArea* area = sub->mdiArea();
  auto* dispatcher =
      area->findChild<ActivationDispatcher*>("ActivationDispatcher", Qt::FindDirectChildrenOnly);
  if (!dispatcher) dispatcher = new ActivationDispatcher(area);
  // Guarded by the window: a reaction never runs on a window that is gone.
  QPointer<QWidget> alive(window);
  dispatcher->Add(
      sub,
      [alive, onActivate] {
        if (alive && onActivate) onActivate();
      },
      [alive, onDeactivate] {
        if (alive && onDeactivate) onDeactivate();
      });
}

GameEntryWindow::GameEntryWindow(Tournament& t, QWidget* parent)
    : QWidget(parent), form_(t, *this) {
  setObjectName("GameEntry");
  setWindowTitle(entry::GameEntryForm::kCaption);
  BuildWidgets();
  SetTabOrder();
  Refresh();
}

QWidget* GameEntryWindow::Widget(const QString& name) const {
  for (const Binding& b : bindings_)
    if (Name(*b.control) == name) return b.widget;
  return nullptr;
}

bool GameEntryWindow::ConfirmAreYouSure() {
  ConfirmDialog dialog(false, this);
  return DialogSeams::Exec(dialog) == QDialog::Accepted;
}

bool GameEntryWindow::ConfirmDelete(const std::string& what) {
  ConfirmDialog dialog(false, this);
  dialog.SetSubject("Delete the game " + ToQt(what) + "?");
  return DialogSeams::Exec(dialog) == QDialog::Accepted;
}

void GameEntryWindow::GoToGame(int position) {
  form_.GoToPosition(position);
  Refresh();
  if (QWidget* score = Widget("ScoreA")) score->setFocus();
}

void GameEntryWindow::ShowMessage(const std::string& text, const std::string& caption) {
  DialogSeams::ShowMessage(this, ToQt(text), ToQt(caption));
}

void GameEntryWindow::FormActivate() {
  form_.FormActivate();
  Refresh();
}

void GameEntryWindow::Bind(entry::Control& control, QWidget* widget) {
  widget->setObjectName(Name(control));
  bindings_.push_back({&control, widget});
}

QLineEdit* GameEntryWindow::MakeEdit(entry::Edit& edit, int width, bool inTabOrder) {
  auto* box = new QLineEdit;
  box->setFixedWidth(width);
  box->setAlignment(Qt::AlignRight);
  if (!inTabOrder) box->setFocusPolicy(Qt::ClickFocus);
  // Remembered so that a box locked for reading can take its place in the Tab order again.
  box->setProperty("dravFocusPolicy", static_cast<int>(box->focusPolicy()));
  Bind(edit, box);
  const std::string& name = edit.Name();
  const bool isCount = name.size() >= 4 && name[0] == 'Q' && name[1] >= '0' && name[1] <= '3';
  if (isCount) {
    const bool sideA = name[2] == 'A';
    const int column = name[1] - '0';
    const int row = name[3] - '0';
    box->setValidator(new BoxValidator(
        [this, sideA, row, column](std::string_view text) {
          return form_.AcceptsCountText(sideA, row, column, text);
        },
        box));
  } else if (name.rfind("GP", 0) == 0) {
    box->setValidator(new BoxValidator(entry::IsGamesPlayedBoxText, box));
  } else if (name != "GID" && name != "Jump" && name.rfind("Pts", 0) != 0) {
    box->setValidator(new BoxValidator(entry::IsIntegerBoxText, box));
  }
  connect(box, &QLineEdit::textEdited, this, [this, &edit](const QString& text) {
    edit.SetText(FromQt(text));
    Refresh();
  });
  return box;
}

QComboBox* GameEntryWindow::MakeCombo(entry::ComboBox& combo, bool teamList) {
  auto* box = new QComboBox;
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(teamList ? 14 : 10);
  if (!teamList) box->setFocusPolicy(Qt::ClickFocus);
  Bind(combo, box);
  connect(box, &QComboBox::activated, this, [this, &combo, teamList](int index) {
    combo.SetItemIndex(index);
    if (teamList) {
      if (&combo == &form_.TeamAName)
        form_.TeamANameClick();
      else
        form_.TeamBNameClick();
    }
    Refresh();
  });
  return box;
}

void GameEntryWindow::BuildWidgets() {
  entry::GameEntryForm& f = form_;
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(6);

  // The two teams side by side: team list and score on top, then the column heads and
  // eight player rows.
  auto* sides = new QHBoxLayout;
  sides->setSpacing(8);
  for (int side = 0; side < 2; ++side) {
    const bool isA = side == 0;
    auto* frame = new QFrame;
    frame->setObjectName(isA ? "TeamAPanel" : "TeamBPanel");
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->setContentsMargins(6, 6, 6, 6);

    QComboBox* team = MakeCombo(isA ? f.TeamAName : f.TeamBName, true);
    team->setPlaceholderText(isA ? "Team A" : "Team B");
    grid->addWidget(team, 0, 0, 1, 4);
    QLineEdit* score = MakeEdit(isA ? f.ScoreA : f.ScoreB, 2 * kCountWidth);
    score->setPlaceholderText("Score");
    score->setToolTip(isA ? "Final score of team A" : "Final score of team B");
    grid->addWidget(score, 0, 4, 1, 3, Qt::AlignRight);

    entry::Label& gpHead = isA ? f.Label10 : f.Label16;
    entry::Label& ptsHead = isA ? f.Label11 : f.Label12;
    QLabel* gpLabel = MakeLabel(gpHead);
    Bind(gpHead, gpLabel);
    grid->addWidget(gpLabel, 1, 1);
    for (int k = 0; k < kColumns; ++k) {
      entry::Label& head = f.ColumnHeads[(isA ? 0 : kColumns) + k];
      QLabel* label = MakeLabel(head);
      Bind(head, label);
      grid->addWidget(label, 1, 2 + k);
      // An unused value column takes no room; a used one keeps its width while no team
      // is chosen, so the form does not jump when rows appear.
      if (!head.Caption().empty()) grid->setColumnMinimumWidth(2 + k, kCountWidth);
    }
    QLabel* ptsLabel = MakeLabel(ptsHead);
    Bind(ptsHead, ptsLabel);
    grid->addWidget(ptsLabel, 1, 6);
    grid->setColumnMinimumWidth(0, kPlayerWidth);
    grid->setColumnMinimumWidth(1, kCountWidth);
    grid->setColumnMinimumWidth(6, kCountWidth + 6);
    grid->setColumnStretch(0, 1);

    for (int r = 1; r <= kRows; ++r) {
      entry::GameEntryForm::PlayerRow& row = isA ? f.RowA(r) : f.RowB(r);
      QComboBox* player = MakeCombo(row.Player, false);
      grid->addWidget(player, 1 + r, 0);
      grid->addWidget(MakeEdit(row.GP, kCountWidth, false), 1 + r, 1);
      for (int k = 0; k < kColumns; ++k)
        grid->addWidget(MakeEdit(row.Q[k], kCountWidth), 1 + r, 2 + k);
      QLineEdit* pts = MakeEdit(row.Pts, kCountWidth + 6, false);
      pts->setFocusPolicy(Qt::NoFocus);
      grid->addWidget(pts, 1 + r, 6);
      grid->setRowMinimumHeight(1 + r, player->sizeHint().height());
    }
    sides->addWidget(frame, 1);
  }
  outer->addLayout(sides);
  {
    // Under the teams' rows, where a full strip leaves no room; Alt+S switches it from the
    // keyboard, and it stays on for the next new game.
    auto* box = new QCheckBox("&Score only");
    box->setFocusPolicy(Qt::ClickFocus);
    Bind(f.ScoreOnly, box);
    connect(box, &QCheckBox::clicked, this, [this](bool on) {
      form_.ScoreOnly.SetChecked(on);
      form_.ScoreOnly.OnClick();
      Refresh();
    });
    outer->addWidget(box);
  }

  // The strip: lightning, bouncebacks and bonuses of team A, toss-ups heard, then the
  // same of team B in mirror order.
  auto* strip = new QHBoxLayout;
  strip->setSpacing(4);
  auto pair = [this](entry::Panel& panel, entry::Label& head1, entry::Edit& box1,
                     entry::Label* head2, entry::Edit* box2, entry::Label* title) {
    QFrame* frame = MakePanel(panel);
    Bind(panel, frame);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    int column = 0;
    if (title) {
      QLabel* t = MakeLabel(*title, Qt::AlignRight | Qt::AlignVCenter);
      Bind(*title, t);
      grid->addWidget(t, 0, column++, 2, 1);
    }
    QLabel* l1 = MakeLabel(head1);
    Bind(head1, l1);
    grid->addWidget(l1, 0, column);
    grid->addWidget(MakeEdit(box1, 48), 1, column++);
    if (head2 && box2) {
      QLabel* l2 = MakeLabel(*head2);
      Bind(*head2, l2);
      grid->addWidget(l2, 0, column);
      grid->addWidget(MakeEdit(*box2, 48), 1, column);
    }
    return frame;
  };
  strip->addWidget(pair(f.Panel8, f.LtngLabelA, f.SixtyA, nullptr, nullptr, nullptr));
  strip->addWidget(
      pair(f.Panel11, f.BncBkLabelA, f.BncBkA, &f.BncBkPtsLabelA, &f.BncBkPtsA, nullptr));
  strip->addWidget(
      pair(f.Panel1, f.HeardLabelA, f.BHA, &f.BonusPtsLabelA, &f.BPA, &f.BonusesLabelA));
  strip->addStretch(1);
  strip->addWidget(pair(f.Panel2, f.TULabel, f.TUH, nullptr, nullptr, nullptr));
  {
    // Out of the Tab order, like the other check boxes: a rare mark, set by clicking;
    // it sits beside the toss-ups heard, where the strip has room.
    auto* box = new QCheckBox(ToQt(f.Tiebreaker.Caption()));
    box->setFocusPolicy(Qt::ClickFocus);
    Bind(f.Tiebreaker, box);
    connect(box, &QCheckBox::clicked, this, [this](bool on) {
      form_.Tiebreaker.SetChecked(on);
      Refresh();
    });
    strip->addWidget(box);
  }
  strip->addStretch(1);
  strip->addWidget(
      pair(f.Panel3, f.HeardLabelB, f.BHB, &f.BonusPtsLabelB, &f.BPB, &f.BonusesLabelB));
  strip->addWidget(
      pair(f.Panel12, f.BncBkLabelB, f.BncBkB, &f.BncBkPtsLabelB, &f.BncBkPtsB, nullptr));
  strip->addWidget(pair(f.Panel9, f.LtngLabelB, f.SixtyB, nullptr, nullptr, nullptr));
  outer->addLayout(strip);

  // The bottom bar: round and identifier, Go To, the two navigation buttons, then the
  // forfeit and overtime controls and Delete.
  auto* bar = new QHBoxLayout;
  bar->setSpacing(6);
  auto addLabel = [this, bar](entry::Label& label) {
    QLabel* l = MakeLabel(label, Qt::AlignRight | Qt::AlignVCenter);
    Bind(label, l);
    bar->addWidget(l);
  };
  auto makeButton = [this](entry::Button& button) {
    auto* b = new QPushButton(ToQt(button.Caption()));
    Bind(button, b);
    return b;
  };
  // The style's least button width would push the bar past a 1280-pixel screen.
  auto compact = [](QPushButton* b) {
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 28);
  };
  addLabel(f.RndLabel);
  bar->addWidget(MakeEdit(f.Round, 44));
  bar->addSpacing(4);
  addLabel(f.IdLabel);
  bar->addWidget(MakeEdit(f.GID, 64));
  bar->addSpacing(4);
  QPushButton* goTo = makeButton(f.Button1);
  goTo->setFocusPolicy(Qt::ClickFocus);
  compact(goTo);
  connect(goTo, &QPushButton::clicked, this, [this] {
    form_.Button1Click();
    Refresh();
  });
  bar->addWidget(goTo);
  QLineEdit* jump = MakeEdit(f.Jump, 64, false);
  jump->setToolTip("Identifier of the game to go to");
  // Labelled inside the box, so the bar stays as narrow as before.
  jump->setPlaceholderText("Game Id");
  jump->setAccessibleName("Game Id to go to");
  // Enter in the box goes to the game, as pressing Go To does.
  connect(jump, &QLineEdit::returnPressed, goTo, &QPushButton::click);
  bar->addWidget(jump);
  bar->addStretch(1);
  for (entry::Button* button : {&f.Previous, &f.Next}) {
    QPushButton* b = makeButton(*button);
    b->setAutoDefault(true);  // Enter presses the focused button
    b->setMinimumWidth(72);
    b->installEventFilter(this);
    const bool next = button == &f.Next;
    connect(b, &QPushButton::clicked, this, [this, next] {
      Navigate(next ? &entry::GameEntryForm::NextClick : &entry::GameEntryForm::PreviousClick);
    });
    bar->addWidget(b);
  }
  position_ = new QLabel(this);
  position_->setObjectName("GamePosition");
  // Wide enough for "Game 999 of 999" so the bar does not shift while paging.
  position_->setMinimumWidth(position_->fontMetrics().horizontalAdvance("Game 999 of 999") + 8);
  position_->setAlignment(Qt::AlignCenter);
  bar->addWidget(position_);
  bar->addStretch(1);
  for (entry::CheckBox* check : {&f.Forfeit, &f.Overtime}) {
    auto* box = new QCheckBox(ToQt(check->Caption()));
    box->setFocusPolicy(Qt::ClickFocus);
    Bind(*check, box);
    connect(box, &QCheckBox::clicked, this, [this, check](bool on) {
      check->SetChecked(on);
      Refresh();
    });
    bar->addWidget(box);
  }
  QLineEdit* ota = MakeEdit(f.OTA, 34, false);
  ota->setPlaceholderText("A");
  ota->setToolTip("Overtime toss-ups answered by team A");
  bar->addWidget(ota);
  QLineEdit* otb = MakeEdit(f.OTB, 34, false);
  otb->setPlaceholderText("B");
  otb->setToolTip("Overtime toss-ups answered by team B");
  bar->addWidget(otb);
  bar->addSpacing(4);
  QPushButton* del = makeButton(f.DeleteGame);
  del->setFocusPolicy(Qt::ClickFocus);
  compact(del);
  connect(del, &QPushButton::clicked, this, [this] {
    form_.DeleteGameClick();
    Refresh();
  });
  bar->addWidget(del);
  outer->addLayout(bar);
  outer->addStretch(1);
}

void GameEntryWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const std::string& name : entry::GameEntryForm::TabOrder()) {
    QWidget* w = Widget(QString::fromStdString(name));
    if (!w) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void GameEntryWindow::Refresh() {
  for (const Binding& b : bindings_) {
    const QSignalBlocker blocker(b.widget);
    entry::Control& c = *b.control;
    if (auto* edit = dynamic_cast<entry::Edit*>(&c)) {
      auto* box = static_cast<QLineEdit*>(b.widget);
      const QString text = ToQt(edit->Text());
      if (box->text() != text) box->setText(text);
    } else if (auto* combo = dynamic_cast<entry::ComboBox*>(&c)) {
      RefreshCombo(*static_cast<QComboBox*>(b.widget), *combo);
    } else if (auto* check = dynamic_cast<entry::CheckBox*>(&c)) {
      static_cast<QCheckBox*>(b.widget)->setChecked(check->Checked());
    } else if (auto* label = dynamic_cast<entry::Label*>(&c)) {
      if (auto* l = qobject_cast<QLabel*>(b.widget))
        l->setText(ToQt(label->Caption()));
      else if (auto* button = qobject_cast<QPushButton*>(b.widget))
        button->setText(ToQt(label->Caption()));
    }
    if (auto* box = qobject_cast<QLineEdit*>(b.widget)) {
      // A locked box shows its figure in the normal text colour on a read-only
      // background, so computed and forfeit figures read as clearly as typed ones.
      const bool locked = !c.Enabled();
      if (box->isReadOnly() != locked || !box->isEnabled()) {
        box->setEnabled(true);
        box->setReadOnly(locked);
        box->setFocusPolicy(
            locked ? Qt::NoFocus
                   : static_cast<Qt::FocusPolicy>(box->property("dravFocusPolicy").toInt()));
        QPalette palette = this->palette();
        if (locked) palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        box->setPalette(palette);
      }
    } else {
      b.widget->setEnabled(c.Enabled());
    }
    b.widget->setHidden(!c.Visible());
  }
  if (position_) position_->setText(ToQt(form_.PositionCaption()));
  // A score only is typed as team A, team B, score A, score B, round, Next.
  for (const char* name : {"GID", "Previous"}) {
    QWidget* w = Widget(name);
    if (!w) continue;
    const QVariant own = w->property("dravFocusPolicy");
    const auto usual = own.isValid() ? static_cast<Qt::FocusPolicy>(own.toInt()) : Qt::StrongFocus;
    w->setFocusPolicy(form_.ScoreOnly.Checked() ? Qt::ClickFocus : usual);
  }
}

void GameEntryWindow::Navigate(std::vector<std::string> (entry::GameEntryForm::*click)()) {
  const std::vector<std::string> warnings = (form_.*click)();
  for (const std::string& warning : warnings) ShowMessage(warning, "Warning");
  Refresh();
}

bool GameEntryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == Widget("Next")) {
      form_.NextEnter();
      Refresh();
    } else if (watched == Widget("Previous")) {
      form_.PreviousEnter();
      Refresh();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void GameEntryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (activationHooked_) return;
  activationHooked_ = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr;
  HookMdiActivation(this, [this] { FormActivate(); });
}

}  // namespace drav::gui
