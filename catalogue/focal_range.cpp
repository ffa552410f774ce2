#include "focal_range.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace {

// Only plain decimals, so that a sign, an exponent, "inf" or "nan", which the number reader
// would take, never pass for a focal length.
std::optional<double> TakeMillimetres(std::string_view& text) {
    const std::size_t length = std::min(text.find_first_not_of("0123456789."), text.size());
    double value = 0;
    const char* end = text.data() + length;
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (length == 0 || error != std::errc() || stop != end || !(value > 0))
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

}  // namespace

std::optional<FocalRange> FocalRangeOf(std::string_view body) {
    body.remove_prefix(std::min(body.find_first_not_of(' '), body.size()));
    const std::optional<double> shortest = TakeMillimetres(body);
    if (!shortest)
        return std::nullopt;
    double longest = *shortest;
    if (!body.empty() && body.front() == '-') {
        body.remove_prefix(1);
        const std::optional<double> far = TakeMillimetres(body);
        if (!far || !(*far > *shortest))
            return std::nullopt;
        longest = *far;
    }
    if (body.substr(0, 2) != "mm" || (body.size() > 2 && body[2] != ' '))
        return std::nullopt;
    return FocalRange{*shortest, longest};
}
