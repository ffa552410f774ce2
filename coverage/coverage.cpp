#include "coverage.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "optics.h"

namespace {

// What a field accepts. The limits keep every figure finite and its text of sane length: a
// focal length of 1e-300 mm is "above 0" but no lens, and would make the scene infinitely wide.
struct Rule {
    std::u16string_view what;  // "a focal length", as the message names it
    double least;
    double most;
    bool zeroAllowed;  // then the least is 0
    bool whole;
};

constexpr Rule kSensorWidth{u"a sensor width", 0.1, 100, false, false};
constexpr Rule kSensorHeight{u"a sensor height", 0.1, 100, false, false};
constexpr Rule kPixelSize{u"a pixel size", 0.1, 100, false, false};
constexpr Rule kPixelsAcross{u"the pixels across", 1, 100000, false, true};
constexpr Rule kPixelsDown{u"the pixels down", 1, 100000, false, true};
constexpr Rule kFocalLength{u"a focal length", 0.1, 10000, false, false};
constexpr Rule kDistance{u"a distance", 0.01, 100000, false, false};
// Straight below or above the camera is a place to stand.
constexpr Rule kGroundDistance{u"a distance", 0, 100000, true, false};
constexpr Rule kCameraHeight{u"a camera height", 0.01, 10000, false, false};
constexpr Rule kTargetHeight{u"a target height", 0, 10000, true, false};
constexpr Rule kTilt{u"a tilt", 0, 90, true, false};

constexpr char16_t kSightShorterThanDrop[] =
    u"The distance along the line of sight must be at least the camera's height above the "
    u"target.";
constexpr char16_t kSightShorterThanRise[] =
    u"The distance along the line of sight must be at least the target's height above the "
    u"camera.";
constexpr char16_t kTargetOutOfView[] =
    u"At this tilt the target is outside the view: aim at it, or change the tilt.";

// The value of every argument given to a function, or no value when one is missing.
template <typename Function, typename... Args>
auto Lift(Function function, const std::optional<Args>&... args)
    -> std::optional<decltype(function(*args...))> {
    if ((args && ...))
        return function(*args...);
    return std::nullopt;
}

// Reads the fields and keeps the message for the first one that is bad.
class FormReader {
  public:
    explicit FormReader(const NumberFormat& format) : format(format) {}

    std::optional<double> Read(const std::u16string& text, const Rule& rule,
                               std::u16string_view unit) {
        const std::optional<double> value = ParseNumber(text, format);
        if (value && *value >= rule.least && *value <= rule.most &&
            (!rule.whole || *value == std::floor(*value)))
            return value;
        const bool positiveMissing = !rule.whole && !rule.zeroAllowed && !(value && *value > 0);
        std::u16string message = u"Enter ";
        message += rule.what;
        if (rule.whole)
            message += u" as a whole number";
        if (positiveMissing) {
            message += u" above 0";
        } else {
            message += u" from " + NumberText(rule.least, format) + u" to " +
                       NumberText(rule.most, format);
        }
        message += unit;
        Complain(message + u'.');
        return std::nullopt;
    }

    void Complain(std::u16string_view text) {
        if (message.empty())
            message = text;
    }

    std::u16string message;
    const NumberFormat& format;
};

struct Sensor {
    std::optional<double> widthMm;
    std::optional<double> heightMm;
    std::optional<double> pixelsAcross;
};

Sensor ReadCamera(const CoverageInputs& in, FormReader& form) {
    Sensor sensor;
    std::optional<double> pixelSizeUm;
    if (in.format < kSensorFormats.size()) {
        const SensorSize size =
            SensorSizeOfDiagonal(kSensorFormats[in.format].diagonalMm, in.aspect);
        sensor.widthMm = size.widthMm;
        sensor.heightMm = size.heightMm;
    } else if (in.custom == CustomSensor::BySize) {
        sensor.widthMm = form.Read(in.customWidthMm, kSensorWidth, u" mm");
        sensor.heightMm = form.Read(in.customHeightMm, kSensorHeight, u" mm");
    } else {
        pixelSizeUm = form.Read(in.pixelSizeUm, kPixelSize, u" \u00b5m");
    }
    sensor.pixelsAcross = form.Read(in.pixelsAcross, kPixelsAcross, u"");
    const std::optional<double> pixelsDown = form.Read(in.pixelsDown, kPixelsDown, u"");
    if (in.format >= kSensorFormats.size() && in.custom == CustomSensor::ByPixelSize) {
        const auto side = [](double pixels, double sizeUm) { return pixels * sizeUm / 1000; };
        sensor.widthMm = Lift(side, sensor.pixelsAcross, pixelSizeUm);
        sensor.heightMm = Lift(side, pixelsDown, pixelSizeUm);
    }
    return sensor;
}

// The camera on its pole: the figures shown, the target's depth, and what the DORI table's ground
// ranges need.
struct SideView {
    MountingFigures figures;
    std::optional<double> depthM;
    std::optional<double> heightAboveTargetM;
    std::optional<double> tiltRad;
    std::optional<double> halfAngleRad;
};

SideView ReadMounting(const CoverageInputs& in, const std::optional<double>& distanceM,
                      const std::optional<double>& halfAngleRad, FormReader& form) {
    const std::u16string unit = u' ' + UnitSymbol(in.unit);
    const auto metres = [&](std::optional<double> value) {
        return Lift([&](double v) { return v * MetresPerUnit(in.unit); }, value);
    };
    SideView view;
    MountingFigures& m = view.figures;
    m.cameraHeightM = metres(form.Read(in.cameraHeight, kCameraHeight, unit));
    m.targetHeightM = metres(form.Read(in.targetHeight, kTargetHeight, unit));
    std::optional<double> typedTiltRad;
    if (!in.tiltAimed) {
        typedTiltRad = Lift([](double deg) { return deg * kRadiansPerDegree; },
                            form.Read(in.tiltDeg, kTilt, u"\u00b0"));
    }

    const std::optional<double> dh =
        Lift([](double c, double t) { return c - t; }, m.cameraHeightM, m.targetHeightM);
    if (in.distanceIsLineOfSight) {
        m.slantDistanceM = distanceM;
        // Typed as the heights' difference, the line of sight may come out a hair shorter.
        if (distanceM && dh && *distanceM < std::fabs(*dh) * (1 - kLevelTolerance))
            form.Complain(*dh > 0 ? kSightShorterThanDrop : kSightShorterThanRise);
        else
            m.groundDistanceM =
                Lift([](double s, double h) { return std::sqrt(std::max(0.0, (s - h) * (s + h))); },
                     distanceM, dh);
    } else {
        m.groundDistanceM = distanceM;
        m.slantDistanceM = Lift([](double g, double h) { return std::hypot(g, h); }, distanceM, dh);
    }
    // Nearer than the least distance the form takes, the line of sight has no direction to speak
    // of, and the scene at the target shrinks to nothing.
    const double leastM = kDistance.least * MetresPerUnit(in.unit);
    if (m.slantDistanceM && *m.slantDistanceM < leastM * (1 - kLevelTolerance)) {
        form.Complain(u"The target is less than " + NumberText(kDistance.least, form.format) +
                      unit +
                      u" from the camera: enter a longer distance or heights further apart.");
        m.groundDistanceM.reset();
        m.slantDistanceM.reset();
    }

    const std::optional<double> tilt =
        in.tiltAimed ? Lift(AimedTiltRad, dh, m.groundDistanceM) : typedTiltRad;
    m.tiltDeg = Lift([](double rad) { return rad * kDegreesPerRadian; }, tilt);
    m.lookDownAngleDeg = Lift(LookDownAngleDeg, dh, m.groundDistanceM);
    view.depthM = Lift(DepthAlongAxisM, m.groundDistanceM, dh, tilt);
    if (view.depthM && !(*view.depthM > 0))
        view.depthM.reset();
    m.blindZoneM = Lift(NearEdgeM, dh, tilt, halfAngleRad);
    m.nearEdgeGroundM = Lift(NearEdgeM, m.cameraHeightM, tilt, halfAngleRad);
    m.farEdgeGroundM = Lift(FarEdgeM, m.cameraHeightM, tilt, halfAngleRad);
    const std::optional<double> farAtTargetM = Lift(FarEdgeM, dh, tilt, halfAngleRad);
    if (in.tiltAimed) {
        m.targetInView = Lift([](double) { return true; }, tilt);
    } else {
        m.targetInView = Lift(
            [](double ground, double nearM, double farM) {
                return ground >= nearM * (1 - kLevelTolerance) &&
                       ground <= farM * (1 + kLevelTolerance);
            },
            m.groundDistanceM, m.blindZoneM, farAtTargetM);
    }
    if (m.targetInView == false)
        form.Complain(kTargetOutOfView);
    view.heightAboveTargetM = dh;
    view.tiltRad = tilt;
    view.halfAngleRad = halfAngleRad;
    return view;
}

}  // namespace

bool operator==(const CoverageInputs& a, const CoverageInputs& b) {
    const auto fields = [](const CoverageInputs& in) {
        return std::tie(in.format, in.aspect, in.custom, in.customWidthMm, in.customHeightMm,
                        in.pixelSizeUm, in.pixelsAcross, in.pixelsDown, in.focalLengthMm, in.unit,
                        in.distance, in.distanceIsLineOfSight, in.mounted, in.cameraHeight,
                        in.targetHeight, in.tiltAimed, in.tiltDeg, in.requiredLevel,
                        in.requiredWidth, in.lensModel);
    };
    return fields(a) == fields(b);
}

CoverageInputs DefaultCoverageInputs(LengthUnit unit) {
    CoverageInputs inputs;
    inputs.unit = unit;
    if (unit == LengthUnit::Feet) {
        inputs.distance = u"20";
        inputs.cameraHeight = u"10";
        inputs.targetHeight = u"5.25";
    }
    return inputs;
}

Coverage ComputeCoverage(const CoverageInputs& inputs, const NumberFormat& format) {
    FormReader form(format);
    CoverageFigures f;
    const Sensor sensor = ReadCamera(inputs, form);
    f.sensorWidthMm = sensor.widthMm;
    f.sensorHeightMm = sensor.heightMm;
    f.pixelsAcross = sensor.pixelsAcross;
    f.focalLengthMm = form.Read(inputs.focalLengthMm, kFocalLength, u" mm");
    const Rule& distanceRule =
        DistanceInputKind(inputs) == DistanceKind::OnTheGround ? kGroundDistance : kDistance;
    const std::optional<double> distanceM =
        Lift([&](double d) { return d * MetresPerUnit(inputs.unit); },
             form.Read(inputs.distance, distanceRule, u' ' + UnitSymbol(inputs.unit)));

    const auto hypotenuse = [](double a, double b) { return std::hypot(a, b); };
    f.sensorDiagonalMm = Lift(hypotenuse, f.sensorWidthMm, f.sensorHeightMm);
    f.angleHDeg = Lift(AngleOfViewDeg, f.sensorWidthMm, f.focalLengthMm);
    f.angleVDeg = Lift(AngleOfViewDeg, f.sensorHeightMm, f.focalLengthMm);
    f.angleDDeg = Lift(AngleOfViewDeg, f.sensorDiagonalMm, f.focalLengthMm);

    SideView view;
    if (inputs.mounted) {
        const auto halfAngle = [](double h, double focal) { return std::atan(h / (2 * focal)); };
        view = ReadMounting(inputs, distanceM, Lift(halfAngle, f.sensorHeightMm, f.focalLengthMm),
                            form);
        f.mounting = view.figures;
        f.depthM = view.depthM;
    } else {
        f.depthM = distanceM;
    }

    f.sceneWidthM = Lift(SceneSizeM, f.depthM, f.sensorWidthMm, f.focalLengthMm);
    f.sceneHeightM = Lift(SceneSizeM, f.depthM, f.sensorHeightMm, f.focalLengthMm);
    f.densityPxPerM = Lift(DensityPxPerM, f.pixelsAcross, f.sceneWidthM);
    f.level = Lift(LevelReached, f.densityPxPerM);
    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const std::optional<double> pxPerMetre = kDoriLevels[i].pxPerMetre;
        DoriFigures& row = f.dori[i];
        row.farthestDepthM =
            Lift(FarthestDepthM, f.pixelsAcross, f.focalLengthMm, pxPerMetre, f.sensorWidthMm);
        row.focalLengthNeededMm =
            Lift(FocalLengthNeededMm, pxPerMetre, f.sensorWidthMm, f.depthM, f.pixelsAcross);
        row.pixelsNeeded = Lift(PixelsNeeded, pxPerMetre, f.sceneWidthM);
        if (inputs.mounted) {
            row.groundRangeM = Lift(LevelGroundRange, row.farthestDepthM, view.heightAboveTargetM,
                                    view.tiltRad, view.halfAngleRad);
            if (inputs.tiltAimed) {
                row.farthestGroundM =
                    Lift(AimedFarthestGroundM, row.farthestDepthM, view.heightAboveTargetM);
            } else if (row.groundRangeM) {
                row.farthestGroundM =
                    Lift([](const GroundRange& r) { return r.farM; }, *row.groundRangeM);
            }
        }
    }

    Coverage coverage{f, TextsOf(f, inputs.unit, format), std::move(form.message), {}};
    const std::optional<double> lookDown = f.mounting ? f.mounting->lookDownAngleDeg : std::nullopt;
    // As shown, to a tenth: a warning beside "30.0°" would read as a fault.
    if (lookDown && std::round(*lookDown * 10) > 300 && inputs.requiredLevel >= kRecognise)
        coverage.warning = kFacesFromAbove;
    return coverage;
}

DistanceKind DistanceInputKind(const CoverageInputs& inputs) {
    if (!inputs.mounted)
        return DistanceKind::ToTheTarget;
    return inputs.distanceIsLineOfSight ? DistanceKind::AlongTheLineOfSight
                                        : DistanceKind::OnTheGround;
}

DistanceKind FarthestKind(const CoverageInputs& inputs) {
    return inputs.mounted ? DistanceKind::OnTheGround : DistanceKind::AlongTheLineOfSight;
}

std::optional<int> LevelShown(const CoverageFigures& figures) {
    if (figures.mounting && figures.mounting->targetInView == false)
        return std::nullopt;
    return figures.level;
}
