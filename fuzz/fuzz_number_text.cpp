// Any text typed or pasted into a calculator box goes through ParseNumber, and every number the
// calculator writes goes through NumberText and is read back by the next tick, so the reader
// must survive anything and the writer must never lose a value on the way round.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "number_text.h"

namespace {

// Values this close to the largest double round, at 15 digits, to a text beyond it.
constexpr double kLargestWrittenValue = 1.7976931348623e308;

const NumberFormat kFormats[] = {{u".", u","}, {u",", u"."}};

bool MentionsInfinityOrNan(const std::u16string& text) {
    std::string lower;
    for (char16_t unit : text)
        lower += unit < 128 ? static_cast<char>(std::tolower(unit)) : '?';
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckReadText(const std::u16string& text, const NumberFormat& format) {
    const auto value = ParseNumber(text, format);
    Check(IsNumericText(text, format) == value.has_value());
    if (!value)
        return;
    Check(std::isfinite(*value));
    // What the user typed is what the row computes with, written back at full precision.
    const std::u16string written = NumberText(*value, format);
    const auto reread = ParseNumber(written, format);
    Check(reread.has_value());
    Check(NumberText(*reread, format) == written);
}

// The calculator writes only finite values: a relation that overflows gives no value at all.
void CheckWrittenValue(double value, const NumberFormat& format) {
    if (!std::isfinite(value)) {
        Check(!DisplayText(value, format));
        return;
    }
    const std::u16string written = NumberText(value, format);
    Check(!MentionsInfinityOrNan(written));
    if (std::fabs(value) <= kLargestWrittenValue) {
        const auto reread = ParseNumber(written, format);
        Check(reread.has_value());
        Check(NumberText(*reread, format) == written);
    }
    if (const auto shown = DisplayText(value, format)) {
        Check(IsNumericText(*shown, format));
        Check(!MentionsInfinityOrNan(*shown));
        // The cut never goes above the value, nor more than a hundredth below it.
        const double cut = *ParseNumber(*shown, format);
        const double tolerance = std::fabs(value) * 1e-14;
        Check(cut <= value + tolerance);
        Check(value - cut <= 0.01 * (1 + 1e-14) + tolerance);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const NumberFormat& format = kFormats[input.Byte() % 2];

    if (size >= 1 + sizeof(double)) {
        double value;
        std::memcpy(&value, data + 1, sizeof value);
        CheckWrittenValue(value, format);
    }
    CheckReadText(input.Rest(), format);
    return 0;
}
