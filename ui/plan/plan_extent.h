#pragma once

#include <QRectF>

#include "plan_scene.h"

// What a plan holds, as Fit shows it on screen and a fitted sheet puts on paper, in the plan's
// metres (x east, y north): the underlay's rectangle (`underlayM`, empty for none), the walls,
// where the cameras stand and the targets. The cameras' reach counts only on a plan with nothing
// else, so that one camera that sees far does not shrink the building to a speck. Empty for a
// blank plan.
QRectF PlanExtent(const PlanScene& scene, const QRectF& underlayM);
