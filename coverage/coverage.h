#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "dori_levels.h"
#include "length_unit.h"
#include "mounting_geometry.h"
#include "number_text.h"
#include "result_text.h"
#include "sensor_choice.h"

// What a camera sees at a distance: the Coverage window's inputs as the user gave them, and every
// figure and text it shows, worked out by one pure function.

enum class CustomSensor { BySize, ByPixelSize };

// The form as the user filled it in. Texts are read with the user's number format, as the
// calculator reads its boxes. The custom sizes, the pixel size, the mounting fields and the typed
// tilt are read only while the choices make them count; the resolution always.
struct CoverageInputs {
    std::size_t format = kStartFormat;    // a row of kSensorFormats, or kCustomFormat
    Aspect aspect = Aspect::FourByThree;  // splits a row's diagonal; not read for Custom
    CustomSensor custom = CustomSensor::BySize;
    std::u16string customWidthMm = u"4.8";  // Custom by size
    std::u16string customHeightMm = u"3.6";
    std::u16string pixelSizeUm = u"2.9";  // Custom by pixel size: each side is pixels × size
    std::u16string pixelsAcross = u"1920";
    std::u16string pixelsDown = u"1440";
    std::u16string focalLengthMm = u"4";

    LengthUnit unit = LengthUnit::Metres;  // of the distance and the two heights
    // To the target along the line of sight; with mounting, along the ground from the pole,
    // unless distanceIsLineOfSight (the calculator's distance, when following it).
    std::u16string distance = u"6.096";
    bool distanceIsLineOfSight = false;

    bool mounted = false;
    std::u16string cameraHeight = u"3";    // above the ground
    std::u16string targetHeight = u"1.6";  // above the ground: a face
    bool tiltAimed = true;                 // the lens axis through the target at its height
    std::u16string tiltDeg = u"30";        // below the horizontal, when not aimed

    // What the camera is for: the level the target must be seen at (an index into kDoriLevels;
    // Identify), and the width of scene it must show there, in `unit` (empty: no such need).
    int requiredLevel = 4;
    std::u16string requiredWidth;
    // The catalogue lens chosen for the camera, by model number; empty while none is.
    std::u16string lensModel;
};

// The start of the form in a unit: the calculator's start, 4 mm at 20 ft, and a camera 3 m
// (10 ft) above the ground looking at a face 1.6 m (5.25 ft) above it.
CoverageInputs DefaultCoverageInputs(LengthUnit unit);

// The figures behind the texts, for pictures and lens suggestions: millimetres, metres, degrees,
// pixels per metre. No value where an input the figure depends on is bad.
struct DoriFigures {
    // The farthest depth along the lens axis at which this camera and lens reach the level.
    std::optional<double> farthestDepthM;
    // The focal length that reaches the level at the target's depth.
    std::optional<double> focalLengthNeededMm;
    // The pixels across that reach the level with this lens at the target's depth; whole.
    std::optional<double> pixelsNeeded;
    // With mounting, the ground distances over which a target at its height reaches the level
    // (see LevelGroundRange); an empty optional inside where it reaches it nowhere. No value
    // without mounting.
    std::optional<std::optional<GroundRange>> groundRangeM;
};

struct MountingFigures {
    std::optional<double> cameraHeightM;
    std::optional<double> targetHeightM;
    std::optional<double> groundDistanceM;  // Dg: as typed, or derived from the line of sight
    std::optional<double> slantDistanceM;   // S, along the line of sight
    std::optional<double> tiltDeg;          // θ, below the horizontal: aimed or as typed
    std::optional<double> blindZoneM;       // the near edge at the target's height
    std::optional<double> nearEdgeGroundM;  // where the view's lower edge meets the ground
    std::optional<double> farEdgeGroundM;   // its upper edge; +infinity: to the horizon
    std::optional<bool> targetInView;       // at its height, between the near and far edges there
};

struct CoverageFigures {
    std::optional<double> sensorWidthMm;
    std::optional<double> sensorHeightMm;
    std::optional<double> sensorDiagonalMm;
    std::optional<double> pixelsAcross;
    std::optional<double> focalLengthMm;
    std::optional<double> angleHDeg;
    std::optional<double> angleVDeg;
    std::optional<double> angleDDeg;
    // The target's depth along the lens axis, at which the scene is measured: the distance, or
    // with mounting Z = Dg·cosθ + Δh·sinθ.
    std::optional<double> depthM;
    std::optional<double> sceneWidthM;
    std::optional<double> sceneHeightM;
    std::optional<double> densityPxPerM;
    std::optional<int> level;  // an index into kDoriLevels, or kBelowMonitor
    std::array<DoriFigures, kDoriLevels.size()> dori;  // in kDoriLevels' order
    std::optional<MountingFigures> mounting;           // no value without mounting
};

// What one row of the DORI table shows.
struct DoriRowTexts {
    std::u16string level;              // "Identify"
    std::u16string density;            // the level's: "250.0 px/m (76.2 px/ft)"
    std::u16string farthest;           // "6.40 m (21.00 ft)"
    std::u16string focalLengthNeeded;  // "3.81 mm"
    std::u16string pixelsNeeded;       // "1829"
    std::u16string groundRange;  // "2.46–5.71 m (8.08–18.73 ft)", "Not reached"; empty without
                                 // mounting
};

// What the result fields show, as result_text.h writes them; "—" where an input the result
// depends on is bad. The mounting fields are empty without mounting.
struct CoverageTexts {
    std::u16string angleH;  // "61.9°"
    std::u16string angleV;
    std::u16string angleD;
    std::u16string sceneWidth;  // "7.32 m (24.00 ft)"
    std::u16string sceneHeight;
    std::u16string density;                                  // "262.5 px/m (80.0 px/ft)"
    std::u16string level;                                    // "Identify", "Below Monitor"
    std::array<DoriRowTexts, kDoriLevels.size()> doriTable;  // in kDoriLevels' order
    std::u16string slantDistance;                            // "6.75 m (22.14 ft)"
    std::u16string tiltAngle;                                // "25.4°"
    std::u16string blindZone;
    std::u16string nearEdgeGround;
    std::u16string farEdgeGround;  // a length, or "to the horizon"
};

struct Coverage {
    CoverageFigures figures;
    CoverageTexts texts;
    // What to enter ("Enter a focal length above 0 mm."), for the first bad input in the form's
    // order, or that the target is outside the view at the typed tilt; empty when all is well.
    std::u16string message;
};

Coverage ComputeCoverage(const CoverageInputs& inputs, const NumberFormat& format);

// The texts of the figures in a unit and number format.
CoverageTexts TextsOf(const CoverageFigures& figures, LengthUnit unit, const NumberFormat& format);

// One result as the window and the design sheet show it: the window's field by its object name
// ("angleH"), what it is called beside its figure, whether it is shown only for a mounted camera,
// and its text, a view into the CoverageTexts it was read from.
struct ResultItem {
    std::string_view id;
    std::u16string_view caption;
    bool mountingOnly;
    std::u16string_view text;
};

// Every result but the DORI table, in the order the window shows them.
inline constexpr std::size_t kResultCount = 12;
std::array<ResultItem, kResultCount> ResultList(const CoverageTexts& texts);
