#pragma once

#include <QRect>

// Where a tool window opens beside another window on a screen, all in the screen's coordinates,
// frames included. `available` is the screen's available geometry (without panels and docks),
// `beside` the frame of the window it opens beside, `size` the frame size it asks for.
//
// It opens against the right-hand side of `beside` where the screen has room for it, else against
// its left-hand side; where it has room on neither, against the screen's right or left edge,
// whichever covers less of `beside` (the right on a tie). Its top is level with the top of
// `beside`, moved up as far as it must to end on the screen. It is never partly off the available
// area: a size larger than the area is cut to it.
QRect PlaceBeside(const QRect& available, const QRect& beside, QSize size);
