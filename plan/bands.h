#pragma once

#include <optional>
#include <vector>

#include "geometry.h"
#include "placed_camera.h"
#include "visibility.h"

// The regions a placed camera covers on the plan, walls cutting them to what it sees from where
// it stands.
struct Band {
    // An index into kDoriLevels; none for the blind zone below a mounted camera.
    std::optional<int> level;
    // The annular sector of the band's ground range within the wedge, as the camera sees it:
    // its area is exact (Area(view)).
    View view;
    // The view's outline as polygons to draw (Outline(view)); a band that walls break up has
    // several pieces, one that walls hide entirely none.
    std::vector<Polygon> pieces;
};

// How far from the camera its bands reach: the farthest end of its blind zone and its levels'
// ranges (those that are finite); 0 when it has none.
double FarthestReachM(const PlacedCamera& camera);

// The blind zone first (when there is one, from 0 out to it), then each level that is reached,
// from Monitor to Inspect. A higher level's band lies within a lower one's: draw them in this
// order. Each band's view is VisibleView of the camera's wedge over the band's range among all
// the walls; the walls out of the camera's sight are set aside once for all its bands, so that
// a camera among thousands of walls costs little more than one among the few it sees.
std::vector<Band> CameraBands(const PlacedCamera& camera, const std::vector<Segment>& walls,
                              double arcToleranceM = kArcToleranceM);
