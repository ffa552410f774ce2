#include "window_placement.h"

#include <algorithm>

namespace {

int Overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

}  // namespace

QRect PlaceBeside(const QRect& available, const QRect& beside, QSize size) {
    size = size.boundedTo(available.size());
    const int top = std::clamp(beside.top(), available.top(),
                               available.top() + available.height() - size.height());
    const QRect right(QPoint(beside.left() + beside.width(), top), size);
    if (available.contains(right))
        return right;
    const QRect left(QPoint(beside.left() - size.width(), top), size);
    if (available.contains(left))
        return left;
    const QRect atRightEdge(QPoint(available.left() + available.width() - size.width(), top), size);
    const QRect atLeftEdge(QPoint(available.left(), top), size);
    return Overlap(atLeftEdge, beside) < Overlap(atRightEdge, beside) ? atLeftEdge : atRightEdge;
}
