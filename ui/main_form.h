// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator's only window. It is built from the layout table (form_layout.h) and bound to
// the widget-free form state of the commands:
//
//   user event -> copy the three entry boxes into the state -> the event's handler
//              -> Refresh(): the state is shown in the boxes, list boxes and option buttons.
//
// The window decides nothing itself. The user's choice of a list box's row (ListBox::RowChosen)
// is a click on that list box; whatever checks an option button (mouse, keys, an assistive
// tool) chooses its quota. Moving the focus and showing the state raise no event.
//
// The visible columns scroll together, so that a row stays level with its neighbours; the arrow
// keys move through the quota options in their order; after a calculation assistive tools are
// told of the new total and rows, even when they equal the last ones.

#include <cstdint>

#include <QWidget>

#include "commands/form_commands.h"
#include "core/number_rules.h"
#include "core/party_table.h"
#include "ui/form_builder.h"

class QEvent;
class QFont;
class QObject;
class QRadioButton;

namespace mandati {

// The window's font: its controls show their texts in it.
QFont WindowFont();

// Makes the window's font the application's, which Qt uses for text it lays out before knowing
// the widget that shows it: a text box's first, empty document. Without this, building the window
// loads the desktop's font too, only for that empty document. Menus and tool tips keep the
// desktop's font.
void UseWindowFontByDefault();

class MainForm : public QWidget {
  Q_OBJECT

 public:
  // Number settings from the default locale (the user's, unless a program sets another).
  explicit MainForm(QWidget* parent = nullptr);
  explicit MainForm(const NumberSettings& settings, QWidget* parent = nullptr);
  ~MainForm() override;

  const FormState& State() const { return state_; }
  const NumberSettings& Settings() const { return settings_; }

 protected:
  // The option buttons are one stop of the tab order: Tab lands on the chosen one.
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpWindow();
  void Connect();

  // Runs one handler of the commands over the state, between reading the entry boxes and
  // showing the result.
  template <typename Handler>
  void Run(Handler&& handler);
  void ReadEntryBoxes();
  void Refresh();
  QRadioButton* ChosenOption() const;
  void ScrollColumnsTo(int value);
  bool MoveThroughOptions(const QRadioButton& option, int key);
  void TellResults();

  void OnSetUp();
  void OnCommand2(std::int16_t index);
  void OnClear();
  void OnOption(std::int16_t index);
  void OnListClick(std::int16_t index, int row);

  FormState state_;
  NumberSettings settings_;

  FormControls controls_;
  bool scrolling_ = false;
};

}  // namespace mandati
