// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form_builder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStyle>
#include <QTextOption>
#include <QWidget>

#include "form/form_layout.h"
#include "ui/accessible_form.h"
#include "ui/box_style.h"
#include "ui/group_box_style.h"
#include "ui/list_box.h"

namespace mandati {

namespace {

// What a QLineEdit admits when nothing limits it.
constexpr int kNoLengthLimit = 32767;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Has(const ControlLayout& control, ControlFlag flag) { return (control.flags & flag) != 0; }

QString CssColour(const QColor& colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// A command button is drawn as a flat field of its colour under any style: a raised border,
// sunk while pressed, and a black border while it holds the focus.
QString CommandStyleSheet(const Rgb& rgb) {
  const QColor colour(rgb.red, rgb.green, rgb.blue);
  return QStringLiteral(
             "QPushButton { background-color: %1; color: black; border: 2px outset %2; }"
             "QPushButton:focus { border: 2px solid black; }"
             "QPushButton:pressed { background-color: %3; border: 2px inset %2; }")
      .arg(CssColour(colour), CssColour(colour.darker(150)), CssColour(colour.darker(115)));
}

QWidget* MakeFrame(const ControlLayout& control, QWidget* parent) {
  // Only a frame with a border draws its caption; the others are plain areas.
  if (!Has(control, kDrawsBorder)) return new FormArea(parent);
  auto* frame = new QGroupBox(parent);
  auto* style = new GroupBoxStyle;
  style->setParent(frame);
  frame->setStyle(style);
  frame->setTitle(ToQString(control.caption));
  return frame;
}

QWidget* MakeLabel(const ControlLayout& control, QWidget* parent) {
  auto* label = new QLabel(ToQString(control.caption), parent);
  const Qt::Alignment across = Has(control, kCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(across | Qt::AlignTop);
  return label;
}

QWidget* MakeTextBox(const ControlLayout& control, QWidget* parent) {
  if (Has(control, kMultiLine)) {
    auto* box = new QPlainTextEdit(ToQString(control.caption), parent);
    box->setReadOnly(Has(control, kReadOnly));
    box->setWordWrapMode(QTextOption::WordWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);  // Tab leaves the box instead of being typed into it
    // A read-only box still shows a caret, which the arrow keys move, so that keyboard and
    // screen-reader users see where the focus is.
    if (box->isReadOnly()) {
      box->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    }
    return box;
  }
  auto* box = new QLineEdit(ToQString(control.caption), parent);
  if (control.max_length > 0) box->setMaxLength(control.max_length);
  box->setReadOnly(Has(control, kReadOnly));
  if (Has(control, kCentred)) box->setAlignment(Qt::AlignCenter);
  return box;
}

QWidget* MakeListBox(QWidget* parent) {
  auto* list = new ListBox(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Every row is one line of the box's font: Qt need not measure each row to lay them out.
  list->setUniformItemSizes(true);
  return list;
}

QWidget* MakeCommandButton(const ControlLayout& control, QWidget* parent) {
  auto* button = new QPushButton(ToQString(control.caption), parent);
  // Enter and Return click the button that holds the focus, as Space does. The window has no
  // default button: Enter elsewhere does nothing.
  button->setAutoDefault(true);
  return button;
}

QWidget* MakeControl(const ControlLayout& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::kLabel:
      return MakeLabel(control, parent);
    case ControlKind::kFrame:
      return MakeFrame(control, parent);
    case ControlKind::kTextBox:
      return MakeTextBox(control, parent);
    case ControlKind::kListBox:
      return MakeListBox(parent);
    case ControlKind::kOptionButton:
      return new QRadioButton(ToQString(control.caption), parent);
    case ControlKind::kCommandButton:
      return MakeCommandButton(control, parent);
  }
  return nullptr;
}

void Paint(QWidget& widget, const ControlLayout& control, QStyle& box_style) {
  if (control.kind == ControlKind::kCommandButton) {
    widget.setStyleSheet(CommandStyleSheet(control.background));
  } else if (control.background == kSystemColour) {
    // The window's colour must not reach the boxes, borders included: every colour of the
    // desktop's palette is set on the box, so that none is taken from the window.
    QPalette desktop = QApplication::palette(&widget);
    desktop.setResolveMask(~QPalette::ResolveMask{0});
    DarkenHighlight(desktop);
    widget.setPalette(desktop);
    widget.setStyle(&box_style);
  } else {
    // Option buttons fill with the button role, labels and frames with the window role.
    QPalette palette = widget.palette();
    palette.setColor(
        widget.backgroundRole(),
        QColor(control.background.red, control.background.green, control.background.blue));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
  }
}

void Dress(QWidget& widget, const ControlLayout& control, QStyle& box_style) {
  const Twips& place = control.place;
  widget.setObjectName(ToQString(control.name));
  widget.setGeometry(ToPixels(place.left), ToPixels(place.top), ToPixels(place.width),
                     ToPixels(place.height));
  widget.setAccessibleName(ToQString(control.label.empty() ? control.caption : control.label));
  if (!control.tooltip.empty()) widget.setToolTip(ToQString(control.tooltip));
  if (Has(control, kBold)) {
    QFont bold;  // only the weight is set: face and size come from the window
    bold.setBold(true);
    widget.setFont(bold);
  }
  Paint(widget, control, box_style);
  if (Has(control, kHidden)) widget.hide();
}

// Labels and frames take no focus, so the chain holds only the controls that do; Qt skips
// the hidden ones when the user presses Tab.
void ChainTabOrder(const std::array<QWidget*, kFormLayout.size()>& by_tab) {
  std::vector<QWidget*> chain;
  std::copy_if(by_tab.begin(), by_tab.end(), std::back_inserter(chain),
               [](const QWidget* w) { return w->focusPolicy() != Qt::NoFocus; });
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

using MadeControls = std::array<QWidget*, kFormLayout.size()>;

template <typename Control>
Control* Made(const MadeControls& made, std::size_t row) {
  return static_cast<Control*>(made[row]);
}

EntryBox MadeEntryBox(const MadeControls& made, std::size_t row) {
  const int limit = kFormLayout[row].max_length;
  return {Made<QLineEdit>(made, row), limit > 0 ? limit : kNoLengthLimit};
}

// Each control by its role; RowOf finds the rows while compiling.
FormControls Handles(const MadeControls& made) {
  using enum ControlKind;
  constexpr std::array<std::size_t, FormControls::kListCount> kListRows = {
      RowOf("List1(0)", kListBox), RowOf("List1(1)", kListBox), RowOf("List1(2)", kListBox),
      RowOf("List1(3)", kListBox), RowOf("List1(4)", kListBox), RowOf("List1(5)", kListBox),
      RowOf("List1(6)", kListBox)};
  constexpr std::array<std::size_t, FormControls::kOptionCount> kOptionRows = {
      RowOf("Option1(0)", kOptionButton), RowOf("Option1(1)", kOptionButton),
      RowOf("Option1(2)", kOptionButton)};
  FormControls controls;
  controls.help_box = Made<QPlainTextEdit>(made, RowOf("Text1(0)", kTextBox));
  controls.party_count_box = MadeEntryBox(made, RowOf("Text2(0)", kTextBox));
  controls.seat_count_box = MadeEntryBox(made, RowOf("Text2(1)", kTextBox));
  controls.votes_box = MadeEntryBox(made, RowOf("Text3(0)", kTextBox));
  controls.total_box = MadeEntryBox(made, RowOf("Text3(1)", kTextBox));
  controls.set_up_button = Made<QPushButton>(made, RowOf("Command1", kCommandButton));
  controls.command2_buttons = {Made<QPushButton>(made, RowOf("Command2(0)", kCommandButton)),
                               Made<QPushButton>(made, RowOf("Command2(1)", kCommandButton))};
  controls.clear_button = Made<QPushButton>(made, RowOf("Command3", kCommandButton));
  for (std::size_t i = 0; i < kListRows.size(); ++i) {
    controls.lists[i] = Made<ListBox>(made, kListRows[i]);
  }
  for (std::size_t i = 0; i < kOptionRows.size(); ++i) {
    controls.options[i] = Made<QRadioButton>(made, kOptionRows[i]);
  }
  return controls;
}

}  // namespace

FormControls BuildForm(QWidget& window) {
  std::array<QWidget*, kContainerNames.size()> containers{&window};
  MadeControls made{};
  std::array<QWidget*, kFormLayout.size()> by_tab{};
  auto* box_style =
      new BoxStyle(QColor(kWindowColour.red, kWindowColour.green, kWindowColour.blue));
  box_style->setParent(&window);
  // The table lists the frames before the controls they hold.
  for (std::size_t row = 0; row < kFormLayout.size(); ++row) {
    const ControlLayout& control = kFormLayout[row];
    QWidget* parent = containers[static_cast<std::size_t>(control.container)];
    QWidget* widget = MakeControl(control, parent);
    Dress(*widget, control, *box_style);
    made[row] = widget;
    by_tab[static_cast<std::size_t>(control.tab)] = widget;
    const auto* named = std::find(kContainerNames.begin(), kContainerNames.end(), control.name);
    if (named != kContainerNames.end()) {
      containers[static_cast<std::size_t>(named - kContainerNames.begin())] = widget;
    }
  }
  ChainTabOrder(by_tab);
  return Handles(made);
}

}  // namespace mandati
