#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a design keeps of its site plans: the sheets, their walls and targets, and where each camera
// stands on one. Plain values in the plan's metres, x to the right and y up the sheet; what the
// cameras see there is worked out elsewhere.

// A key of the file that this program does not know, with its value written as compact JSON, kept
// so that saving a newer program's file loses nothing. Both are UTF-8.
struct KeptValue {
    std::string key;
    std::string json;
};
using KeptValues = std::vector<KeptValue>;

// The file's limits on a plan's values: every coordinate is within ±kPlanExtentM metres, and a
// scale is above 0 and at most kMostMetresPerPixel.
inline constexpr double kPlanExtentM = 1e6;
inline constexpr double kMostMetresPerPixel = 1e4;
// The last page of a PDF underlay a plan may name (from 0).
inline constexpr int kLastPlanImagePage = 99999;

struct PlanPoint {
    double x = 0;  // metres
    double y = 0;
};

// A straight wall from (x1, y1) to (x2, y2), in metres: cameras do not see through it.
struct Wall {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A point that some camera must see at a level: a door, a till, a gate.
struct Target {
    // Unique in the design, among the targets of all its plans, and never given again: "t1".
    std::string id;
    std::u16string name;  // may be empty
    double x = 0;         // metres
    double y = 0;
    int level = 4;    // an index into kDoriLevels, as a camera's requiredLevel: Identify
    KeptValues kept;  // the target's unknown keys, in the file's order
};

struct Plan {
    // Unique in the design and never given again in it, even after the plan is removed: "p1".
    std::string id;
    std::u16string name;  // "Ground floor"; may be empty
    // The underlay drawing: the SHA-256 (64 lower-case hex digits) of its bytes in the file's table
    // of images; no value: a blank sheet.
    std::optional<std::string> image;
    // For a PDF underlay, which of its pages is drawn, from 0 (the file writes it only when it is
    // not 0); 0 for a picture.
    int imagePage = 0;
    // The underlay's scale, metres per pixel; no value while the plan is not scaled yet.
    std::optional<double> metresPerPixel;
    PlanPoint origin;  // where the underlay's top-left corner lies, in metres
    std::vector<Wall> walls;
    std::vector<Target> targets;
    KeptValues kept;  // the plan's unknown keys, in the file's order
};

// Where a camera stands on a plan: at (x, y) metres, looking along headingDeg degrees, 0 along +x
// and counter-clockwise. The heading is kept as written (370 stays 370); shown normalised.
struct CameraPlacement {
    std::string plan;  // the id of a plan of the design
    double x = 0;
    double y = 0;
    double headingDeg = 0;
};

// Equal values: the same fields, figure for figure (no tolerance), so that an edit that changes
// nothing is told apart from one that changes something.
inline bool operator==(const KeptValue& a, const KeptValue& b) {
    return a.key == b.key && a.json == b.json;
}
inline bool operator==(const PlanPoint& a, const PlanPoint& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const Wall& a, const Wall& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}
inline bool operator==(const Target& a, const Target& b) {
    return a.id == b.id && a.name == b.name && a.x == b.x && a.y == b.y && a.level == b.level &&
           a.kept == b.kept;
}
inline bool operator==(const Plan& a, const Plan& b) {
    return a.id == b.id && a.name == b.name && a.image == b.image && a.imagePage == b.imagePage &&
           a.metresPerPixel == b.metresPerPixel && a.origin == b.origin && a.walls == b.walls &&
           a.targets == b.targets && a.kept == b.kept;
}
inline bool operator==(const CameraPlacement& a, const CameraPlacement& b) {
    return a.plan == b.plan && a.x == b.x && a.y == b.y && a.headingDeg == b.headingDeg;
}

// Whether the text is a SHA-256 as the file writes one: exactly 64 digits 0-9, a-f.
bool IsSha256Hex(std::string_view text);
// Whether a coordinate is finite and within ±kPlanExtentM.
bool WithinPlanExtent(double metres);
// Whether a scale is finite, above 0 and at most kMostMetresPerPixel.
bool ValidMetresPerPixel(double metresPerPixel);
