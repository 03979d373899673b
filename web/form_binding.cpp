// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's view of the calculator window. The page knows no control, text or rule of its
// own: it builds its controls from WindowDescription() (the layout table and the fixed texts),
// reports each event as "this control was clicked" to WebForm::Click, and shows the state that
// Click returns, keyed by the controls' names. Routing an event to its command, the state
// behind every control, each control's element id, group and place in the page's focus order,
// and what is told to assistive tools live here, in commands/ and in form/, as the desktop
// window has them.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/form_commands.h"
#include "core/quota_rules.h"
#include "form/form_layout.h"
#include "form/result_columns.h"

namespace mandati {

namespace {

using emscripten::val;

// Faces with the same metrics as the window's font, for systems that lack it.
constexpr std::string_view kFontMetricTwins[] = {"Liberation Serif", "Tinos"};

val Text(std::string_view text) { return val(std::string(text)); }

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kFrame:
      return "frame";
    case ControlKind::kTextBox:
      return "textBox";
    case ControlKind::kListBox:
      return "listBox";
    case ControlKind::kOptionButton:
      return "optionButton";
    case ControlKind::kCommandButton:
      return "commandButton";
  }
  return {};
}

val Colour(const Rgb& rgb) {
  if (rgb == kSystemColour) return Text("");
  return Text("rgb(" + std::to_string(rgb.red) + ", " + std::to_string(rgb.green) + ", " +
              std::to_string(rgb.blue) + ")");
}

// The place of a container's top-left corner in the window, in twips.
Twips Origin(Container container) {
  if (container == Container::kWindow) return {};
  const std::string_view name = kContainerNames[static_cast<std::size_t>(container)];
  for (const ControlLayout& control : kFormLayout) {
    if (control.name == name) return control.place;
  }
  return {};
}

// The control array's name and the index in "Command2(1)"; a single control has index 0.
struct ControlName {
  std::string_view array;
  std::int16_t index = 0;
};

constexpr ControlName SplitName(std::string_view name) {
  const std::size_t open = name.find('(');
  if (open == std::string_view::npos || name.back() != ')') return {name, 0};
  int index = 0;
  for (char c : name.substr(open + 1, name.size() - open - 2)) {
    if (c < '0' || c > '9' || index > 999) return {{}, 0};
    index = index * 10 + (c - '0');
  }
  return {name.substr(0, open), static_cast<std::int16_t>(index)};
}

bool Has(const ControlLayout& control, ControlFlag flag) { return (control.flags & flag) != 0; }

// The element id of a control: its name with the brackets made hyphens, "c-List1-0-".
std::string ElementId(std::string_view name) {
  std::string id = "c-" + std::string(name);
  std::replace(id.begin(), id.end(), '(', '-');
  std::replace(id.begin(), id.end(), ')', '-');
  return id;
}

// Each control's place in the page's focus order, by row of the layout table. The page's order
// of focus is the order of its elements, and a browser's arrow keys move through an option
// group in that order too: the group, one tab stop, takes the place of its first tab index and
// is laid out from its top option down, as the options' captions read.
struct FocusKey {
  int tab;
  int top;
  friend constexpr bool operator<(const FocusKey& a, const FocusKey& b) {
    return a.tab != b.tab ? a.tab < b.tab : a.top < b.top;
  }
};

constexpr FocusKey FocusKeyOf(const ControlLayout& control) {
  if (control.kind != ControlKind::kOptionButton) return {control.tab, 0};
  int tab = control.tab;
  for (const ControlLayout& other : kFormLayout) {
    if (other.kind == ControlKind::kOptionButton &&
        SplitName(other.name).array == SplitName(control.name).array && other.tab < tab) {
      tab = other.tab;
    }
  }
  return {tab, control.place.top};
}

constexpr std::array<int, kFormLayout.size()> FocusOrder() {
  std::array<int, kFormLayout.size()> order{};
  for (std::size_t row = 0; row < kFormLayout.size(); ++row) {
    for (const ControlLayout& other : kFormLayout) {
      if (FocusKeyOf(other) < FocusKeyOf(kFormLayout[row])) ++order[row];
    }
  }
  return order;
}

constexpr std::array<int, kFormLayout.size()> kFocusOrder = FocusOrder();

constexpr bool FocusOrderIsAPermutation() {
  std::array<bool, kFormLayout.size()> seen{};
  for (const int place : kFocusOrder) {
    if (seen[static_cast<std::size_t>(place)]) return false;
    seen[static_cast<std::size_t>(place)] = true;
  }
  return true;
}
static_assert(FocusOrderIsAPermutation(), "every control has its own place in the focus order");

val Control(const ControlLayout& control, int focus_order) {
  const Twips origin = Origin(control.container);
  val object = val::object();
  object.set("name", Text(control.name));
  object.set("id", ElementId(control.name));
  object.set("kind", Text(KindName(control.kind)));
  object.set("container", Text(kContainerNames[static_cast<std::size_t>(control.container)]));
  // The radio group of an option button; the visible lists scroll together as one group.
  const ControlName split = SplitName(control.name);
  const bool column = control.kind == ControlKind::kListBox && split.index <= kLastResultColumn;
  object.set("group",
             Text(control.kind == ControlKind::kOptionButton || column ? split.array : ""));
  object.set("focusOrder", focus_order);
  // Pixels in the window's own coordinates; the page lays every control out on the window.
  object.set("left", ToPixels(origin.left + control.place.left));
  object.set("top", ToPixels(origin.top + control.place.top));
  object.set("width", ToPixels(control.place.width));
  object.set("height", ToPixels(control.place.height));
  object.set("tab", control.tab);
  object.set("centred", Has(control, kCentred));
  object.set("hidden", Has(control, kHidden));
  object.set("readOnly", Has(control, kReadOnly));
  object.set("multiLine", Has(control, kMultiLine));
  object.set("bold", Has(control, kBold));
  object.set("drawsBorder", Has(control, kDrawsBorder));
  object.set("maxLength", control.max_length);
  object.set("background", Colour(control.background));
  object.set("caption", Text(control.caption));
  object.set("label", Text(control.label));
  object.set("tooltip", Text(control.tooltip));
  return object;
}

// The name the layout table gives each box and list bound to the form state.
constexpr std::string_view kPartyCountBox =
    kFormLayout[RowOf("Text2(0)", ControlKind::kTextBox)].name;
constexpr std::string_view kSeatCountBox =
    kFormLayout[RowOf("Text2(1)", ControlKind::kTextBox)].name;
constexpr std::string_view kVotesBox = kFormLayout[RowOf("Text3(0)", ControlKind::kTextBox)].name;
constexpr std::string_view kTotalBox = kFormLayout[RowOf("Text3(1)", ControlKind::kTextBox)].name;
constexpr std::string_view kListArray = "List1";
constexpr std::string_view kCalculateArray = "Command2";  // Command2(1), "Изчисли"
constexpr std::int16_t kCalculateIndex = 1;
constexpr std::string_view kOptionArray = "Option1";
constexpr std::size_t kOptionCount = 3;

std::string Entry(const val& texts, std::string_view name) {
  const val text = texts[std::string(name)];
  return text.isString() ? text.as<std::string>() : std::string();
}

}  // namespace

val WindowDescription() {
  val window = val::object();
  window.set("name", Text(kWindowName));
  window.set("caption", Text(kWindowCaption));
  window.set("width", ToPixels(kClientWidthTwips));
  window.set("height", ToPixels(kClientHeightTwips));
  window.set("background", Colour(kWindowColour));
  val faces = val::array();
  faces.call<void>("push", Text(kFontFamily));
  for (std::string_view twin : kFontMetricTwins) faces.call<void>("push", Text(twin));
  window.set("fontFamilies", faces);
  window.set("fontPointSize", kFontPointSize);
  val controls = val::array();
  for (std::size_t row = 0; row < kFormLayout.size(); ++row) {
    controls.call<void>("push", Control(kFormLayout[row], kFocusOrder[row]));
  }
  window.set("controls", controls);
  return window;
}

// The window's form state and the user's number settings, with one entry point per event.
class WebForm {
 public:
  WebForm(std::string decimal_separator, std::string group_separator) {
    settings_.decimal_separator = std::move(decimal_separator);
    settings_.group_separator = std::move(group_separator);
    settings_.group_size = settings_.group_separator.empty() ? 0 : 3;
    LoadMainForm(state_);
  }

  // A click of the named control (a row of a list box chosen by the user for a list), with the
  // texts the user has typed into the entry boxes, by name. Returns the state to show.
  val Click(const std::string& name, int row, const val& texts) {
    state_.party_count_text = Entry(texts, kPartyCountBox);
    state_.seat_count_text = Entry(texts, kSeatCountBox);
    state_.votes_text = Entry(texts, kVotesBox);
    const auto [array, index] = SplitName(name);
    if (array == "Command1") SetUpParties(state_, settings_);
    if (array == "Command2") ClickCommand2(state_, index, settings_);
    if (array == "Command3") ClearAll(state_);
    if (array == kOptionArray) ChooseQuotaMethod(state_, index);
    // A list raises its click only when the user moves it to another row of its own.
    if (array == kListArray && index < PartyTable::kColumnCount) {
      const TextColumn& column = state_.table.At(index);
      if (row >= 0 && row < column.RowCount() && row != MarkedRow(state_.table, index)) {
        SelectPartyRow(state_, index, row);
      }
    }
    val state = State();
    // After every calculation, also one that repeats the last, the results are told again.
    if (array == kCalculateArray && index == kCalculateIndex) {
      state.set("announcement", ResultsAnnouncement(state_.table, state_.total_text));
    }
    return state;
  }

  // Every bound control's content, by name: texts for the boxes; for the lists their rows, the
  // row each marks, and for the result lists each row's name and the rows in one line, as
  // assistive tools hear them; checked or not for the option buttons.
  val State() const {
    val state = val::object();
    state.set(Text(kPartyCountBox), Text(state_.party_count_text));
    state.set(Text(kSeatCountBox), Text(state_.seat_count_text));
    state.set(Text(kVotesBox), Text(state_.votes_text));
    state.set(Text(kTotalBox), Text(state_.total_text));
    for (int i = 0; i < PartyTable::kColumnCount; ++i) {
      const TextColumn& column = state_.table.At(i);
      val rows = val::array();
      for (const std::string& text : column.Rows()) rows.call<void>("push", Text(text));
      const std::vector<std::string> names = ResultRowNames(state_.table, i);
      val named = val::array();
      for (const std::string& name : names) named.call<void>("push", Text(name));
      val list = val::object();
      list.set("rows", rows);
      list.set("selected", MarkedRow(state_.table, i));
      list.set("names", named);
      list.set("description", ResultColumnDescription(names));
      state.set(std::string(kListArray) + "(" + std::to_string(i) + ")", list);
    }
    for (std::size_t i = 0; i < kOptionCount; ++i) {
      state.set(std::string(kOptionArray) + "(" + std::to_string(i) + ")",
                static_cast<std::size_t>(WindowQuotaIndex(state_.values.quota_method)) == i);
    }
    // After set-up the vote box shows a party's blank votes as one blank; typed after it, the
    // eighth digit would not fit. What the user types or pastes there replaces blanks that the
    // window shows (blanks the user types stay), as in the desktop window.
    const bool blank = !state_.votes_text.empty() &&
                       state_.votes_text.find_first_not_of(" \t") == std::string::npos;
    state.set("replacedWhenTyped", Text(blank ? kVotesBox : ""));
    return state;
  }

 private:
  FormState state_;
  NumberSettings settings_;
};

EMSCRIPTEN_BINDINGS(mandati_window) {
  emscripten::function("windowDescription", &WindowDescription);
  emscripten::class_<WebForm>("WebForm")
      .constructor<std::string, std::string>()
      .function("click", &WebForm::Click)
      .function("state", &WebForm::State);
}

}  // namespace mandati
