#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;
class QLabel;

// Window layouts are drawn up in twips, 15 to a pixel at 96 dots per inch; every place and size
// is converted once, here, rounding to the nearest pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A place and size in twips, measured from the container's top-left corner.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline QRect ToPixels(TwipRect r) {
    return {Pixels(r.left), Pixels(r.top), Pixels(r.width), Pixels(r.height)};
}

// Maps the layout's fonts to ones every desktop has: "Arial" to a metric-compatible sans, and the
// small dialog font to a plain sans. Call once before the first window is built.
void RegisterFontSubstitutes();

QFont ArialFont(double pointSize = 8.25, bool bold = false, bool italic = false);
QFont DialogFont(bool bold = false);  // the windows' default font, 8.25 pt

// Places `widget` on its container at `r`, names it, and returns it.
template <class Widget>
Widget* Place(Widget* widget, const char* objectName, TwipRect r) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(ToPixels(r));
    return widget;
}

// The maker's logo banner in a bordered box: drawn one image pixel to one screen pixel from the
// box's inner top-left corner, never scaled, its right-hand part cut off where the box ends.
// `sunken` draws the two-pixel sunken border of the About window instead of a flat one.
// A screen reader speaks it as the picture of the maker's name and the words it shows.
QLabel* MakeLogoBanner(QWidget* parent, TwipRect r, bool sunken);

// A line across `container` at `r`, in the container's text colour, drawn over what the
// container draws, as a child control there would be. It is part of the container's picture,
// not a control: assistive technology never meets it as an object of its own.
void DrawLine(QWidget* container, const char* objectName, TwipRect r);

// Shows a top-level window's client area centred on its screen.
void CentreOnScreen(QWidget* window);
