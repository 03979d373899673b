// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's own texts: the labels of its controls, in the window's language. The
// figures, tables, charts and messages it shows are the companion's own, in English, from
// format/; the method names come from the core's tables.
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
    {"parties", "Партии, по една на ред: „име,гласове“ или „гласове“ (или редове от таблица)"},
    {"seats", "Брой мандати (--seats): напр. 7, или 1..20 за поредица"},
    {"methods", "Методи (--method)"},
    {"exact", "Точно сравняване на остатъците (--exact)"},
    {"explain", "Обяснение на всеки мандат (--explain)"},
    {"show", "Покажи"},
    {"table", "Таблица"},
    {"chart", "Графика"},
    {"calculate", "Изчисли"},
    {"busy", "Изчислява се…"},
    {"downloads", "Изтегли"},
    {"messages", "Съобщения"},
    {"result", "Резултат"},
    {"chartCaption", "Графика на резултата"},
    {"loadFailed", "Сравнението не може да се зареди в този браузър."},
};

// A district to start from: the worked example of the window's help text.
inline constexpr std::string_view kSampleParties = "58125\n45871\n27142\n15947\n12264\n";
inline constexpr std::string_view kSampleSeats = "7";

// The page holds a result whole (to show it and to offer it as a file), so it takes at most
// this many bytes of output; a larger one is refused with kOutputTooLarge.
inline constexpr std::size_t kMaxOutputBytes = 64u << 20;
inline constexpr std::string_view kOutputTooLarge =
    "the output is larger than 64 MB, the most the page holds: choose fewer seat counts, "
    "methods or parties, or use mandati-cli";

}  // namespace mandati::web
