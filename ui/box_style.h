// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QProxyStyle>

class QPainter;
class QPalette;
class QStyleOption;
class QWidget;

namespace mandati {

// WCAG's contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The colour darkened step by step until it reaches `ratio` against `background`.
QColor DarkenedFor(const QColor& colour, const QColor& background, double ratio);

// Gives the box's selected rows and text a highlight dark enough for their text (4.5:1).
void DarkenHighlight(QPalette& palette);

// The style of the text and list boxes: the desktop's own, with a border dark enough to stay
// visible on a projector against the window's colour (3:1, from the desktop's shadow colour).
class BoxStyle : public QProxyStyle {
 public:
  explicit BoxStyle(const QColor& window_colour);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  QColor window_colour_;
};

}  // namespace mandati
