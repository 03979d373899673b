// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace mandati {

class ListBox;

// A one-line text box and the number of characters the user may type into it.
struct EntryBox {
  QLineEdit* box = nullptr;
  int typed_limit = 0;
};

// The controls the window works with after building it, by their role.
struct FormControls {
  static constexpr std::size_t kListCount = 7;
  static constexpr std::size_t kOptionCount = 3;

  QPlainTextEdit* help_box = nullptr;              // Text1(0)
  EntryBox party_count_box;                        // Text2(0)
  EntryBox seat_count_box;                         // Text2(1)
  EntryBox votes_box;                              // Text3(0)
  EntryBox total_box;                              // Text3(1)
  QPushButton* set_up_button = nullptr;            // Command1 "Определи"
  std::array<QPushButton*, 2> command2_buttons{};  // Command2(0) "Въведи", Command2(1) "Изчисли"
  QPushButton* clear_button = nullptr;             // Command3 "Чисти"
  std::array<ListBox*, kListCount> lists{};           // List1(0) to List1(6)
  std::array<QRadioButton*, kOptionCount> options{};  // Option1(0) to Option1(2)
};

// Creates every control of the layout table as a child of `window`, inside its container, with
// its object name, place, caption or starting text, colour, font, flags, accessible name and
// tooltip, and chains the tab order by the table's tab indices. The window's own caption, size,
// colour and font are the caller's.
FormControls BuildForm(QWidget& window);

}  // namespace mandati
