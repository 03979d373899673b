// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QIcon;

namespace mandati {

// The window's icon: its 32-pixel picture, read only when it is first drawn, and scaled for
// other sizes.
QIcon WindowIcon();

}  // namespace mandati
