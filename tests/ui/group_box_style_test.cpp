// SPDX-License-Identifier: GPL-3.0-or-later
// The framed group box's style draws the frame exactly as the application's style does.

#include "ui/group_box_style.h"

#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QStyleOptionFrame>
#include <QWidget>

#include <gtest/gtest.h>

namespace mandati {
namespace {

// The box's own drawing, its title and frame, without the controls it holds.
QImage Picture(QGroupBox& box) {
  QImage picture(box.size(), QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  box.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  return picture;
}

// The frame sits below the title's line, whose height is the font's or, for a small font, an
// option button's circle.
TEST(GroupBoxStyleTest, DrawsTheFrameAsTheApplicationStyleDoes) {
  for (const int points : {6, 12, 20}) {
    const QString title = QStringLiteral("Регистрирани партии");
    QGroupBox plain(title);
    QGroupBox framed;
    GroupBoxStyle style;
    framed.setStyle(&style);
    framed.setTitle(title);
    for (QGroupBox* box : {&plain, &framed}) {
      box->setFont(QFont(QStringLiteral("Times New Roman"), points));
      box->resize(497, 57);
    }
    EXPECT_EQ(Picture(framed), Picture(plain)) << points << " pt";
  }
}

// A painter on a picture Qt could not make (a window scaled past what a picture can hold) is
// inactive, and Qt's border drawing crashes on it: the frame is left out.
TEST(GroupBoxStyleTest, DrawsNothingWithAPainterThatCannotPaint) {
  QGroupBox box(QStringLiteral("Регистрирани партии"));
  box.resize(497, 57);
  GroupBoxStyle style;
  QImage no_picture;
  QPainter painter(&no_picture);
  ASSERT_FALSE(painter.isActive());
  QStyleOptionFrame option;
  option.initFrom(&box);
  style.drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, &box);
}

}  // namespace
}  // namespace mandati
