// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace mandati {

// Some displays leave a window nothing to paint on: scaled to nothing or past what a picture
// can hold (QT_SCALE_FACTOR=0 or 1000, QT_FONT_DPI=100000), or a depth Qt has no picture format
// for (8 bits). Qt's store for the window then holds a null picture, every painter of its
// widgets stays inactive, and Qt 6.4's own widgets crash on such a painter (the text box's
// cursor, the frame's border). From this call on, the application drops the paint events of
// such a window, which stays blank instead; every other window paints as before.
void SkipPaintingWhereNothingCanBePainted(QApplication& application);

}  // namespace mandati
