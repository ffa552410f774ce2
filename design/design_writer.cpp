#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_file.h"
#include "json.h"
#include "utf8.h"

namespace {

const CoverageInputs& Start() {
    static const CoverageInputs start = DefaultCameraInputs(LengthUnit::Metres);
    return start;
}

// A field's number; the start's value when the inputs are not canonical, so that the file reads.
double FieldValue(const Camera& camera, const NumberField& field) {
    const std::optional<double> value = CanonicalValue(camera.inputs.*field.text);
    if (value && WithinLimits(field, *value, camera.inputs))
        return *value;
    return CanonicalValue(Start().*field.text).value_or(0);
}

class Writer {
  public:
    std::string Take() { return std::move(out); }

    // `"key": ` at the start of a line of an object at `indent`, after a comma when not first.
    void Key(std::string_view key, int indent) {
        Separate(indent);
        out += JsonString(key);
        out += ": ";
    }

    // `"key": ` inside a one-line object.
    void InlineKey(std::string_view key) {
        if (!firstInline)
            out += ", ";
        firstInline = false;
        out += JsonString(key);
        out += ": ";
    }

    void OpenInline() {
        out += '{';
        firstInline = true;
    }

    void Open(char bracket) {
        out += bracket;
        first = true;
    }

    void Close(char bracket, int indent) {
        if (!first) {
            out += '\n';
            out.append(static_cast<std::size_t>(indent), ' ');
        }
        out += bracket;
        first = false;
    }

    void Separate(int indent) {
        if (!first)
            out += ',';
        out += '\n';
        out.append(static_cast<std::size_t>(indent), ' ');
        first = false;
    }

    void Text(std::u16string_view text) { out += JsonString(Utf8Of(text)); }
    void Raw(std::string_view json) { out += json; }
    void Number(double value) { out += JsonNumber(value); }

    void Kept(const KeptValues& kept, int indent) {
        for (const KeptValue& value : kept) {
            Key(value.key, indent);
            out += value.json;
        }
    }

  private:
    std::string out;
    bool first = true;
    bool firstInline = true;
};

std::string_view AspectName(Aspect aspect) {
    return aspect == Aspect::SixteenByNine ? "16:9" : "4:3";
}

void WriteSensor(Writer& w, const Camera& camera) {
    const CoverageInputs& in = camera.inputs;
    const bool named = in.format < kSensorFormats.size();
    const bool byPixelSize = !named && in.custom == CustomSensor::ByPixelSize;
    double width = 0;
    double height = 0;
    if (named) {
        const SensorSize size =
            SensorSizeOfDiagonal(kSensorFormats[in.format].diagonalMm, in.aspect);
        width = size.widthMm;
        height = size.heightMm;
    } else if (byPixelSize) {
        // As the Coverage form works it out: pixels × size.
        const double size = FieldValue(camera, kPixelSizeField);
        width = FieldValue(camera, kPixelsAcrossField) * size / 1000;
        height = FieldValue(camera, kPixelsDownField) * size / 1000;
    } else {
        width = FieldValue(camera, kSensorWidthField);
        height = FieldValue(camera, kSensorHeightField);
    }
    w.OpenInline();
    w.InlineKey("format");
    if (named)
        w.Raw(JsonString(std::string(kSensorFormats[in.format].inches) + '"'));
    else
        w.Raw("\"custom\"");
    w.InlineKey("aspect");
    w.Raw(JsonString(AspectName(in.aspect)));
    w.InlineKey("widthMm");
    w.Number(width);
    w.InlineKey("heightMm");
    w.Number(height);
    w.InlineKey("pixelSizeUm");
    if (byPixelSize)
        w.Number(FieldValue(camera, kPixelSizeField));
    else
        w.Raw("null");
    for (const KeptValue& value : camera.keptInSensor) {
        w.InlineKey(value.key);
        w.Raw(value.json);
    }
    w.Raw("}");
}

// A coordinate as the file takes it: 0 for one outside the plan's extent, so that the file reads.
double Coordinate(double metres) {
    return WithinPlanExtent(metres) ? metres : 0;
}

// An array of `items`, one to a line at `indent` + 2, each written by `write`.
template <typename Item, typename WriteItem>
void WriteArray(Writer& w, const std::vector<Item>& items, int indent, WriteItem write) {
    w.Open('[');
    for (const Item& item : items) {
        w.Separate(indent + 2);
        write(item);
    }
    w.Close(']', indent);
}

// "[1, 2.5]" on one line.
void WriteNumbers(Writer& w, std::initializer_list<double> numbers) {
    w.Raw("[");
    for (const double* n = numbers.begin(); n != numbers.end(); ++n) {
        if (n != numbers.begin())
            w.Raw(", ");
        w.Number(*n);
    }
    w.Raw("]");
}

// A camera is written on a plan only while the design has that plan, so that the file reads.
void WriteCamera(Writer& w, const Camera& camera, bool placed) {
    constexpr int kIndent = 6;
    const CoverageInputs& in = camera.inputs;
    w.Open('{');
    w.Key("id", kIndent);
    w.Raw(JsonString(camera.id));
    w.Key("name", kIndent);
    w.Text(camera.name);
    w.Key("sensor", kIndent);
    WriteSensor(w, camera);
    w.Key("pixels", kIndent);
    w.Raw("[");
    w.Number(FieldValue(camera, kPixelsAcrossField));
    w.Raw(", ");
    w.Number(FieldValue(camera, kPixelsDownField));
    w.Raw("]");
    w.Key("focalMm", kIndent);
    w.Number(FieldValue(camera, kFocalLengthField));
    w.Key("lens", kIndent);
    if (in.lensModel.empty())
        w.Raw("null");
    else
        w.Text(in.lensModel);
    w.Key("distanceM", kIndent);
    w.Number(FieldValue(camera, kDistanceField));
    w.Key("distanceKind", kIndent);
    w.Raw(in.distanceIsLineOfSight ? "\"lineOfSight\"" : "\"ground\"");
    w.Key("mounted", kIndent);
    w.Raw(in.mounted ? "true" : "false");
    w.Key("cameraHeightM", kIndent);
    w.Number(FieldValue(camera, kCameraHeightField));
    w.Key("targetHeightM", kIndent);
    w.Number(FieldValue(camera, kTargetHeightField));
    w.Key("tiltDeg", kIndent);
    if (in.tiltAimed)
        w.Raw("null");
    else
        w.Number(FieldValue(camera, kTiltField));
    w.Key("requiredLevel", kIndent);
    const int level = in.requiredLevel >= 0 && in.requiredLevel < int(kDoriLevels.size())
                          ? in.requiredLevel
                          : Start().requiredLevel;
    w.Text(LevelName(level));
    w.Key("requiredWidthM", kIndent);
    const std::optional<double> width = CanonicalValue(in.requiredWidth);
    if (width && WithinLimits(kRequiredWidthField, *width, in))
        w.Number(*width);
    else
        w.Raw("null");
    if (placed) {
        w.Key("plan", kIndent);
        w.Raw(JsonString(camera.placement->plan));
        w.Key("x", kIndent);
        w.Number(Coordinate(camera.placement->x));
        w.Key("y", kIndent);
        w.Number(Coordinate(camera.placement->y));
        w.Key("headingDeg", kIndent);
        const double heading = camera.placement->headingDeg;
        w.Number(std::isfinite(heading) ? heading : 0);
    }
    w.Kept(camera.kept, kIndent);
    w.Close('}', kIndent - 2);
}

void WriteTarget(Writer& w, const Target& target) {
    w.OpenInline();
    w.InlineKey("id");
    w.Raw(JsonString(target.id));
    w.InlineKey("name");
    w.Text(target.name);
    w.InlineKey("x");
    w.Number(Coordinate(target.x));
    w.InlineKey("y");
    w.Number(Coordinate(target.y));
    w.InlineKey("level");
    const bool known = target.level >= 0 && target.level < int(kDoriLevels.size());
    w.Text(LevelName(known ? target.level : Target{}.level));
    for (const KeptValue& value : target.kept) {
        w.InlineKey(value.key);
        w.Raw(value.json);
    }
    w.Raw("}");
}

void WritePlan(Writer& w, const Plan& plan) {
    constexpr int kIndent = 6;
    w.Open('{');
    w.Key("id", kIndent);
    w.Raw(JsonString(plan.id));
    w.Key("name", kIndent);
    w.Text(plan.name);
    w.Key("image", kIndent);
    w.Raw(plan.image && IsSha256Hex(*plan.image) ? JsonString(*plan.image) : "null");
    if (plan.imagePage > 0 && plan.imagePage <= kLastPlanImagePage) {
        w.Key("imagePage", kIndent);
        w.Number(plan.imagePage);
    }
    w.Key("metresPerPixel", kIndent);
    if (plan.metresPerPixel && ValidMetresPerPixel(*plan.metresPerPixel))
        w.Number(*plan.metresPerPixel);
    else
        w.Raw("null");
    w.Key("origin", kIndent);
    WriteNumbers(w, {Coordinate(plan.origin.x), Coordinate(plan.origin.y)});
    w.Key("walls", kIndent);
    WriteArray(w, plan.walls, kIndent, [&w](const Wall& wall) {
        WriteNumbers(w, {Coordinate(wall.x1), Coordinate(wall.y1), Coordinate(wall.x2),
                         Coordinate(wall.y2)});
    });
    w.Key("targets", kIndent);
    WriteArray(w, plan.targets, kIndent, [&w](const Target& target) { WriteTarget(w, target); });
    w.Kept(plan.kept, kIndent);
    w.Close('}', kIndent - 2);
}

}  // namespace

std::string WriteDesign(const Design& design) {
    constexpr int kIndent = 2;
    Writer w;
    w.Open('{');
    w.Key("format", kIndent);
    w.Raw(JsonString(kDesignFormat));
    w.Key("version", kIndent);
    w.Number(kDesignVersion);
    w.Key("name", kIndent);
    w.Text(design.name);
    w.Key("notes", kIndent);
    w.Text(design.notes);
    w.Key("units", kIndent);
    w.Raw(design.unit == LengthUnit::Feet ? "\"ft\"" : "\"m\"");
    w.Key("nextCameraNumber", kIndent);
    w.Number(static_cast<double>(std::max<std::uint64_t>(design.nextCameraNumber, 1)));
    // Written only once a plan or a target has been given an id, so that a design without plans
    // keeps the bytes it had before there were plans.
    if (design.nextPlanNumber > 1) {
        w.Key("nextPlanNumber", kIndent);
        w.Number(static_cast<double>(design.nextPlanNumber));
    }
    if (design.nextTargetNumber > 1) {
        w.Key("nextTargetNumber", kIndent);
        w.Number(static_cast<double>(design.nextTargetNumber));
    }
    w.Key("cameras", kIndent);
    WriteArray(w, design.cameras, kIndent, [&](const Camera& camera) {
        WriteCamera(w, camera,
                    camera.placement && !camera.placement->plan.empty() &&
                        FindPlan(design, camera.placement->plan));
    });
    if (!design.plans.empty()) {
        w.Key("plans", kIndent);
        WriteArray(w, design.plans, kIndent, [&w](const Plan& plan) { WritePlan(w, plan); });
    }
    w.Kept(design.kept, kIndent);
    w.Close('}', 0);
    w.Raw("\n");
    return w.Take();
}
