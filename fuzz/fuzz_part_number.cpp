// The part-number box decodes whatever is in it at every keystroke, pastes included.
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"
#include "part_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto lines = DecodePartNumber(input.Rest());
    // The list under the box has room for three lines, and an empty line would show as a gap.
    if (lines.empty() || lines.size() > 3)
        std::abort();
    for (const auto& line : lines) {
        if (line.empty())
            std::abort();
    }
    return 0;
}
