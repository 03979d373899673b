// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_form.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStyle>

#include "core/quota_rules.h"
#include "form/form_layout.h"
#include "form/result_columns.h"
#include "ui/accessible_form.h"
#include "ui/form_builder.h"
#include "ui/list_box.h"
#include "ui/locale_settings.h"
#include "ui/window_icon.h"

namespace mandati {

namespace {

// List1(0) to List1(4) are the visible columns.
constexpr auto kLastVisibleColumn = static_cast<std::size_t>(kLastResultColumn);

// A box's length limit holds for typing only: a text the program shows there, such as votes
// entered as "1e9" and kept as 1000000000, is shown whole rather than cut to the limit.
// The box's limit is raised to the length of such a text and falls back as the user shortens it.
void FitLengthLimit(const EntryBox& entry, const QString& text) {
  entry.box->setMaxLength(std::max(entry.typed_limit, static_cast<int>(text.size())));
}

// Writes a box only when its text differs, so a refresh never disturbs the user's typing.
void ShowText(const EntryBox& entry, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (entry.box->text() == shown) return;
  FitLengthLimit(entry, shown);
  entry.box->setText(shown);
}

bool ShowsRows(const QListWidget& list, const TextColumn& column) {
  if (list.count() != column.RowCount()) return false;
  for (int k = 0; k < column.RowCount(); ++k) {
    if (list.item(k)->text() != QString::fromStdString(column.Row(k))) return false;
  }
  return true;
}

// Shows a column's rows, a result row named for assistive tools with its party.
void ShowColumn(ListBox& list, const TextColumn& column, const std::vector<std::string>& names) {
  if (ShowsRows(list, column)) return;
  QStringList rows;
  QStringList accessible_names;
  rows.reserve(static_cast<qsizetype>(column.Rows().size()));
  for (const std::string& row : column.Rows()) rows.append(QString::fromStdString(row));
  for (const std::string& name : names) accessible_names.append(QString::fromStdString(name));
  list.ShowRows(rows, accessible_names, QString::fromStdString(ResultColumnDescription(names)));
}

}  // namespace

QFont WindowFont() { return QFont(QString::fromUtf8(kFontFamily), kFontPointSize); }

void UseWindowFontByDefault() {
  // Setting the application's font drops the fonts set for kinds of widgets, so those are kept
  // first and set again.
  constexpr std::array<const char*, 2> kDesktopFontKinds = {"QMenu", "QTipLabel"};
  std::array<QFont, kDesktopFontKinds.size()> desktop_fonts;
  for (std::size_t i = 0; i < kDesktopFontKinds.size(); ++i) {
    desktop_fonts[i] = QApplication::font(kDesktopFontKinds[i]);
  }
  QApplication::setFont(WindowFont());
  for (std::size_t i = 0; i < kDesktopFontKinds.size(); ++i) {
    QApplication::setFont(desktop_fonts[i], kDesktopFontKinds[i]);
  }
}

MainForm::MainForm(QWidget* parent) : MainForm(SettingsFromLocale(QLocale()), parent) {}

MainForm::MainForm(const NumberSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
  InstallFormAccessibility();  // before any control is built and asked for its interface
  SetUpWindow();
  controls_ = BuildForm(*this);
  LoadMainForm(state_);
  Refresh();  // checks the load handler's option before any option is connected
  Connect();
  controls_.help_box->setFocus();
}

MainForm::~MainForm() = default;

void MainForm::SetUpWindow() {
  setObjectName(QString::fromUtf8(kWindowName));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setWindowIcon(WindowIcon());
  setFixedSize(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));
  setFont(WindowFont());
  QPalette window_palette = palette();
  window_palette.setColor(QPalette::Window,
                          QColor(kWindowColour.red, kWindowColour.green, kWindowColour.blue));
  setPalette(window_palette);
  setAutoFillBackground(true);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
  }
}

void MainForm::Connect() {
  connect(controls_.set_up_button, &QPushButton::clicked, this, &MainForm::OnSetUp);
  connect(controls_.clear_button, &QPushButton::clicked, this, &MainForm::OnClear);
  for (std::size_t i = 0; i < controls_.command2_buttons.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(controls_.command2_buttons[i], &QPushButton::clicked, this,
            [this, index] { OnCommand2(index); });
  }
  for (const EntryBox& entry :
       {controls_.party_count_box, controls_.seat_count_box, controls_.votes_box}) {
    connect(entry.box, &QLineEdit::textEdited, entry.box,
            [entry](const QString& text) { FitLengthLimit(entry, text); });
  }
  // `toggled` comes with every way of checking an option: the mouse, Space, the arrow keys
  // and an assistive tool's toggle action (which raises no `clicked`). Re-checking the chosen
  // option in Refresh() changes nothing and raises nothing.
  for (std::size_t i = 0; i < controls_.options.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(controls_.options[i], &QRadioButton::toggled, this, [this, index](bool checked) {
      if (checked) OnOption(index);
    });
  }
  for (std::size_t i = 0; i < controls_.lists.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(controls_.lists[i], &ListBox::RowChosen, this,
            [this, index](int row) { OnListClick(index, row); });
  }
  for (std::size_t i = 0; i <= kLastVisibleColumn; ++i) {
    connect(controls_.lists[i]->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MainForm::ScrollColumnsTo);
  }
  for (QRadioButton* option : controls_.options) option->installEventFilter(this);
  controls_.votes_box.box->installEventFilter(this);
}

// Each column scrolls by whole rows, so one value is the same top row in every column. A column
// that cannot scroll as far stops at its end, and does not pull the others back.
void MainForm::ScrollColumnsTo(int value) {
  if (std::exchange(scrolling_, true)) return;
  for (std::size_t i = 0; i <= kLastVisibleColumn; ++i) {
    controls_.lists[i]->verticalScrollBar()->setValue(value);
  }
  scrolling_ = false;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (const auto* option = qobject_cast<QRadioButton*>(watched)) {
    return MoveThroughOptions(*option, key->key());
  }
  // After set-up the vote box shows a party's blank votes as one blank. Typed after it, the
  // eighth digit would not fit: what the user types or pastes replaces blanks that the window
  // shows there (blanks the user types stay).
  QLineEdit* votes = controls_.votes_box.box;
  const bool typing = !key->text().isEmpty() && key->text().front().isPrint();
  const QString shown = votes->text();
  if (watched == votes && (typing || key->matches(QKeySequence::Paste)) && !shown.isEmpty() &&
      shown.trimmed().isEmpty() && shown == QString::fromStdString(state_.votes_text)) {
    votes->clear();
  }
  return false;
}

// The arrow keys go through the options in their order, as their captions read, and round.
// Qt would go by place on the screen, where the wide third option lies right of the first.
bool MainForm::MoveThroughOptions(const QRadioButton& option, int key) {
  int step = 0;
  if (key == Qt::Key_Right || key == Qt::Key_Down) step = 1;
  if (key == Qt::Key_Left || key == Qt::Key_Up) step = -1;
  const auto found = std::find(controls_.options.begin(), controls_.options.end(), &option);
  if (step == 0 || found == controls_.options.end()) return false;
  const auto count = static_cast<std::ptrdiff_t>(controls_.options.size());
  const std::ptrdiff_t next = ((found - controls_.options.begin()) + step + count) % count;
  QRadioButton* target = controls_.options[static_cast<std::size_t>(next)];
  target->setFocus(Qt::OtherFocusReason);
  target->setChecked(true);
  return true;
}

// Assistive tools are told of the total and of each result column's rows (its description)
// after every calculation, also when it repeats the last one.
void MainForm::TellResults() {
  if (state_.table.FinalSeatsColumn().Empty() || !QAccessible::isActive()) return;
  for (auto i = static_cast<std::size_t>(kFirstResultColumn); i <= kLastVisibleColumn; ++i) {
    QAccessibleEvent rows(controls_.lists[i], QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&rows);
  }
  QLineEdit* total = controls_.total_box.box;
  QAccessibleTextUpdateEvent update(total, 0, total->text(), total->text());
  QAccessible::updateAccessibility(&update);
}

template <typename Handler>
void MainForm::Run(Handler&& handler) {
  ReadEntryBoxes();
  handler();
  Refresh();
}

void MainForm::ReadEntryBoxes() {
  state_.party_count_text = controls_.party_count_box.box->text().toStdString();
  state_.seat_count_text = controls_.seat_count_box.box->text().toStdString();
  state_.votes_text = controls_.votes_box.box->text().toStdString();
}

void MainForm::Refresh() {
  for (std::size_t i = 0; i < controls_.lists.size(); ++i) {
    const int column = static_cast<int>(i);
    ShowColumn(*controls_.lists[i], state_.table.At(column), ResultRowNames(state_.table, column));
    controls_.lists[i]->ShowMarkedRow(MarkedRow(state_.table, column));
  }
  ShowText(controls_.party_count_box, state_.party_count_text);
  ShowText(controls_.seat_count_box, state_.seat_count_text);
  ShowText(controls_.votes_box, state_.votes_text);
  ShowText(controls_.total_box, state_.total_text);
  ChosenOption()->setChecked(true);
}

QRadioButton* MainForm::ChosenOption() const {
  return controls_.options[static_cast<std::size_t>(WindowQuotaIndex(state_.values.quota_method))];
}

bool MainForm::focusNextPrevChild(bool next) {
  // Qt enters an option group at whichever member the walk meets first and then passes over the
  // rest of the group; the chosen member takes the focus instead.
  const bool moved = QWidget::focusNextPrevChild(next);
  const auto* option = qobject_cast<const QRadioButton*>(focusWidget());
  if (moved && option != nullptr && option != ChosenOption()) {
    ChosenOption()->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  }
  return moved;
}

void MainForm::OnSetUp() {
  Run([this] { SetUpParties(state_, settings_); });
}

void MainForm::OnCommand2(std::int16_t index) {
  Run([this, index] { ClickCommand2(state_, index, settings_); });
  if (index == 1) TellResults();
}

void MainForm::OnClear() {
  Run([this] { ClearAll(state_); });
}

void MainForm::OnOption(std::int16_t index) {
  Run([this, index] { ChooseQuotaMethod(state_, index); });
}

void MainForm::OnListClick(std::int16_t index, int row) {
  Run([this, index, row] { SelectPartyRow(state_, index, row); });
}

}  // namespace mandati
