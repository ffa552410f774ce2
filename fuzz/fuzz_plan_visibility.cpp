// The site plan's geometry with any walls, cameras and targets: walls of no length, through the
// eye, edge-on, crossing each other, on a coarse grid so that such coincidences come often, at
// any scale from millimetres to kilometres; views of any fov (none, below 0, past a whole turn),
// with or without a near edge. No figure may be nan; every outline is finite, counter-clockwise
// and simple, and its area the exact area's up to the arcs' chords. A target the cameras see at
// a level is in that level's band of the camera said to see it. The wall index gives exactly the
// walls that meet a disc.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bands.h"
#include "fuzz_input.h"
#include "hit_test.h"
#include "targets.h"
#include "visibility.h"
#include "wall_index.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

struct Reader {
    FuzzInput& input;
    double scale;

    double Coordinate() { return (input.Byte() - 128) * scale; }
    Point Place() { return {Coordinate(), Coordinate()}; }
};

void CheckOutline(const View& view, const std::vector<Polygon>& pieces, double arcToleranceM) {
    const double exact = Area(view);
    Check(std::isfinite(exact) && exact >= -1e-9 * view.farM * view.farM);
    double drawn = 0;
    for (const Polygon& piece : pieces) {
        Check(piece.size() >= 3);
        for (const Point p : piece)
            Check(std::isfinite(p.x) && std::isfinite(p.y));
        Check(SignedArea(piece) >= 0 && IsSimple(piece));
        drawn += SignedArea(piece);
    }
    // A chord's sagitta is the tolerance, or more where the arc has run out of chords.
    const double sagitta =
        std::max(arcToleranceM, view.farM * (1 - std::cos(kPi / kMostChordsInATurn)));
    const double chords = sagitta * 2 * kPi * (view.farM + view.nearM);
    Check(std::fabs(drawn - exact) <= chords + 1e-9 * view.farM * view.farM);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    static constexpr double kScales[] = {0.001, 0.125, 1, 1000};
    Reader read{input, kScales[input.Byte() % 4]};
    std::vector<Segment> walls(input.Byte() % 9);
    for (Segment& wall : walls)
        wall = {read.Place(), read.Place()};

    const Point centre = read.Place();
    const double radiusM = input.Byte() * read.scale / 4;
    std::vector<std::size_t> meeting;
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (DistanceToSegment(centre, walls[i]) <= radiusM + kPlanToleranceM)
            meeting.push_back(i);
    }
    Check(WallIndex(walls).Within(centre, radiusM) == meeting);

    std::vector<PlacedCamera> cameras(1 + input.Byte() % 3);
    for (PlacedCamera& camera : cameras) {
        camera.position = read.Place();
        camera.headingDeg = (input.Byte() - 128) * 3.0;
        camera.fovDeg = (input.Byte() - 16) * 2.0;
        double nearM = 0;
        for (auto& level : camera.levels) {
            const std::uint8_t step = input.Byte();
            if (step % 5 == 0)
                continue;
            const double farM = nearM + step * read.scale;
            level = GroundRange{nearM, farM};
            nearM = input.Byte() % 2 ? nearM : farM / 4;
        }
        if (input.Byte() % 2)
            camera.blindZoneM = input.Byte() * read.scale;
        // Chords in proportion to the plan, so that the O(n²) check of the outlines stays quick.
        const double arcToleranceM = read.scale / 16;
        for (const Band& band : CameraBands(camera, walls, arcToleranceM))
            CheckOutline(band.view, band.pieces, arcToleranceM);
        // At most 32 m, so that its outline at the default tolerance stays quick to check.
        const Polygon seen = VisibilityPolygon(camera.position, camera.headingDeg, camera.fovDeg,
                                               input.Byte() / 8.0, walls);
        Check(seen.empty() || IsSimple(seen));
    }

    const SightTarget target{read.Place(), input.Byte() % 6};
    const TargetCover cover = CoverOf(target, cameras, walls);
    Check(cover.bestLevel.has_value() == cover.camera.has_value());
    if (cover.camera) {
        const PlacedCamera& camera = cameras[*cover.camera];
        const GroundRange range = *camera.levels[static_cast<std::size_t>(*cover.bestLevel)];
        const double distance = Distance(camera.position, target.position);
        Check(distance >= range.nearM - kPlanToleranceM &&
              distance <= range.farM + kPlanToleranceM);
    }
    if (const std::optional<Pick> pick = PickAt(read.Place(), read.scale, cameras, {target}, walls))
        Check(pick->distanceM <= read.scale);
    return 0;
}
