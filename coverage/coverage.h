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
    // unless distanceIsLineOfSight (the calculator's distance, when following it). Only a
    // distance on the ground may be 0: the target straight below or above the camera.
    std::u16string distance = u"6.096";
    bool distanceIsLineOfSight = false;

    bool mounted = false;
    // Above the ground; the camera may be lower than the target, and then looks up at it.
    std::u16string cameraHeight = u"3";
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

// Field by field, texts as they are ("4" and "4.0" differ): an edit that leaves the inputs equal
// changes nothing. A field added above is compared in coverage.cpp too.
bool operator==(const CoverageInputs& a, const CoverageInputs& b);
inline bool operator!=(const CoverageInputs& a, const CoverageInputs& b) {
    return !(a == b);
}

// What a distance is measured along: the form's distance to the target (DistanceInputKind), or
// the DORI table's farthest distances (FarthestKind). Without mounting the camera looks straight
// at the target, so its distance is along the line of sight.
enum class DistanceKind { ToTheTarget, AlongTheLineOfSight, OnTheGround };

// The kind of the form's distance: to the target without mounting; with it, along the line of
// sight or on the ground as distanceIsLineOfSight says.
DistanceKind DistanceInputKind(const CoverageInputs& inputs);
// The kind of the DORI table's farthest distances: on the ground with mounting (where the user
// stands the target), else along the line of sight.
DistanceKind FarthestKind(const CoverageInputs& inputs);
// The caption of the form's distance: "Distance to the target", "Distance along the line of
// sight", "Distance on the ground from the pole".
std::u16string_view DistanceInputCaption(DistanceKind kind);
// The caption of the DORI table's farthest column: "Farthest distance along the line of sight"
// (ToTheTarget and AlongTheLineOfSight alike), "Farthest distance on the ground from the pole".
std::u16string_view FarthestCaption(DistanceKind kind);

// The start of the form in a unit: the calculator's start, 4 mm at 20 ft, and a camera 3 m
// (10 ft) above the ground looking at a face 1.6 m (5.25 ft) above it.
CoverageInputs DefaultCoverageInputs(LengthUnit unit);

// The figures behind the texts, for pictures and lens suggestions: millimetres, metres, degrees,
// pixels per metre. No value where an input the figure depends on is bad.
struct DoriFigures {
    // The farthest depth along the lens axis at which this camera and lens reach the level.
    std::optional<double> farthestDepthM;
    // With mounting, the farthest ground distance from the pole at which a target at its height
    // reaches the level: aimed, the aim follows the target, so √(Dmax² − Δh²); at a typed tilt
    // the far end of groundRangeM. An empty optional inside where no ground distance reaches it;
    // no value without mounting or where an input it needs is bad.
    std::optional<std::optional<double>> farthestGroundM;
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
    // θ, below the horizontal: aimed (negative when looking up at the target) or as typed.
    std::optional<double> tiltDeg;
    // Below the horizontal, of the line from the camera to the target at its height: atan2(Δh, Dg);
    // negative when the camera looks up at it.
    std::optional<double> lookDownAngleDeg;
    // The near edge of the view at the target's height; +infinity when the view never meets that
    // height.
    std::optional<double> blindZoneM;
    // Where the view's edges meet the ground (NearEdgeM, FarEdgeM): the near edge +infinity when
    // the view never meets the ground (the far edge is then +infinity too); the far edge
    // +infinity: to the horizon.
    std::optional<double> nearEdgeGroundM;
    std::optional<double> farEdgeGroundM;
    std::optional<bool> targetInView;  // at its height, between the near and far edges there
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
    // with mounting Z = Dg·cosθ + Δh·sinθ; no value where that is not above 0 (a target level with
    // the lens or behind it, out of view).
    std::optional<double> depthM;
    std::optional<double> sceneWidthM;
    std::optional<double> sceneHeightM;
    std::optional<double> densityPxPerM;
    // The level the density gives: an index into kDoriLevels, or kBelowMonitor; reached only if
    // the target is in view too, see LevelShown.
    std::optional<int> level;
    std::array<DoriFigures, kDoriLevels.size()> dori;  // in kDoriLevels' order
    std::optional<MountingFigures> mounting;           // no value without mounting
};

// The level the window, the design sheet and the pictures show as reached and emphasise in the
// DORI table: the figures' level, but none while a mounted camera's target is out of view.
std::optional<int> LevelShown(const CoverageFigures& figures);

// What one row of the DORI table shows. The farthest distance and the focal length needed are
// rounded in the user's favour: typed as shown, they still reach the level.
struct DoriRowTexts {
    std::u16string level;    // "Identify"
    std::u16string density;  // the level's: "250.0 px/m (76.2 px/ft)"
    // Rounded down, both units: along the line of sight, "6.40 m (20.99 ft)"; with mounting on
    // the ground from the pole (farthestGroundM; "Not reached"). See FarthestCaption.
    std::u16string farthest;
    std::u16string focalLengthNeeded;  // rounded up: "3.81 mm"
    std::u16string pixelsNeeded;       // rounded up: "1829"
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
    std::u16string density;  // "262.5 px/m (80.0 px/ft)"
    // "Identify", "Below Monitor"; "Not in view" while a mounted camera's target is out of view.
    std::u16string level;
    std::array<DoriRowTexts, kDoriLevels.size()> doriTable;  // in kDoriLevels' order
    std::u16string slantDistance;                            // "6.75 m (22.14 ft)"
    // "25.4°" below the horizontal; looking up, "5.0° above the horizontal".
    std::u16string tiltAngle;
    std::u16string lookDownAngle;   // "25.4° below the horizontal", "5.0° above the horizontal"
    std::u16string blindZone;       // a length, or "everywhere" when the target is never in view
    std::u16string nearEdgeGround;  // a length, or "nowhere" when the view never meets the ground
    std::u16string farEdgeGround;   // a length, "to the horizon", or "nowhere"
};

struct Coverage {
    CoverageFigures figures;
    CoverageTexts texts;
    // What to enter ("Enter a focal length above 0 mm."), for the first bad input in the form's
    // order, or that the target is outside the view at the typed tilt; empty when all is well.
    std::u16string message;
    // Advice on a sound camera that will not serve its purpose, beside the message: with the
    // required level Recognise or above and a look-down angle above 30.0° (as shown),
    // kFacesFromAbove; else empty.
    std::u16string warning;
};

inline constexpr char16_t kFacesFromAbove[] =
    u"Faces are seen from above at this angle; lower the camera or move it back.";

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
inline constexpr std::size_t kResultCount = 13;
std::array<ResultItem, kResultCount> ResultList(const CoverageTexts& texts);
