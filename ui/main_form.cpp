#include "ui/main_form.h"

#include <algorithm>
#include <string>

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
#include <QSignalBlocker>
#include <QSize>
#include <QString>
#include <QStyle>

#include "ui/form_builder.h"
#include "ui/form_layout.h"
#include "ui/locale_settings.h"
#include "ui/window_icon.h"

namespace mandati {

namespace {

QString ArrayMember(const char* name, std::size_t index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Writes a box only when its text differs, so a refresh never disturbs the user's typing.
// A box's length limit holds for typing only: a text the program shows there, such as votes
// entered as "1e9" and kept as 1000000000, is shown whole rather than cut to the limit.
// The box's limit is raised to the length of such a text and falls back as the user shortens it.
void FitLengthLimit(QLineEdit& box, const QString& text) {
  const ControlLayout* layout = FindControl(box.objectName().toStdString());
  const int typed_limit = layout != nullptr && layout->max_length > 0 ? layout->max_length : 32767;
  box.setMaxLength(std::max(typed_limit, static_cast<int>(text.size())));
}

void ShowText(QLineEdit& box, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (box.text() == shown) return;
  FitLengthLimit(box, shown);
  box.setText(shown);
}

bool ShowsRows(const QListWidget& list, const TextColumn& column) {
  if (list.count() != column.RowCount()) return false;
  for (int k = 0; k < column.RowCount(); ++k) {
    if (list.item(k)->text() != QString::fromStdString(column.Row(k))) return false;
  }
  return true;
}

// Shows a column's rows and its selected row, scrolled into view. The list box's signals are
// blocked meanwhile, so showing the state raises no click.
void ShowColumn(QListWidget& list, const TextColumn& column) {
  const QSignalBlocker blocker(&list);
  if (!ShowsRows(list, column)) {
    list.clear();
    for (const std::string& row : column.Rows()) list.addItem(QString::fromStdString(row));
  }
  const int selected = column.SelectedRow();
  if (list.currentRow() != selected) list.setCurrentRow(selected);
  if (selected >= 0) list.scrollToItem(list.item(selected));
}

}  // namespace

MainForm::MainForm(QWidget* parent) : MainForm(SettingsFromLocale(QLocale()), parent) {}

MainForm::MainForm(const NumberSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
  SetUpWindow();
  BuildForm(*this);
  FindControls();
  Connect();
  LoadMainForm(state_);
  Refresh();
  findChild<QPlainTextEdit*>(QStringLiteral("Text1(0)"))->setFocus();
}

MainForm::~MainForm() = default;

void MainForm::SetUpWindow() {
  setObjectName(QString::fromUtf8(kWindowName));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setWindowIcon(WindowIcon());
  setFixedSize(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));
  setFont(QFont(QString::fromUtf8(kFontFamily), kFontPointSize));
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

void MainForm::FindControls() {
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] = findChild<QListWidget*>(ArrayMember("List1", i));
  }
  for (std::size_t i = 0; i < options_.size(); ++i) {
    options_[i] = findChild<QRadioButton*>(ArrayMember("Option1", i));
  }
  party_count_box_ = findChild<QLineEdit*>(QStringLiteral("Text2(0)"));
  seat_count_box_ = findChild<QLineEdit*>(QStringLiteral("Text2(1)"));
  votes_box_ = findChild<QLineEdit*>(QStringLiteral("Text3(0)"));
  total_box_ = findChild<QLineEdit*>(QStringLiteral("Text3(1)"));
}

void MainForm::Connect() {
  connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
          &MainForm::OnSetUp);
  connect(findChild<QPushButton*>(QStringLiteral("Command3")), &QPushButton::clicked, this,
          &MainForm::OnClear);
  for (std::int16_t i = 0; i < 2; ++i) {
    auto* button = findChild<QPushButton*>(ArrayMember("Command2", static_cast<std::size_t>(i)));
    connect(button, &QPushButton::clicked, this, [this, i] { OnCommand2(i); });
  }
  for (QLineEdit* box : {party_count_box_, seat_count_box_, votes_box_}) {
    connect(box, &QLineEdit::textEdited, box,
            [box](const QString& text) { FitLengthLimit(*box, text); });
  }
  // `clicked` comes from the user only (mouse, Space, arrow keys), never from setChecked().
  for (std::size_t i = 0; i < options_.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(options_[i], &QRadioButton::clicked, this, [this, index] { OnOption(index); });
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(lists_[i], &QListWidget::currentRowChanged, this,
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
  state_.party_count_text = party_count_box_->text().toStdString();
  state_.seat_count_text = seat_count_box_->text().toStdString();
  state_.votes_text = votes_box_->text().toStdString();
}

void MainForm::Refresh() {
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    ShowColumn(*lists_[i], state_.table.At(static_cast<int>(i)));
  }
  ShowText(*party_count_box_, state_.party_count_text);
  ShowText(*seat_count_box_, state_.seat_count_text);
  ShowText(*votes_box_, state_.votes_text);
  ShowText(*total_box_, state_.total_text);
  ChosenOption()->setChecked(true);
}

QRadioButton* MainForm::ChosenOption() const {
  return options_[static_cast<std::size_t>(state_.values.quota_method)];
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
