// The calculator between a user and the boxes: clicks, leaves and ticks in any order, with any
// text in the boxes, a change of sensor format at any time, and any grouping mark the settings
// file may name. Whatever the calculator writes is shown to the user and read back by the next
// tick, so it must always be a number; and leaving a box must never leave anything else in it.
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "lens_calculator.h"
#include "sensor_format.h"

namespace {

const NumberFormat kFormats[] = {{u".", u","}, {u",", u"."}};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool MentionsInfinityOrNan(const std::u16string& text) {
    std::string lower;
    for (char16_t unit : text)
        lower += unit < 128 ? static_cast<char>(std::tolower(unit)) : '?';
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// Typing is mostly digits, marks, signs and exponents; arbitrary units find those too slowly.
std::u16string TypedText(FuzzInput& input) {
    static constexpr char16_t kKeys[] = u"0123456789.,eE+- \t";
    const std::size_t length = input.Byte() % 25;
    std::u16string text;
    for (std::size_t i = 0; i < length && !input.Empty(); ++i)
        text += kKeys[input.Byte() % (std::size(kKeys) - 1)];
    return text;
}

// The grouping mark as the settings file's second line may give it, most often one character.
std::u16string GroupingMark(FuzzInput& input) {
    switch (input.Byte() % 6) {
        case 0:
            return {};
        case 1:
            return u".";
        case 2:
            return u",";
        case 3:
            return u" ";
        case 4:
            return std::u16string(1, input.Unit());
        default:
            return input.Text(3);
    }
}

// A settings file may name the user's decimal mark as the grouping mark (written for a desktop
// with the other format). It is then removed from typed numbers as the file says, and what is
// left is written back unchecked: "1.5e308" becomes "15e308", beyond any double. Every other
// mark that is removed at all leaves a number behind.
bool MarkIsTheDecimalMark(const LensCalculator& calc) {
    return calc.IgnoredSep == calc.format().decimalMark;
}

// The box the evaluation was for (its own write is the typed text without the grouping mark)
// or none for a tick, whose own-box writes are for the marked boxes.
void CheckWrites(const std::vector<BoxWrite>& writes, const LensCalculator& calc,
                 const std::array<Quantity, 2>& ownBoxes) {
    for (const BoxWrite& write : writes) {
        Check(write.row == 0 || write.row == 1);
        Check(!MentionsInfinityOrNan(write.text));
        const bool ownBox = write.box == ownBoxes[static_cast<std::size_t>(write.row)];
        if (!ownBox || !MarkIsTheDecimalMark(calc))
            Check(IsNumericText(write.text, calc.format()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const NumberFormat& format = kFormats[input.Byte() % 2];
    LensCalculator calc(format);
    calc.IgnoredSep = GroupingMark(input);

    while (!input.Empty()) {
        switch (input.Byte() % 5) {
            case 0:
            case 1: {
                // Rows other than 0 and 1 are outside the window; the calculator ignores them.
                const int row = static_cast<int>(input.Byte() % 4) - 1;
                const auto box = static_cast<Quantity>(input.Byte() % 4);
                const auto kind = input.Byte() % 2 ? Evaluation::Leave : Evaluation::Click;
                const std::u16string text = input.Byte() % 2 ? TypedText(input) : input.Text(24);
                const auto writes = calc.Evaluate(row, box, kind, text);
                CheckWrites(writes, calc, {box, box});
                if (row != 0 && row != 1) {
                    Check(writes.empty());
                    break;
                }
                if (kind == Evaluation::Leave && !MarkIsTheDecimalMark(calc)) {
                    std::u16string left = text;
                    for (const BoxWrite& write : writes) {
                        if (write.row == row && write.box == box)
                            left = write.text;
                    }
                    Check(IsNumericText(left, format));
                }
                break;
            }
            case 2: {
                const std::u16string first = input.Byte() % 2 ? TypedText(input) : input.Text(24);
                const std::u16string second = input.Byte() % 2 ? TypedText(input) : input.Text(24);
                const std::array<Quantity, 2> marked{calc.rows[0].Mark, calc.rows[1].Mark};
                CheckWrites(calc.Tick(first, second), calc, marked);
                break;
            }
            case 3:
                calc.SensorHeight =
                    kSensorFormats[input.Byte() % kSensorFormats.size()].HeightAt4x3Mm();
                break;
            default: {
                // A tick reading back what the calculator stored, as it does when the marked
                // boxes hold what was written into them.
                const std::array<Quantity, 2> marked{calc.rows[0].Mark, calc.rows[1].Mark};
                CheckWrites(
                    calc.Tick(calc.rows[0].Stored(marked[0]), calc.rows[1].Stored(marked[1])), calc,
                    marked);
                break;
            }
        }
    }
    return 0;
}
