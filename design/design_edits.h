#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coverage.h"
#include "design.h"

// The edits of a design, as pure functions: each takes a design and returns the next one, and
// leaves it as it was when the camera named is not in it. The undo commands keep the values on
// either side. Cameras are named by id; an id is never given twice in a design.

// The camera with this id, or null.
const Camera* FindCamera(const Design& design, std::string_view id);
// Its place in the list, or no value.
std::optional<std::size_t> CameraIndex(const Design& design, std::string_view id);

// The id the next camera added will have: "c4".
std::string NextCameraId(const Design& design);

// "Camera 4".
std::u16string NumberedCameraName(std::uint64_t number);

// The highest N of the names "Camera N" (N without leading zeros, at most nine digits) the design
// holds; 0 when it holds none.
std::uint64_t HighestCameraNameNumber(const Design& design);

// "Camera N", N one more than the highest of the names "Camera 1", "Camera 2", ... the design
// holds ("Camera 1" when it holds none).
std::u16string NextFreeCameraName(const Design& design);

Design WithName(Design design, std::u16string name);
Design WithNotes(Design design, std::u16string notes);
Design WithUnit(Design design, LengthUnit unit);

// The camera's inputs replaced; `inputs` must be canonical (CanonicalInputs).
Design WithCamera(Design design, std::string_view id, const CoverageInputs& inputs);
Design WithCameraName(Design design, std::string_view id, std::u16string name);

// A camera added after the one with `afterId`: a copy of its inputs, with its own values from
// then on, named NextFreeCameraName, with the id NextCameraId. The keys of the file the program
// does not know are not copied: they may tie the camera to something only it has. Without such a
// camera (an empty design), a camera at the Coverage form's start is added at the end.
Design AddCamera(Design design, std::string_view afterId);

// A copy of each camera listed, right after it, named and given ids as AddCamera does, in the
// design's order. Ids not in the design are passed over.
Design DuplicateCameras(Design design, const std::vector<std::string>& ids);

// The cameras listed taken out; ids not in the design are passed over. Their ids are not given
// again.
Design RemoveCameras(Design design, const std::vector<std::string>& ids);

// The camera moved to a place in the list (past the end: the last).
Design MoveCamera(Design design, std::string_view id, std::size_t newIndex);

// The plan with this id, or null.
const Plan* FindPlan(const Design& design, std::string_view id);

// The ids the next plan and the next target added will have: "p3", "t7".
std::string NextPlanId(const Design& design);
std::string NextTargetId(const Design& design);

// The edits of the plans leave the design as it was when the plan, wall, target or camera named is
// not in it, or when a value is outside the file's limits (plan_data.h), so that what they give
// always saves and opens again.

// A blank, unscaled plan added at the end, with the id NextPlanId.
Design AddPlan(Design design, std::u16string name);
Design RenamePlan(Design design, std::string_view planId, std::u16string name);
// The plan and its targets taken out; the cameras on it stay in the design, on no plan.
Design RemovePlan(Design design, std::string_view planId);
// The underlay by the SHA-256 of its bytes, or no value for a blank sheet; `page`: of a PDF's, the
// one drawn, from 0.
Design SetPlanImage(Design design, std::string_view planId, std::optional<std::string> sha256,
                    int page = 0);
// The underlay's scale (no value: not scaled) and where its top-left corner lies, in metres.
Design SetPlanScale(Design design, std::string_view planId, std::optional<double> metresPerPixel,
                    PlanPoint origin);

// A plan that is not scaled yet is drawn at this many metres to its drawing's pixel: 1 cm.
inline constexpr double kUnscaledMetresPerPixel = 0.01;
// The plan's scale set to `metresPerPixel`, and its walls, targets and the cameras on it moved
// with the drawing: each stays on the same pixel of the drawing (scaled about the origin, the
// drawing's top-left corner), so that what was drawn over an unscaled drawing keeps its place.
Design RescalePlan(Design design, std::string_view planId, double metresPerPixel);

// Walls are named by their place in the plan's list.
Design AddWall(Design design, std::string_view planId, Wall wall);
// The wall's end 0 (x1, y1) or 1 (x2, y2) moved to `to`.
Design MoveWallVertex(Design design, std::string_view planId, std::size_t wall, int end,
                      PlanPoint to);
Design RemoveWall(Design design, std::string_view planId, std::size_t wall);

// A target added at the end of the plan's, with the id NextTargetId.
Design AddTarget(Design design, std::string_view planId, std::u16string name, PlanPoint at,
                 int level);
Design MoveTarget(Design design, std::string_view targetId, PlanPoint to);
Design RenameTarget(Design design, std::string_view targetId, std::u16string name);
// `level` is an index into kDoriLevels.
Design SetTargetLevel(Design design, std::string_view targetId, int level);
Design RemoveTarget(Design design, std::string_view targetId);

// The camera stood on a plan at `at`, looking along headingDeg (any finite number of degrees).
Design PlaceCamera(Design design, std::string_view cameraId, std::string_view planId, PlanPoint at,
                   double headingDeg);
Design UnplaceCamera(Design design, std::string_view cameraId);
