#include "plan_extent.h"

#include <algorithm>
#include <cmath>

namespace {

struct Box {
    double left = INFINITY, bottom = INFINITY, right = -INFINITY, top = -INFINITY;
    void Take(Point p, double reach = 0) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(reach))
            return;
        left = std::min(left, p.x - reach);
        right = std::max(right, p.x + reach);
        bottom = std::min(bottom, p.y - reach);
        top = std::max(top, p.y + reach);
    }
    bool Flat() const { return !(right - left > 1e-9 || top - bottom > 1e-9); }
};

}  // namespace

QRectF PlanExtent(const PlanScene& scene, const QRectF& underlayM) {
    Box box;
    if (!underlayM.isEmpty()) {
        box.Take({underlayM.left(), underlayM.top()});
        box.Take({underlayM.right(), underlayM.bottom()});
    }
    for (const Segment& wall : scene.walls) {
        box.Take(wall.a);
        box.Take(wall.b);
    }
    for (const SceneCamera& camera : scene.cameras)
        box.Take(camera.camera.position);
    for (const SceneTarget& target : scene.targets)
        box.Take(target.position);
    if (box.Flat()) {
        for (const SceneCamera& camera : scene.cameras) {
            double reach = 0;
            for (const Band& band : camera.bands)
                reach = std::max(reach, band.view.farM);
            box.Take(camera.camera.position, reach);
        }
    }
    if (box.left > box.right)
        return {};
    return QRectF(QPointF(box.left, box.bottom), QPointF(box.right, box.top));
}
