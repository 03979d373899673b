#pragma once

// The calculator's only window. It is built from the layout table (form_layout.h) and bound to
// the widget-free form state of the commands:
//
//   user event -> copy the three entry boxes into the state -> the event's handler
//              -> Refresh(): the state is shown in the boxes, list boxes and option buttons.
//
// The window decides nothing itself. A change of a list box's row by the user counts as a click
// on that list box; showing the state in a list box raises no click.

#include <array>
#include <cstddef>
#include <cstdint>

#include <QWidget>

#include "commands/form_commands.h"
#include "core/number_rules.h"
#include "core/party_table.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace mandati {

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

 private:
  static constexpr std::size_t kOptionCount = 3;

  void SetUpWindow();
  void FindControls();
  void Connect();

  // Runs one handler of the commands over the state, between reading the entry boxes and
  // showing the result.
  template <typename Handler>
  void Run(Handler&& handler);
  void ReadEntryBoxes();
  void Refresh();
  QRadioButton* ChosenOption() const;

  void OnSetUp();
  void OnCommand2(std::int16_t index);
  void OnClear();
  void OnOption(std::int16_t index);
  void OnListClick(std::int16_t index, int row);

  FormState state_;
  NumberSettings settings_;

  std::array<QListWidget*, PartyTable::kColumnCount> lists_{};
  std::array<QRadioButton*, kOptionCount> options_{};
  QLineEdit* party_count_box_ = nullptr;  // Text2(0)
  QLineEdit* seat_count_box_ = nullptr;   // Text2(1)
  QLineEdit* votes_box_ = nullptr;        // Text3(0)
  QLineEdit* total_box_ = nullptr;        // Text3(1)
};

}  // namespace mandati
