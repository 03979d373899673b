// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/box_style.h"

#include <algorithm>
#include <cmath>

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QStyleFactory>
#include <QStyleOption>

namespace mandati {

namespace {

constexpr double kBorderContrast = 3.0;
constexpr double kTextContrast = 4.5;

double Luminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor DarkenedFor(const QColor& colour, const QColor& background, double ratio) {
  QColor darker = colour;
  // Each step takes off a tenth; black reaches 3:1 against any colour light enough to need it.
  for (int step = 0; step < 64 && ContrastRatio(darker, background) < ratio; ++step) {
    darker = darker.darker(110);
  }
  return darker;
}

void DarkenHighlight(QPalette& palette) {
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    const QColor text = palette.color(group, QPalette::HighlightedText);
    const QColor highlight = palette.color(group, QPalette::Highlight);
    if (ContrastRatio(text, highlight) < kTextContrast && Luminance(text) > Luminance(highlight)) {
      palette.setColor(group, QPalette::Highlight, DarkenedFor(highlight, text, kTextContrast));
    }
  }
}

BoxStyle::BoxStyle(const QColor& window_colour)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())),
      window_colour_(window_colour) {}

void BoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element != PE_Frame && element != PE_FrameLineEdit) return;
  // A focused list box is ringed in the text colour, as a focused command button is; the list
  // draws the ring's inner line inside its rows' area.
  const bool ringed = (option->state & State_HasFocus) != 0 &&
                      qobject_cast<const QAbstractItemView*>(widget) != nullptr;
  const QColor edge = ringed ? option->palette.color(QPalette::Text)
                             : DarkenedFor(option->palette.color(QPalette::Shadow), window_colour_,
                                           kBorderContrast);
  painter->save();
  painter->setBrush(Qt::NoBrush);
  painter->setPen(edge);
  painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

}  // namespace mandati
