// The design file is JSON a script or another program may have written, so any bytes at all must
// give either a message or a design. A design opened holds only finite numbers within their
// fields' limits, writes JSON that opens again to the same design, and saving that gives the same
// bytes. Its schedule shows no inf or nan; a copy of a camera, or a plan removed, keeps the file
// readable.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_file.h"
#include "schedule.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckCanonical(const Camera& camera) {
    Check(camera.inputs.unit == LengthUnit::Metres && !camera.id.empty());
    for (const NumberField& field : kNumberFields) {
        const std::u16string& text = camera.inputs.*field.text;
        if (field.text == kRequiredWidthField.text && text.empty())
            continue;
        const std::optional<double> value = CanonicalValue(text);
        Check(value && std::isfinite(*value) && WithinLimits(field, *value, camera.inputs));
    }
}

void CheckShown(std::u16string_view text) {
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const std::u16string_view three = text.substr(i, 3);
        Check(three != u"inf" && three != u"nan");
    }
}

// Opens a text Vistamarq wrote: it must open, and write the same bytes again.
Design Reopen(const std::string& json) {
    const DesignReading again = ReadDesign(json, {});
    Check(again.design.has_value() && again.error.empty());
    Check(WriteDesign(*again.design) == json);
    return *again.design;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const NumberFormat comma{u",", u"."};
    const DesignReading reading = ReadDesign(bytes, size % 2 ? comma : NumberFormat{});
    if (!reading.design) {
        Check(!reading.error.empty());
        return 0;
    }
    Check(reading.error.empty());
    const Design& design = *reading.design;
    const std::string json = WriteDesign(design);
    const Design reopened = Reopen(json);
    Check(reopened.cameras.size() == design.cameras.size());

    // The schedule of the first few cameras (a long list adds nothing but time), but for the
    // texts the file gave: the name and the lens.
    for (std::size_t i = 0; i < design.cameras.size() && i < 8; ++i) {
        CheckCanonical(design.cameras[i]);
        const ScheduleRow row = ScheduleRowOf(design.cameras[i], design.unit, comma);
        for (std::size_t column = 0; column < kScheduleColumns; ++column) {
            const auto which = static_cast<ScheduleColumn>(column);
            if (which != ScheduleColumn::Name && which != ScheduleColumn::Lens)
                CheckShown(row[which].text);
        }
    }
    if (!design.cameras.empty()) {
        const Design copied = DuplicateCameras(design, {design.cameras.front().id});
        Check(copied.cameras.size() == design.cameras.size() + 1);
        Reopen(WriteDesign(copied));
    }
    // A plan taken out leaves its cameras on no plan, and the file readable.
    if (!design.plans.empty())
        Reopen(WriteDesign(RemovePlan(design, design.plans.front().id)));
    return 0;
}
