#pragma once

class QIcon;

namespace mandati {

// The program's icon in every size it ships, each picture read only when it is first drawn.
// Reading all of them up front would cost the window's start-up several milliseconds for
// sizes that a title bar never shows.
QIcon WindowIcon();

}  // namespace mandati
