// SPDX-License-Identifier: GPL-3.0-or-later
// The framed group box's style draws the frame exactly as the application's style does.

#include "ui/group_box_style.h"

#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>
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

}  // namespace
}  // namespace mandati
