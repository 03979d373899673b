// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed layout of the calculator window: one row per control with its name (and index
// within its control array), kind, container, place in twips, tab index, flags, colour and
// texts. The window is built from this table alone and never moves, resizes, hides or
// recolours a control afterwards.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/column_captions.h"
#include "core/party_table.h"
#include "core/quota_rules.h"
#include "form/reference_texts.h"

namespace mandati {

// 15 twips make one logical pixel; Qt scales logical pixels for other screens.
inline constexpr int kTwipsPerPixel = 15;
constexpr int ToPixels(int twips) { return twips / kTwipsPerPixel; }

inline constexpr int kClientWidthTwips = 7680;
inline constexpr int kClientHeightTwips = 6900;

inline constexpr char kWindowCaption[] = "mandati.example  Математика - разпределение на мандати";
inline constexpr char kFontFamily[] = "Times New Roman";
inline constexpr int kFontPointSize = 12;

struct Rgb {
  int red;
  int green;
  int blue;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// Text and list boxes keep the colours of the user's desktop.
inline constexpr Rgb kSystemColour{-1, -1, -1};
inline constexpr Rgb kWindowColour{192, 192, 255};
inline constexpr Rgb kLabelColour{255, 192, 128};
inline constexpr Rgb kOptionColour{128, 128, 255};
inline constexpr Rgb kSetUpColour{128, 255, 128};  // Command1 "Определи"
inline constexpr Rgb kEnterColour{0, 255, 0};      // Command2(0) "Въведи"
inline constexpr Rgb kCalculateColour{0, 192, 0};  // Command2(1) "Изчисли"
inline constexpr Rgb kClearColour{255, 0, 0};      // Command3 "Чисти"

enum class ControlKind { kLabel, kFrame, kTextBox, kListBox, kOptionButton, kCommandButton };

// Where a control sits; its left and top count from that container's top-left corner.
enum class Container { kWindow, kFrame1, kFrame2, kFrame3 };

inline constexpr char kWindowName[] = "MainForm";

// The object names of the containers, by Container.
inline constexpr std::array<std::string_view, 4> kContainerNames{kWindowName, "Frame1", "Frame2",
                                                                 "Frame3"};

enum ControlFlag : unsigned {
  kPlain = 0,
  kCentred = 1U << 0,
  kHidden = 1U << 1,
  kReadOnly = 1U << 2,
  kMultiLine = 1U << 3,  // word wrap and a vertical scroll bar
  kBold = 1U << 4,
  kDrawsBorder = 1U << 5,  // a frame that draws its border and caption
};

struct Twips {
  int left;
  int top;
  int width;
  int height;
};

struct ControlLayout {
  std::string_view name;  // the object name: the array name and index, "List1(0)"
  ControlKind kind;
  Container container;
  Twips place;
  int tab;         // place in the tab order, 0 to 32
  unsigned flags;  // ControlFlag bits
  int max_length;  // characters a text box admits; 0 for no limit
  Rgb background;
  std::string_view caption;  // the caption, or a text box's starting text
  std::string_view label;    // how assistive tools name a box; the caption names the others
  std::string_view tooltip;
};

// The caption of a quota's option button: the core's name for the quota, blanks included.
constexpr std::string_view QuotaCaption(QuotaMethod method) {
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.method == method) return rule.caption;
  }
  return {};
}

// clang-format off
inline constexpr std::array<ControlLayout, 33> kFormLayout = [] {
  using enum ControlKind;
  using enum Container;
  return std::array<ControlLayout, 33>{{
    // On the window itself.
    {"TitleLabel", kLabel, kWindow, {120, 0, 7335, 375}, 2,
     kCentred, 0, kLabelColour, kTitleText, {}, {}},
    {"Frame1", kFrame, kWindow, {120, 480, 7455, 855}, 3,
     kDrawsBorder, 0, kWindowColour,
     "Регистрирани партии, борещи се за фиксиран брой мандати", {}, {}},
    {"Frame2", kFrame, kWindow, {120, 1440, 7455, 1575}, 9,
     kPlain, 0, kWindowColour, "Метод на най-големия остатък", {}, {}},
    {"Frame3", kFrame, kWindow, {120, 3000, 7455, 1095}, 18,
     kPlain, 0, kWindowColour, kLegendText, {}, {}},
    {"Text1(0)", kTextBox, kWindow, {120, 4200, 7455, 2535}, 0,
     kMultiLine | kReadOnly, 0, kSystemColour, kHelpText, "Помощ", {}},
    {"Text1(1)", kTextBox, kWindow, {2040, 5040, 6735, 1815}, 1,
     kMultiLine | kReadOnly | kHidden, 0, kSystemColour, kQuotationText, "Цитат", {}},
    // In Frame1: party and seat counts.
    {"Label1(0)", kLabel, kFrame1, {120, 360, 1455, 375}, 4,
     kPlain, 0, kLabelColour, "Брой партии:", {}, {}},
    {"Text2(0)", kTextBox, kFrame1, {1560, 360, 735, 405}, 5,
     kPlain, 2, kSystemColour, {}, "Брой партии:", {}},
    {"Label1(1)", kLabel, kFrame1, {2760, 360, 1575, 375}, 6,
     kPlain, 0, kLabelColour, CaptionOf(Caption::kSeatCount), {}, {}},
    {"Text2(1)", kTextBox, kFrame1, {4320, 360, 735, 405}, 7,
     kPlain, 2, kSystemColour, {}, CaptionOf(Caption::kSeatCount), {}},
    {"Command1", kCommandButton, kFrame1, {5760, 360, 1575, 375}, 8,
     kPlain, 0, kSetUpColour, "Определи", {}, {}},
    // In Frame2: party list, vote entry, quota and calculation.
    {"Label2(0)", kLabel, kFrame2, {120, 120, 855, 375}, 10,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kParty), {}, {}},
    {"List1(0)", kListBox, kFrame2, {120, 480, 855, 915}, 11,
     kPlain, 0, kSystemColour, {}, CaptionOf(Caption::kParty), {}},
    {"Label2(1)", kLabel, kFrame2, {1080, 120, 1215, 375}, 12,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kVotes), {}, {}},
    {"Text3(0)", kTextBox, kFrame2, {1080, 480, 1215, 405}, 13,
     kPlain, 8, kSystemColour, {}, CaptionOf(Caption::kVotes), {}},
    {"Command2(0)", kCommandButton, kFrame2, {1800, 960, 1215, 375}, 14,
     kPlain, 0, kEnterColour, "Въведи", {}, {}},
    {"Command2(1)", kCommandButton, kFrame2, {6120, 120, 1215, 375}, 15,
     kPlain, 0, kCalculateColour, "Изчисли", {}, {}},
    {"Text3(1)", kTextBox, kFrame2, {2400, 480, 1455, 405}, 16,
     kReadOnly | kCentred, 0, kSystemColour, {}, CaptionOf(Caption::kTotalVotes), {}},
    {"Label2(6)", kLabel, kFrame2, {2400, 120, 1455, 375}, 17,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kTotalVotes), {}, {}},
    {"Option1(2)", kOptionButton, kFrame2, {3960, 840, 3135, 285}, 27,
     kPlain, 0, kOptionColour, QuotaCaption(QuotaMethod::HagenbachBischoff), {}, {}},
    {"Option1(1)", kOptionButton, kFrame2, {3960, 480, 1815, 285}, 28,
     kPlain, 0, kOptionColour, QuotaCaption(QuotaMethod::Droop), {}, {}},
    {"Option1(0)", kOptionButton, kFrame2, {3960, 120, 1815, 285}, 29,
     kPlain, 0, kOptionColour, QuotaCaption(QuotaMethod::Hare), {}, "Hare-Niemeyer"},
    {"List1(5)", kListBox, kFrame2, {5880, 720, 1575, 630}, 32,
     kHidden, 0, kSystemColour, {}, "Гласове", {}},
    // In Frame3: the results.
    {"Label2(2)", kLabel, kFrame3, {120, 0, 1335, 375}, 26,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kPreliminarySeats), {}, {}},
    {"List1(1)", kListBox, kFrame3, {120, 360, 1335, 630}, 22,
     kPlain, 0, kSystemColour, {}, CaptionOf(Caption::kPreliminarySeats), {}},
    {"Label2(3)", kLabel, kFrame3, {1560, 0, 1455, 375}, 25,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kFinalSeats), {}, {}},
    {"List1(2)", kListBox, kFrame3, {1560, 360, 1455, 630}, 21,
     kBold, 0, kSystemColour, {}, CaptionOf(Caption::kFinalSeats), {}},
    {"Label2(4)", kLabel, kFrame3, {3120, 0, 1335, 375}, 24,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kQuotaRatio), {}, {}},
    {"List1(3)", kListBox, kFrame3, {3120, 360, 1335, 630}, 20,
     kPlain, 0, kSystemColour, {}, CaptionOf(Caption::kQuotaRatio), {}},
    {"Label2(5)", kLabel, kFrame3, {4560, 0, 1095, 375}, 23,
     kCentred, 0, kLabelColour, CaptionOf(Caption::kVoteShare), {}, {}},
    {"List1(4)", kListBox, kFrame3, {4560, 360, 1095, 630}, 19,
     kPlain, 0, kSystemColour, {}, CaptionOf(Caption::kVoteShare), {}},
    {"List1(6)", kListBox, kFrame3, {5760, 0, 1335, 630}, 30,
     kHidden, 0, kSystemColour, {}, "Остатъци", {}},
    {"Command3", kCommandButton, kFrame3, {5880, 600, 1455, 375}, 31,
     kPlain, 0, kClearColour, "Чисти", {}, {}},
  }};
}();
// clang-format on

namespace layout_checks {

constexpr bool TabIndicesAreAPermutation() {
  std::array<bool, kFormLayout.size()> seen{};
  for (const ControlLayout& control : kFormLayout) {
    const auto tab = static_cast<std::size_t>(control.tab);
    if (control.tab < 0 || tab >= seen.size() || seen[tab]) return false;
    seen[tab] = true;
  }
  return true;
}

constexpr bool NamesAreUnique() {
  for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
    for (std::size_t j = i + 1; j < kFormLayout.size(); ++j) {
      if (kFormLayout[i].name == kFormLayout[j].name) return false;
    }
  }
  return true;
}

constexpr bool PlacesAreWholePixels() {
  for (const ControlLayout& control : kFormLayout) {
    const Twips& p = control.place;
    for (int twips : {p.left, p.top, p.width, p.height}) {
      if (twips % kTwipsPerPixel != 0) return false;
    }
  }
  return true;
}

static_assert(TabIndicesAreAPermutation(), "every tab index 0 to 32 is used exactly once");
static_assert(NamesAreUnique(), "every control has its own name");
static_assert(PlacesAreWholePixels(), "places fall on whole logical pixels");

}  // namespace layout_checks

// The row of the control with this object name and kind. Evaluated by the compiler only: a name
// that is not in the table, or a control of another kind, does not compile.
consteval std::size_t RowOf(std::string_view name, ControlKind kind) {
  for (std::size_t row = 0; row < kFormLayout.size(); ++row) {
    if (kFormLayout[row].name == name && kFormLayout[row].kind == kind) return row;
  }
  throw "no control of this name and kind";
}

}  // namespace mandati
