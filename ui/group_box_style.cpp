// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/group_box_style.h"

#include <qdrawutil.h>

#include <algorithm>

#include <QApplication>
#include <QImageReader>
#include <QMargins>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStyleFactory>
#include <QStyleOption>

namespace mandati {

namespace {

// Where Fusion keeps its group-box picture, the border it leaves unscaled, and the gap between
// the title's line and the frame's top.
constexpr char kFusionFramePicture[] =
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int kFusionFrameBorder = 6;
constexpr int kFusionFrameTopGap = 3;

QPixmap FusionFramePicture(const QStyle& base) {
  if (base.name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0) return {};
  QImageReader reader(QString::fromLatin1(kFusionFramePicture), "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImageReader(&reader);
}

}  // namespace

GroupBoxStyle::GroupBoxStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())),
      frame_(FusionFramePicture(*baseStyle())) {}

void GroupBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  // A painter that could not begin (a window scaled to nothing or past what a picture can
  // hold, a display depth Qt has no picture format for) paints nothing, and Qt 6.4's border
  // drawing, Fusion's as well as ours, crashes on it. So the frame is left out.
  if (element == PE_FrameGroupBox && !painter->isActive()) return;
  if (element != PE_FrameGroupBox || frame_.isNull()) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // As Fusion places it: below the title's line, which is as high as the title's font or an
  // option button's circle.
  const int top = std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                           option->fontMetrics.height()) +
                  kFusionFrameTopGap;
  const QMargins border(kFusionFrameBorder, kFusionFrameBorder, kFusionFrameBorder,
                        kFusionFrameBorder);
  qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), border, frame_);
}

}  // namespace mandati
