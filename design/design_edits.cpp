#include "design_edits.h"

#include <algorithm>

#include "camera_inputs.h"

namespace {

constexpr std::u16string_view kCameraPrefix = u"Camera ";

// N of a name "Camera N" (N written without leading zeros, at most nine digits), or no value.
std::optional<std::uint64_t> CameraNameNumber(std::u16string_view name) {
    if (name.substr(0, kCameraPrefix.size()) != kCameraPrefix)
        return std::nullopt;
    const std::u16string_view digits = name.substr(kCameraPrefix.size());
    if (digits.empty() || digits.size() > 9 || digits[0] == u'0')
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    return number;
}

bool Listed(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

const Camera* FindCamera(const Design& design, std::string_view id) {
    const std::optional<std::size_t> index = CameraIndex(design, id);
    return index ? &design.cameras[*index] : nullptr;
}

std::optional<std::size_t> CameraIndex(const Design& design, std::string_view id) {
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        if (design.cameras[i].id == id)
            return i;
    }
    return std::nullopt;
}

std::string NextCameraId(const Design& design) {
    return "c" + std::to_string(design.nextCameraNumber);
}

std::u16string NumberedCameraName(std::uint64_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(kCameraPrefix) + std::u16string(digits.begin(), digits.end());
}

std::uint64_t HighestCameraNameNumber(const Design& design) {
    std::uint64_t highest = 0;
    for (const Camera& camera : design.cameras)
        highest = std::max(highest, CameraNameNumber(camera.name).value_or(0));
    return highest;
}

std::u16string NextFreeCameraName(const Design& design) {
    return NumberedCameraName(HighestCameraNameNumber(design) + 1);
}

Design WithName(Design design, std::u16string name) {
    design.name = std::move(name);
    return design;
}

Design WithNotes(Design design, std::u16string notes) {
    design.notes = std::move(notes);
    return design;
}

Design WithUnit(Design design, LengthUnit unit) {
    design.unit = unit;
    return design;
}

Design WithCamera(Design design, std::string_view id, const CoverageInputs& inputs) {
    if (const std::optional<std::size_t> index = CameraIndex(design, id))
        design.cameras[*index].inputs = inputs;
    return design;
}

Design WithCameraName(Design design, std::string_view id, std::u16string name) {
    if (const std::optional<std::size_t> index = CameraIndex(design, id))
        design.cameras[*index].name = std::move(name);
    return design;
}

Design AddCamera(Design design, std::string_view afterId) {
    const std::optional<std::size_t> index = CameraIndex(design, afterId);
    Camera camera{NextCameraId(design),
                  NextFreeCameraName(design),
                  index ? design.cameras[*index].inputs : DefaultCameraInputs(design.unit),
                  {},
                  {}};
    ++design.nextCameraNumber;
    const auto place = index ? design.cameras.begin() + static_cast<std::ptrdiff_t>(*index + 1)
                             : design.cameras.end();
    design.cameras.insert(place, std::move(camera));
    return design;
}

Design DuplicateCameras(Design design, const std::vector<std::string>& ids) {
    std::uint64_t nameNumber = HighestCameraNameNumber(design);
    std::vector<Camera> cameras;
    cameras.reserve(design.cameras.size() + ids.size());
    for (Camera& camera : design.cameras) {
        const bool listed = Listed(ids, camera.id);
        cameras.push_back(std::move(camera));
        if (listed) {
            cameras.push_back({NextCameraId(design),
                               NumberedCameraName(++nameNumber),
                               cameras.back().inputs,
                               {},
                               {}});
            ++design.nextCameraNumber;
        }
    }
    design.cameras = std::move(cameras);
    return design;
}

Design RemoveCameras(Design design, const std::vector<std::string>& ids) {
    auto& cameras = design.cameras;
    cameras.erase(std::remove_if(cameras.begin(), cameras.end(),
                                 [&](const Camera& camera) { return Listed(ids, camera.id); }),
                  cameras.end());
    return design;
}

Design MoveCamera(Design design, std::string_view id, std::size_t newIndex) {
    const std::optional<std::size_t> index = CameraIndex(design, id);
    if (!index)
        return design;
    auto& cameras = design.cameras;
    const std::size_t target = std::min(newIndex, cameras.size() - 1);
    const auto from = cameras.begin() + static_cast<std::ptrdiff_t>(*index);
    const auto to = cameras.begin() + static_cast<std::ptrdiff_t>(target);
    if (target < *index)
        std::rotate(to, from, from + 1);
    else
        std::rotate(from, from + 1, to + 1);
    return design;
}
