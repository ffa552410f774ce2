#include <algorithm>
#include <cmath>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

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

// N of an id "cN" (or "pN", "tN": the letter given) as the program writes them, or no value.
std::optional<std::uint64_t> IdNumber(std::string_view id, char letter = 'c') {
    if (id.size() < 2 || id.size() > 16 || id[0] != letter || id[1] == '0')
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
    // An item of an array that must be an object; the message names it ("Plan 2").
    bool IsObject(const JsonValue& value, const std::u16string& item) {
        if (value.kind == JsonKind::Object)
            return true;
        return Fail(item + u" must be an object, not " + U16(JsonKindName(value.kind)) + u".");
    }
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

    // False, with the message, for a coordinate outside the plan's extent.
    bool CheckCoordinate(const Scope& scope, std::u16string_view what, double metres) {
        if (WithinPlanExtent(metres))
            return true;
        return Fail(scope.prefix + std::u16string(what) + u" " + Figure(metres) +
                    u" m is out of range (" + Figure(-kPlanExtentM) + u" to " +
                    Figure(kPlanExtentM) + u" m).");
    }

    // The numbers of `key` when it is a list of exactly `count` numbers; false, with the message,
    // for anything else. Left as they are when the key is missing.
    bool ReadNumbers(const Scope& scope, std::string_view key, std::u16string_view what,
                     std::size_t count, double* numbers) {
        const std::optional<const JsonValue*> list = Get(scope, key, JsonKind::Array);
        if (!list || !*list)
            return list.has_value();
        return ListOfNumbers(scope, **list, what, count, numbers);
    }

    bool ListOfNumbers(const Scope& scope, const JsonValue& list, std::u16string_view what,
                       std::size_t count, double* numbers) {
        const std::u16string_view counts[] = {u"", u"", u"two", u"", u"four"};
        bool numeric = list.kind == JsonKind::Array && list.items.size() == count;
        for (std::size_t i = 0; numeric && i < count; ++i) {
            numeric = list.items[i].kind == JsonKind::Number;
            if (numeric)
                numbers[i] = list.items[i].number;
        }
        if (numeric)
            return true;
        return Fail(scope.prefix + std::u16string(what) + u" must be a list of " +
                    std::u16string(counts[count]) + u" numbers.");
    }

    // Puts the keys the reader does not know into `kept`.
    template <typename Known>
    static void Keep(const JsonValue& object, const Known& known, KeptValues& kept) {
        for (const JsonMember& member : object.members) {
            if (std::find(std::begin(known), std::end(known), member.key) == std::end(known))
                kept.push_back({member.key, CompactJson(member.value)});
        }
    }

    bool ReadSensor(const Scope& cameraScope, Camera& camera);
    bool ReadPlacement(const Scope& scope, Camera& camera);
    std::optional<Camera> ReadCamera(const JsonValue& value, std::size_t number);
    bool GiveIdsAndNames(Design& design, const std::vector<bool>& named);
    std::optional<Target> ReadTarget(const JsonValue& value, const std::u16string& plan,
                                     std::size_t number);
    std::optional<Plan> ReadPlan(const JsonValue& value, std::size_t number);
    bool ReadPlans(const Scope& scope, Design& design);
    bool CheckPlacements(Design& design, const JsonValue* cameras);

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

// "Camera 3" or "Plan 2", and its name in the file when it has one: "Camera 3 ("Gate")".
std::u16string Named(std::u16string_view what, std::size_t number, const JsonValue& value) {
    std::u16string named = std::u16string(what) + U16(std::to_string(number));
    if (const JsonValue* name = FindMember(value, "name"); name && name->kind == JsonKind::String)
        named += u" (" + Quoted(name->text) + u")";
    return named;
}

// A camera stands on a plan with all four keys or with none.
bool Reader::ReadPlacement(const Scope& scope, Camera& camera) {
    static constexpr std::string_view kKeys[] = {"plan", "x", "y", "headingDeg"};
    std::size_t present = 0;
    for (const std::string_view key : kKeys)
        present += FindMember(scope.object, key) ? 1 : 0;
    if (present == 0)
        return true;
    for (const std::string_view key : kKeys) {
        if (!FindMember(scope.object, key)) {
            return Fail(scope.prefix +
                        u"a camera on a plan needs all of \"plan\", \"x\", \"y\" and "
                        u"\"headingDeg\"; " +
                        Quoted(key) + u" is missing.");
        }
    }
    const std::optional<const JsonValue*> plan = Get(scope, "plan", JsonKind::String);
    const std::optional<const JsonValue*> x =
        plan ? Get(scope, "x", JsonKind::Number) : std::nullopt;
    const std::optional<const JsonValue*> y = x ? Get(scope, "y", JsonKind::Number) : std::nullopt;
    const std::optional<const JsonValue*> heading =
        y ? Get(scope, "headingDeg", JsonKind::Number) : std::nullopt;
    if (!heading || !CheckCoordinate(scope, u"the x on the plan", (*x)->number) ||
        !CheckCoordinate(scope, u"the y on the plan", (*y)->number))
        return false;
    camera.placement =
        CameraPlacement{(*plan)->text, (*x)->number, (*y)->number, (*heading)->number};
    return true;
}

std::optional<Camera> Reader::ReadCamera(const JsonValue& value, std::size_t number) {
    if (!IsObject(value, u"Camera " + U16(std::to_string(number))))
        return std::nullopt;
    const Scope scope{value, Named(u"Camera ", number, value) + u": ", u""};

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
        !ReadNumber(scope, "requiredWidthM", kRequiredWidthField, in, true) ||
        !ReadPlacement(scope, camera))
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
                                                      "requiredWidthM",
                                                      "plan",
                                                      "x",
                                                      "y",
                                                      "headingDeg"};
        if (std::find(std::begin(kKnown), std::end(kKnown), member.key) == std::end(kKnown))
            camera.kept.push_back({member.key, CompactJson(member.value)});
    }
    return camera;
}

std::optional<Target> Reader::ReadTarget(const JsonValue& value, const std::u16string& plan,
                                         std::size_t number) {
    if (!IsObject(value, plan + u", target " + U16(std::to_string(number))))
        return std::nullopt;
    const Scope scope{value, plan + u", " + Named(u"target ", number, value) + u": ", u""};
    Target target;
    const std::optional<const JsonValue*> id = Get(scope, "id", JsonKind::String);
    if (!id || !ReadText(scope, "name", target.name))
        return std::nullopt;
    if (*id)
        target.id = (*id)->text;
    const std::optional<const JsonValue*> x = Get(scope, "x", JsonKind::Number);
    const std::optional<const JsonValue*> y = x ? Get(scope, "y", JsonKind::Number) : std::nullopt;
    if (!y)
        return std::nullopt;
    target.x = *x ? (*x)->number : 0;
    target.y = *y ? (*y)->number : 0;
    std::array<std::string, kDoriLevels.size()> levels;
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = Utf8Of(kDoriLevels[i].name);
    std::size_t level = static_cast<std::size_t>(target.level);
    if (!CheckCoordinate(scope, u"the x", target.x) ||
        !CheckCoordinate(scope, u"the y", target.y) ||
        !ReadChoice(scope, "level", u"the level", levels,
                    u" is not one of Monitor, Detect, Observe, Recognise, Identify, Inspect.",
                    level))
        return std::nullopt;
    target.level = static_cast<int>(level);
    static constexpr std::string_view kKnown[] = {"id", "name", "x", "y", "level"};
    Keep(value, kKnown, target.kept);
    return target;
}

std::optional<Plan> Reader::ReadPlan(const JsonValue& value, std::size_t number) {
    if (!IsObject(value, u"Plan " + U16(std::to_string(number))))
        return std::nullopt;
    const std::u16string named = Named(u"Plan ", number, value);
    const Scope scope{value, named + u": ", u""};
    Plan plan;
    const std::optional<const JsonValue*> id = Get(scope, "id", JsonKind::String);
    const std::optional<const JsonValue*> image =
        id ? Get(scope, "image", JsonKind::String, true) : std::nullopt;
    const std::optional<const JsonValue*> scale =
        image ? Get(scope, "metresPerPixel", JsonKind::Number, true) : std::nullopt;
    if (!scale || !ReadText(scope, "name", plan.name))
        return std::nullopt;
    if (*id)
        plan.id = (*id)->text;
    if (*image && !IsSha256Hex((*image)->text)) {
        Fail(scope.prefix + u"the image " + Quoted((*image)->text) +
             u" is not a SHA-256 of 64 lower-case hex digits.");
        return std::nullopt;
    }
    if (*image)
        plan.image = (*image)->text;
    if (*scale && !ValidMetresPerPixel((*scale)->number)) {
        Fail(scope.prefix + u"the scale " + Figure((*scale)->number) +
             u" m per pixel is out of range (above 0, to " + Figure(kMostMetresPerPixel) + u").");
        return std::nullopt;
    }
    if (*scale)
        plan.metresPerPixel = (*scale)->number;
    const std::optional<const JsonValue*> page = Get(scope, "imagePage", JsonKind::Number);
    if (!page)
        return std::nullopt;
    if (*page) {
        const double number = (*page)->number;
        if (!(number >= 0 && number <= kLastPlanImagePage) || number != static_cast<int>(number)) {
            Fail(scope.prefix + u"the image's page " + Figure(number) +
                 u" is not a page from 0 to " + Figure(kLastPlanImagePage) + u".");
            return std::nullopt;
        }
        plan.imagePage = static_cast<int>(number);
    }

    double origin[2] = {0, 0};
    if (!ReadNumbers(scope, "origin", u"\"origin\"", 2, origin) ||
        !CheckCoordinate(scope, u"the origin's x", origin[0]) ||
        !CheckCoordinate(scope, u"the origin's y", origin[1]))
        return std::nullopt;
    plan.origin = {origin[0], origin[1]};

    const std::optional<const JsonValue*> walls = Get(scope, "walls", JsonKind::Array);
    if (!walls)
        return std::nullopt;
    for (std::size_t i = 0; *walls && i < (*walls)->items.size(); ++i) {
        const std::u16string wall = u"wall " + U16(std::to_string(i + 1));
        double ends[4] = {};
        if (!ListOfNumbers(scope, (*walls)->items[i], wall, 4, ends))
            return std::nullopt;
        static constexpr std::u16string_view kEnds[] = {u"'s x1", u"'s y1", u"'s x2", u"'s y2"};
        for (std::size_t end = 0; end < 4; ++end) {
            if (!CheckCoordinate(scope, wall + std::u16string(kEnds[end]), ends[end]))
                return std::nullopt;
        }
        plan.walls.push_back({ends[0], ends[1], ends[2], ends[3]});
    }

    const std::optional<const JsonValue*> targets = Get(scope, "targets", JsonKind::Array);
    if (!targets)
        return std::nullopt;
    for (std::size_t i = 0; *targets && i < (*targets)->items.size(); ++i) {
        std::optional<Target> target = ReadTarget((*targets)->items[i], named, i + 1);
        if (!target)
            return std::nullopt;
        plan.targets.push_back(std::move(*target));
    }
    static constexpr std::string_view kKnown[] = {
        "id", "name", "image", "imagePage", "metresPerPixel", "origin", "walls", "targets"};
    Keep(value, kKnown, plan.kept);
    return plan;
}

// The plans, their ids checked and given as the cameras' are; then the next numbers.
bool Reader::ReadPlans(const Scope& scope, Design& design) {
    const std::optional<const JsonValue*> plans = Get(scope, "plans", JsonKind::Array);
    if (!plans)
        return false;
    for (std::size_t i = 0; *plans && i < (*plans)->items.size(); ++i) {
        std::optional<Plan> plan = ReadPlan((*plans)->items[i], i + 1);
        if (!plan)
            return false;
        design.plans.push_back(std::move(*plan));
    }
    static constexpr std::string_view kNextKeys[] = {"nextPlanNumber", "nextTargetNumber"};
    std::uint64_t* nextNumbers[] = {&design.nextPlanNumber, &design.nextTargetNumber};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::optional<const JsonValue*> next = Get(scope, kNextKeys[i], JsonKind::Number);
        if (!next)
            return false;
        const double n = *next ? (*next)->number : 1;
        if (n < 1 || n > kMostCameraNumber || n != std::floor(n)) {
            return Fail(u"The design's " + Quoted(kNextKeys[i]) +
                        u" must be a whole number from 1 to " + Figure(kMostCameraNumber) +
                        u", not " + Figure(n) + u".");
        }
        *nextNumbers[i] = static_cast<std::uint64_t>(n);
    }

    std::unordered_map<std::string, std::size_t> seenPlans;
    std::unordered_set<std::string> seenTargets;
    for (std::size_t i = 0; i < design.plans.size(); ++i) {
        Plan& plan = design.plans[i];
        if (!plan.id.empty()) {
            const auto [earlier, fresh] = seenPlans.emplace(plan.id, i);
            if (!fresh) {
                return Fail(u"Plans " + U16(std::to_string(earlier->second + 1)) + u" and " +
                            U16(std::to_string(i + 1)) + u" have the same id " + Quoted(plan.id) +
                            u".");
            }
            if (const std::optional<std::uint64_t> number = IdNumber(plan.id, 'p'))
                design.nextPlanNumber = std::max(design.nextPlanNumber, *number + 1);
        }
        for (const Target& target : plan.targets) {
            if (target.id.empty())
                continue;
            if (!seenTargets.insert(target.id).second) {
                return Fail(u"Two targets have the same id " + Quoted(target.id) + u".");
            }
            if (const std::optional<std::uint64_t> number = IdNumber(target.id, 't'))
                design.nextTargetNumber = std::max(design.nextTargetNumber, *number + 1);
        }
    }
    for (Plan& plan : design.plans) {
        if (plan.id.empty())
            plan.id = "p" + std::to_string(design.nextPlanNumber++);
        for (Target& target : plan.targets) {
            if (target.id.empty())
                target.id = "t" + std::to_string(design.nextTargetNumber++);
        }
    }
    return true;
}

bool Reader::CheckPlacements(Design& design, const JsonValue* cameras) {
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        const std::optional<CameraPlacement>& placement = design.cameras[i].placement;
        if (placement && !FindPlan(design, placement->plan)) {
            return Fail(Named(u"Camera ", i + 1, cameras->items[i]) + u": it stands on the plan " +
                        Quoted(placement->plan) + u", which the design does not have.");
        }
    }
    return true;
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
    if (!GiveIdsAndNames(design, named) || !ReadPlans(scope, design) ||
        !CheckPlacements(design, *cameras))
        return std::nullopt;

    static constexpr std::string_view kKnown[] = {
        "format",  "version",          "name",  "notes",          "units",
        "cameras", "nextCameraNumber", "plans", "nextPlanNumber", "nextTargetNumber"};
    Keep(root, kKnown, design.kept);
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
