// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's own texts: the labels of its controls, in the window's language. The
// figures, tables, charts and messages it shows are the companion's own, from format/, in the
// bench's language; its messages call the controls by the names their labels begin with.
#pragma once

#include <cstddef>
#include <string_view>

namespace mandati::web {

struct BenchText {
  std::string_view key;   // how the page finds the text
  std::string_view text;  // what it shows
};

inline constexpr BenchText kBenchTexts[] = {
    {"windowView", "Калкулатор"},
    {"benchView", "Сравнение на методи"},
    {"views", "Изглед на страницата"},
    {"calculate", "Изчисли"},
    {"busy", "Изчислява се…"},
    {"downloads", "Изтегли"},
    {"messages", "Съобщения"},
    {"result", "Резултат"},
    {"chartCaption", "Графика на резултата"},
    {"loadFailed", "Сравнението не може да се зареди в този браузър."},
    {"elections", "Избори"},
    {"noElection", "Партиите от полето по-долу"},
};

// A control that gives the calculation a value: its label, and the name by which messages call
// it, with which the label begins.
struct BenchField {
  std::string_view key;
  std::string_view name;
  std::string_view label;
};

inline constexpr BenchField kBenchFields[] = {
    {"parties", "Партии",
     "Партии, по една на ред: „име,гласове“ или „гласове“ (или редове от таблица)"},
    {"seats", "Брой мандати", "Брой мандати или поредица, напр. 7 или 1..20"},
    {"methods", "Методи", "Методи"},
    {"exact", "Точно сравняване на остатъците", "Точно сравняване на остатъците"},
    {"explain", "Обяснение на всеки мандат", "Обяснение на всеки мандат"},
    {"show", "Покажи", "Покажи"},
};

constexpr bool LabelsBeginWithTheirNames() {
  for (const BenchField& field : kBenchFields) {
    if (!field.label.starts_with(field.name)) return false;
  }
  return true;
}
static_assert(LabelsBeginWithTheirNames(), "a message calls a control as its label begins");

constexpr std::string_view NameOfField(std::string_view key) {
  for (const BenchField& field : kBenchFields) {
    if (field.key == key) return field.name;
  }
  return key;
}

// The bench's views of a result: each shows one of the companion's formats, as text or as a
// picture.
struct BenchView {
  std::string_view key;
  std::string_view format;  // the format's keyword
  std::string_view label;
  bool picture;
};

inline constexpr BenchView kBenchViews[] = {
    {"table", "table", "Таблица", false},
    {"chart", "svg", "Графика", true},
};

// A district to start from: the worked example of the window's help text.
inline constexpr std::string_view kSampleParties = "58125\n45871\n27142\n15947\n12264\n";
inline constexpr std::string_view kSampleSeats = "7";

// The page holds a result whole (to show it and to offer it as a file), so it takes at most
// this many bytes of output; a larger one is refused.
inline constexpr std::size_t kMaxOutputBytes = 64u << 20;

}  // namespace mandati::web
