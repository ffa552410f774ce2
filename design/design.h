#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "coverage.h"
#include "length_unit.h"
#include "plan_data.h"

// A design: the cameras of one site, kept in one file. A plain value; the edits are pure functions
// (design_edits.h) that return the next value, so that undo keeps values and needs no window.

struct Camera {
    // Unique in the design and never given again in it, even after the camera is removed: "c1".
    std::string id;
    std::u16string name;  // "Camera 1", "Gate"; may be empty
    // The camera and what it must show, canonical (camera_inputs.h): texts in the C number
    // format, lengths in metres, so that ComputeCoverage(inputs, NumberFormat{}) runs on them.
    CoverageInputs inputs;
    KeptValues kept;          // the camera's unknown keys, in the file's order
    KeptValues keptInSensor;  // those of its "sensor"
    // Where it stands on a plan of the design; no value: on none.
    std::optional<CameraPlacement> placement;
};

struct Design {
    std::u16string name;                   // empty: untitled
    std::u16string notes;                  // free text: client, site, designer
    LengthUnit unit = LengthUnit::Metres;  // what lengths are shown and typed in
    std::vector<Camera> cameras;           // in the schedule's order
    // The number of the next id given ("c4"): above every id the design has ever given.
    std::uint64_t nextCameraNumber = 1;
    std::vector<Plan> plans;  // in the order their tabs are shown
    // As nextCameraNumber, for the ids of plans ("p2") and of targets ("t5").
    std::uint64_t nextPlanNumber = 1;
    std::uint64_t nextTargetNumber = 1;
    KeptValues kept;  // the file's unknown top-level keys, in its order
};

// Untitled, in a unit, with one camera "Camera 1" (id "c1") at the Coverage form's start in that
// unit.
Design NewDesign(LengthUnit unit);
