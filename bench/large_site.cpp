#include "large_site.h"

#include <cmath>
#include <random>
#include <string>

#include "design_edits.h"

std::vector<Segment> ScatteredWalls(int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-100, 100), length(0.5, 4), turn(0, 6.283185307);
    std::vector<Segment> walls;
    for (int i = 0; i < count; ++i) {
        const Point a{place(random), place(random)};
        const double l = length(random), t = turn(random);
        walls.push_back({a, {a.x + l * std::cos(t), a.y + l * std::sin(t)}});
    }
    return walls;
}

Design LargeSiteDesign() {
    Design design = AddPlan(NewDesign(LengthUnit::Metres), u"Site");
    design.cameras.front().inputs.mounted = true;
    const Camera start = design.cameras.front();
    design.cameras.clear();
    std::mt19937 random(11);
    std::uniform_real_distribution<double> place(-100, 100), turn(0, 360);
    for (int i = 1; i <= 500; ++i) {
        Camera camera = start;
        camera.id = "c" + std::to_string(i);
        camera.placement = CameraPlacement{"p1", place(random), place(random), turn(random)};
        design.cameras.push_back(camera);
    }
    for (const Segment& wall : ScatteredWalls(5000))
        design.plans.front().walls.push_back({wall.a.x, wall.a.y, wall.b.x, wall.b.y});
    for (int i = 1; i <= 50; ++i)
        design.plans.front().targets.push_back(
            {"t" + std::to_string(i), u"", place(random), place(random), 4, {}});
    return design;
}
