// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_form.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStyle>

#include "ui/form_builder.h"
#include "form/form_layout.h"
#include "ui/list_box.h"
#include "ui/locale_settings.h"
#include "ui/window_icon.h"

namespace mandati {

namespace {

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

// Whether the list box marks exactly this row, or none for -1, and has it as its current row.
bool ShowsSelected(const QListWidget& list, int selected) {
  if (list.currentRow() != selected) return false;
  if (selected < 0) return !list.selectionModel()->hasSelection();
  return list.item(selected)->isSelected();
}

// Shows a column's rows and its selected row, scrolled into view. Only the user's choice of a
// row raises a click (ListBox::RowChosen), so showing the state raises none.
void ShowColumn(QListWidget& list, const TextColumn& column) {
  if (!ShowsRows(list, column)) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(column.Rows().size()));
    for (const std::string& row : column.Rows()) rows.append(QString::fromStdString(row));
    list.clear();
    list.addItems(rows);  // one insertion, laid out once
  }
  const int selected = column.SelectedRow();
  if (!ShowsSelected(list, selected)) list.setCurrentRow(selected);
  if (selected >= 0) list.scrollToItem(list.item(selected));
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
    ShowColumn(*controls_.lists[i], state_.table.At(static_cast<int>(i)));
  }
  ShowText(controls_.party_count_box, state_.party_count_text);
  ShowText(controls_.seat_count_box, state_.seat_count_text);
  ShowText(controls_.votes_box, state_.votes_text);
  ShowText(controls_.total_box, state_.total_text);
  ChosenOption()->setChecked(true);
}

QRadioButton* MainForm::ChosenOption() const {
  return controls_.options[static_cast<std::size_t>(state_.values.quota_method)];
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
