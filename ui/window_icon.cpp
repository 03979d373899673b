// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_icon.h"

#include <algorithm>
#include <array>
#include <map>

#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

// The pictures are compiled into the ui library; a static library has to ask for them by name.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace mandati {

namespace {

// The window offers its 32-pixel picture only: X11 reads every size a window's icon offers when
// the window is shown, and the desktop's launcher and task bar take the larger sizes from the
// icon theme that the package installs.
constexpr std::array<int, 1> kIconSizes = {32};

class ShippedSizesIconEngine : public QIconEngine {
 public:
  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    QList<QSize> sizes;
    for (int side : kIconSizes) sizes.append(QSize(side, side));
    return sizes;
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const int side = std::min(size.width(), size.height());
    return QSize(std::min(side, kIconSizes.back()), std::min(side, kIconSizes.back()));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QSize actual = actualSize(size, mode, state);
    const QPixmap& picture = Picture(actual.width());
    if (picture.size() == actual) return picture;
    return picture.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QIconEngine* clone() const override { return new ShippedSizesIconEngine(*this); }
  QString key() const override { return QStringLiteral("mandati-shipped-sizes"); }

 private:
  // The smallest shipped picture at least `side` pixels wide, or the largest.
  const QPixmap& Picture(int side) {
    int chosen = kIconSizes.back();
    for (int shipped : kIconSizes) {
      if (shipped >= side) {
        chosen = shipped;
        break;
      }
    }
    QPixmap& picture = read_[chosen];
    if (picture.isNull()) {
      // Read as the PNG it is: left to find the format, Qt tries every image plug-in first.
      QImageReader reader(QStringLiteral(":/icons/mandati-%1.png").arg(chosen), "png");
      reader.setAutoDetectImageFormat(false);
      picture = QPixmap::fromImageReader(&reader);
    }
    return picture;
  }

  std::map<int, QPixmap> read_;
};

}  // namespace

QIcon WindowIcon() {
  InitIconResources();
  return QIcon(new ShippedSizesIconEngine);
}

}  // namespace mandati
