#pragma once

class QWidget;

namespace mandati {

// Creates every control of the layout table as a child of `window`, inside its container, with
// its object name, place, caption or starting text, colour, font, flags, accessible name and
// tooltip, and chains the tab order by the table's tab indices. The window's own caption, size,
// colour and font are the caller's.
void BuildForm(QWidget& window);

}  // namespace mandati
