// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QProxyStyle>

class QPainter;
class QStyleOption;
class QWidget;

namespace mandati {

// The application's style for a framed group box, with the frame that Fusion draws from its
// group-box picture drawn from the same picture, read as the PNG it is.
//
// Fusion reads that picture by its file name, and Qt, left to find an image's format, first asks
// every image plug-in whether it can read the file: the gif, ico and jpeg plug-ins and libjpeg are
// loaded while the window paints for the first time, for a picture built into Qt. Under any other
// style the frame is the style's own.
class GroupBoxStyle : public QProxyStyle {
 public:
  GroupBoxStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  QPixmap frame_;  // null unless the base style is Fusion and its picture could be read
};

}  // namespace mandati
