#include <algorithm>
#include <cmath>
#include <iterator>
#include <unordered_map>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_file.h"
#include "json.h"
#include "utf8.h"

namespace {

constexpr char16_t kNotADesign[] =
    u"This is not a Vistamarq design (its \"format\" is not \"vistamarq-design\").";

// Ids the program gives ("c12") are read back for their number; ids of other forms are kept as
// they are and never collide with the ones it gives.
constexpr double kMostCameraNumber = 1e15;

std::u16string U16(std::string_view utf8) {
    return Utf16Of(utf8);
}

// A text of the file as a message shows it: in JSON's quotes, with its escapes.
std::u16string Quoted(std::string_view utf8) {
    return U16(JsonString(utf8));
}

// N of an id "cN" as the program writes them, or no value.
std::optional<std::uint64_t> IdNumber(std::string_view id) {
    if (id.size() < 2 || id.size() > 16 || id[0] != 'c' || id[1] == '0')
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : id.substr(1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

// What a message names: "Camera 3 ("Gate"): " or "The design's ", and within what: " in
// "sensor"".
struct Scope {
    const JsonValue& object;
    std::u16string prefix;
    std::u16string within;
};

class Reader {
  public:
    explicit Reader(const NumberFormat& format) : format(format) {}

    std::optional<Design> Read(const JsonValue& root);

    std::u16string error;

  private:
    bool Fail(std::u16string message) {
        error = std::move(message);
        return false;
    }

    // The member `key` when it is of `kind`; null when it is missing, or null and null is allowed;
    // no value, and the message, when it is of another kind.
    std::optional<const JsonValue*> Get(const Scope& scope, std::string_view key, JsonKind kind,
                                        bool nullAllowed = false) {
        const JsonValue* value = FindMember(scope.object, key);
        if (!value || (nullAllowed && value->kind == JsonKind::Null))
            return nullptr;
        if (value->kind == kind)
            return value;
        std::u16string message = scope.prefix + Quoted(key) + scope.within + u" must be " +
                                 U16(JsonKindName(kind)) + (nullAllowed ? u" or null" : u"") +
                                 u", not " + U16(JsonKindName(value->kind)) + u".";
        Fail(std::move(message));
        return std::nullopt;
    }

    // A number in a message: the user's format, with a true minus sign.
    std::u16string Figure(double value) const {
        std::u16string text = NumberText(value, format);
        if (!text.empty() && text[0] == u'-')
            text[0] = u'\u2212';
        return text;
    }

    // Puts the number of `key`, if there is one, into the field; false, with the message, when it
    // is of another kind or outside the field's limits.
    bool ReadNumber(const Scope& scope, std::string_view key, const NumberField& field,
                    CoverageInputs& in, bool nullAllowed = false) {
        const std::optional<const JsonValue*> value =
            Get(scope, key, JsonKind::Number, nullAllowed);
        if (!value || !*value)
            return value.has_value();
        return SetNumber(scope, field, (*value)->number, in);
    }

    bool SetNumber(const Scope& scope, const NumberField& field, double value, CoverageInputs& in) {
        if (WithinLimits(field, value, in)) {
            in.*field.text = CanonicalNumberText(value);
            return true;
        }
        const double least = WithinLimits(field, 0, in) ? 0 : field.least;
        std::u16string message = scope.prefix;
        message.append(field.what).append(u" ").append(Figure(value)).append(field.unit);
        if (field.whole) {
            message += u" is not a whole number from " + Figure(least) + u" to " +
                       Figure(field.most) + u".";
        } else {
            message += u" is out of range (" + Figure(least) + u" to " + Figure(field.most);
            message.append(field.unit).append(u").");
        }
        return Fail(std::move(message));
    }

    // The text of `key`, one of `names`, as its index; false, with the message, for another.
    template <typename Names>
    bool ReadChoice(const Scope& scope, std::string_view key, std::u16string_view what,
                    const Names& names, std::u16string_view choices, std::size_t& index) {
        const std::optional<const JsonValue*> value = Get(scope, key, JsonKind::String);
        if (!value || !*value)
            return value.has_value();
        for (std::size_t i = 0; i < std::size(names); ++i) {
            if ((*value)->text == names[i]) {
                index = i;
                return true;
            }
        }
        std::u16string message = scope.prefix;
        message.append(what).append(u" ").append(Quoted((*value)->text)).append(choices);
        return Fail(std::move(message));
    }

    bool ReadText(const Scope& scope, std::string_view key, std::u16string& text,
                  bool nullAllowed = false) {
        const std::optional<const JsonValue*> value =
            Get(scope, key, JsonKind::String, nullAllowed);
        if (value && *value)
            text = U16((*value)->text);
        return value.has_value();
    }

    bool ReadSensor(const Scope& cameraScope, Camera& camera);
    std::optional<Camera> ReadCamera(const JsonValue& value, std::size_t number);
    bool GiveIdsAndNames(Design& design, const std::vector<bool>& named);

    const NumberFormat& format;
};

bool Reader::ReadSensor(const Scope& cameraScope, Camera& camera) {
    const std::optional<const JsonValue*> sensor = Get(cameraScope, "sensor", JsonKind::Object);
    if (!sensor || !*sensor)
        return sensor.has_value();
    const Scope scope{**sensor, cameraScope.prefix, u" in \"sensor\""};
    CoverageInputs& in = camera.inputs;

    std::array<std::string, kFormatChoices> formats;
    for (std::size_t i = 0; i < kSensorFormats.size(); ++i)
        formats[i] = std::string(kSensorFormats[i].inches) + '"';
    formats[kCustomFormat] = "custom";
    static constexpr std::string_view kAspects[] = {"4:3", "16:9"};
    std::size_t aspect = 0;
    if (!ReadChoice(scope, "format", u"the sensor format", formats, u" is not one Vistamarq knows.",
                    in.format) ||
        !ReadChoice(scope, "aspect", u"the aspect", kAspects, u" is neither \"4:3\" nor \"16:9\".",
                    aspect))
        return false;
    in.aspect = aspect == 1 ? Aspect::SixteenByNine : Aspect::FourByThree;

    // The sizes of a named format, or worked out from the pixel size, are for other programs to
    // read: the program works them out again. They need only be numbers.
    const std::optional<const JsonValue*> pixelSize =
        Get(scope, "pixelSizeUm", JsonKind::Number, true);
    if (!pixelSize || !Get(scope, "widthMm", JsonKind::Number, true) ||
        !Get(scope, "heightMm", JsonKind::Number, true))
        return false;
    if (in.format == kCustomFormat && *pixelSize) {
        in.custom = CustomSensor::ByPixelSize;
        if (!SetNumber(scope, kPixelSizeField, (*pixelSize)->number, in))
            return false;
    } else if (in.format == kCustomFormat) {
        if (!ReadNumber(scope, "widthMm", kSensorWidthField, in, true) ||
            !ReadNumber(scope, "heightMm", kSensorHeightField, in, true))
            return false;
    }

    for (const JsonMember& member : scope.object.members) {
        static constexpr std::string_view kKnown[] = {"format", "aspect", "widthMm", "heightMm",
                                                      "pixelSizeUm"};
        if (std::find(std::begin(kKnown), std::end(kKnown), member.key) == std::end(kKnown))
            camera.keptInSensor.push_back({member.key, CompactJson(member.value)});
    }
    return true;
}

std::optional<Camera> Reader::ReadCamera(const JsonValue& value, std::size_t number) {
    std::u16string prefix = u"Camera " + U16(std::to_string(number));
    if (value.kind != JsonKind::Object) {
        Fail(prefix + u" must be an object, not " + U16(JsonKindName(value.kind)) + u".");
        return std::nullopt;
    }
    if (const JsonValue* name = FindMember(value, "name"); name && name->kind == JsonKind::String)
        prefix += u" (" + Quoted(name->text) + u")";
    const Scope scope{value, prefix + u": ", u""};

    Camera camera;
    camera.inputs = DefaultCameraInputs(LengthUnit::Metres);
    CoverageInputs& in = camera.inputs;
    const std::optional<const JsonValue*> id = Get(scope, "id", JsonKind::String);
    if (!id)
        return std::nullopt;
    if (*id && (*id)->text.empty()) {
        Fail(scope.prefix + u"the id is empty.");
        return std::nullopt;
    }
    if (*id)
        camera.id = (*id)->text;
    if (!ReadText(scope, "name", camera.name) || !ReadSensor(scope, camera))
        return std::nullopt;

    const std::optional<const JsonValue*> pixels = Get(scope, "pixels", JsonKind::Array);
    if (!pixels)
        return std::nullopt;
    if (*pixels) {
        const std::vector<JsonValue>& items = (*pixels)->items;
        if (items.size() != 2 || items[0].kind != JsonKind::Number ||
            items[1].kind != JsonKind::Number) {
            Fail(scope.prefix + u"\"pixels\" must be a list of two numbers.");
            return std::nullopt;
        }
        if (!SetNumber(scope, kPixelsAcrossField, items[0].number, in) ||
            !SetNumber(scope, kPixelsDownField, items[1].number, in))
            return std::nullopt;
    }

    static constexpr std::string_view kKinds[] = {"ground", "lineOfSight"};
    std::size_t kind = 0;
    std::array<std::string, kDoriLevels.size()> levels;
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = Utf8Of(kDoriLevels[i].name);
    std::size_t level = static_cast<std::size_t>(in.requiredLevel);
    if (!ReadNumber(scope, "focalMm", kFocalLengthField, in) ||
        !ReadText(scope, "lens", in.lensModel, true) ||
        !ReadChoice(scope, "distanceKind", u"the distance kind", kKinds,
                    u" is neither \"lineOfSight\" nor \"ground\".", kind))
        return std::nullopt;
    in.distanceIsLineOfSight = kind == 1;
    const std::optional<const JsonValue*> mounted = Get(scope, "mounted", JsonKind::Boolean);
    if (!mounted)
        return std::nullopt;
    in.mounted = *mounted && (*mounted)->boolean;
    const std::optional<const JsonValue*> tilt = Get(scope, "tiltDeg", JsonKind::Number, true);
    if (!tilt)
        return std::nullopt;
    in.tiltAimed = !*tilt;
    if (!ReadNumber(scope, "distanceM", kDistanceField, in) ||
        !ReadNumber(scope, "cameraHeightM", kCameraHeightField, in) ||
        !ReadNumber(scope, "targetHeightM", kTargetHeightField, in) ||
        (*tilt && !SetNumber(scope, kTiltField, (*tilt)->number, in)) ||
        !ReadChoice(scope, "requiredLevel", u"the required level", levels,
                    u" is not one of Monitor, Detect, Observe, Recognise, Identify, Inspect.",
                    level) ||
        !ReadNumber(scope, "requiredWidthM", kRequiredWidthField, in, true))
        return std::nullopt;
    in.requiredLevel = static_cast<int>(level);

    for (const JsonMember& member : value.members) {
        static constexpr std::string_view kKnown[] = {"id",
                                                      "name",
                                                      "sensor",
                                                      "pixels",
                                                      "focalMm",
                                                      "lens",
                                                      "distanceM",
                                                      "distanceKind",
                                                      "mounted",
                                                      "cameraHeightM",
                                                      "targetHeightM",
                                                      "tiltDeg",
                                                      "requiredLevel",
                                                      "requiredWidthM"};
        if (std::find(std::begin(kKnown), std::end(kKnown), member.key) == std::end(kKnown))
            camera.kept.push_back({member.key, CompactJson(member.value)});
    }
    return camera;
}

// Refuses ids given twice, then gives the cameras without an id the next ones and those without
// a name the next free names, in order.
bool Reader::GiveIdsAndNames(Design& design, const std::vector<bool>& named) {
    std::unordered_map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        const std::string& id = design.cameras[i].id;
        if (id.empty())
            continue;
        const auto [earlier, fresh] = seen.emplace(id, i);
        if (!fresh) {
            return Fail(u"Cameras " + U16(std::to_string(earlier->second + 1)) + u" and " +
                        U16(std::to_string(i + 1)) + u" have the same id " + Quoted(id) + u".");
        }
        if (const std::optional<std::uint64_t> number = IdNumber(id))
            design.nextCameraNumber = std::max(design.nextCameraNumber, *number + 1);
    }
    std::uint64_t nameNumber = HighestCameraNameNumber(design);
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        Camera& camera = design.cameras[i];
        if (camera.id.empty()) {
            camera.id = NextCameraId(design);
            ++design.nextCameraNumber;
        }
        if (!named[i])
            camera.name = NumberedCameraName(++nameNumber);
    }
    return true;
}

std::optional<Design> Reader::Read(const JsonValue& root) {
    const JsonValue* formatName = FindMember(root, "format");
    if (!formatName || formatName->kind != JsonKind::String || formatName->text != kDesignFormat) {
        Fail(kNotADesign);
        return std::nullopt;
    }
    const Scope scope{root, u"The design's ", u""};
    const std::optional<const JsonValue*> version = Get(scope, "version", JsonKind::Number);
    if (!version)
        return std::nullopt;
    if (*version) {
        const double v = (*version)->number;
        if (v < 1 || v != std::floor(v)) {
            Fail(u"The design's \"version\" must be a whole number from 1, not " + Figure(v) +
                 u".");
            return std::nullopt;
        }
        if (v > kDesignVersion) {
            Fail(u"This design was written by a newer Vistamarq (file version " + Figure(v) +
                 u"); this one reads version " + Figure(kDesignVersion) + u".");
            return std::nullopt;
        }
    }

    Design design;
    std::size_t unit = 0;
    static constexpr std::string_view kUnits[] = {"m", "ft"};
    if (!ReadText(scope, "name", design.name) || !ReadText(scope, "notes", design.notes) ||
        !ReadChoice(scope, "units", u"units", kUnits, u" are neither \"m\" nor \"ft\".", unit))
        return std::nullopt;
    design.unit = unit == 1 ? LengthUnit::Feet : LengthUnit::Metres;

    const std::optional<const JsonValue*> next = Get(scope, "nextCameraNumber", JsonKind::Number);
    if (!next)
        return std::nullopt;
    if (*next) {
        const double n = (*next)->number;
        if (n < 1 || n > kMostCameraNumber || n != std::floor(n)) {
            Fail(u"The design's \"nextCameraNumber\" must be a whole number from 1 to " +
                 Figure(kMostCameraNumber) + u", not " + Figure(n) + u".");
            return std::nullopt;
        }
        design.nextCameraNumber = static_cast<std::uint64_t>(n);
    }

    const std::optional<const JsonValue*> cameras = Get(scope, "cameras", JsonKind::Array);
    if (!cameras)
        return std::nullopt;
    std::vector<bool> named;
    if (*cameras) {
        design.cameras.reserve((*cameras)->items.size());
        for (const JsonValue& value : (*cameras)->items) {
            std::optional<Camera> camera = ReadCamera(value, design.cameras.size() + 1);
            if (!camera)
                return std::nullopt;
            named.push_back(FindMember(value, "name") != nullptr);
            design.cameras.push_back(std::move(*camera));
        }
    }
    if (!GiveIdsAndNames(design, named))
        return std::nullopt;

    for (const JsonMember& member : root.members) {
        static constexpr std::string_view kKnown[] = {
            "format", "version", "name", "notes", "units", "cameras", "nextCameraNumber"};
        if (std::find(std::begin(kKnown), std::end(kKnown), member.key) == std::end(kKnown))
            design.kept.push_back({member.key, CompactJson(member.value)});
    }
    return design;
}

}  // namespace

DesignReading ReadDesign(std::string_view json, const NumberFormat& format) {
    const JsonParse parse = ParseJson(json);
    if (!parse.value) {
        return {std::nullopt, u"The design is not valid JSON at line " +
                                  U16(std::to_string(parse.error.line)) + u", column " +
                                  U16(std::to_string(parse.error.column)) + u": " +
                                  U16(parse.error.what) + u"."};
    }
    Reader reader(format);
    DesignReading reading;
    reading.design = reader.Read(*parse.value);
    if (!reading.design)
        reading.error = reader.error;
    return reading;
}
