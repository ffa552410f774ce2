#include "hit_test.h"

std::optional<Pick> PickAt(Point at, double radiusM, const std::vector<PlacedCamera>& cameras,
                           const std::vector<SightTarget>& targets,
                           const std::vector<Segment>& walls) {
    std::optional<Pick> nearest;
    // Strictly nearer only, so that the first found keeps a tie.
    const auto consider = [&](PickKind kind, std::size_t index, bool endB, Point where) {
        const double distance = Distance(at, where);
        if (distance <= radiusM && (!nearest || distance < nearest->distanceM))
            nearest = Pick{kind, index, endB, distance};
    };
    for (std::size_t i = 0; i < cameras.size(); ++i)
        consider(PickKind::Camera, i, false, cameras[i].position);
    for (std::size_t i = 0; i < targets.size(); ++i)
        consider(PickKind::Target, i, false, targets[i].position);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        consider(PickKind::WallEnd, i, false, walls[i].a);
        consider(PickKind::WallEnd, i, true, walls[i].b);
    }
    return nearest;
}
