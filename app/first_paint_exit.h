// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;

namespace mandati {

// For start-up measurements (scripts/startup-bench): when the environment variable
// MANDATI_EXIT_AFTER_FIRST_PAINT is set, the program leaves with _exit(0) as soon as `window`
// has been painted and shown for the first time (or, on a display where nothing can be painted,
// has had its first paint event), skipping the teardown, which is no part of start-up. The
// calculator and its yardstick window both use it, so both stop at one point.
void ExitAfterFirstPaintWhenAsked(QObject& window);

}  // namespace mandati
