#include "lens_traits.h"

#include "catalogue.h"

LensKind KindOf(LensType type, const FocalRange& range) {
    if (!(range.longestMm > range.shortestMm))
        return LensKind::Fixed;
    return type == LensType::zoom ? LensKind::Zoom : LensKind::Varifocal;
}

std::optional<int> MegapixelsOf(std::string_view body) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t at = body.find("MP"); at != std::string_view::npos;
         at = body.find("MP", at + 2)) {
        std::size_t start = at;
        while (start > 0 && isDigit(body[start - 1]))
            --start;
        const std::size_t digits = at - start;
        // "12MP" is a rating, "2MPX" or "F1.2MP" or "x2MP" is not.
        const bool wordStart = start == 0 || body[start - 1] == ' ';
        const bool wordEnd = at + 2 == body.size() || body[at + 2] == ' ' || body[at + 2] == ',';
        if (digits == 0 || digits > 2 || !wordStart || !wordEnd || body[start] == '0')
            continue;
        int rating = 0;
        for (std::size_t i = start; i < at; ++i)
            rating = rating * 10 + (body[i] - '0');
        return rating;
    }
    return std::nullopt;
}

std::string_view KindName(LensKind kind) {
    switch (kind) {
        case LensKind::Fixed:
            return "fixed";
        case LensKind::Varifocal:
            return "varifocal";
        case LensKind::Zoom:
            return "zoom";
    }
    return {};
}

std::string_view IrisName(Iris iris) {
    switch (iris) {
        case Iris::M:
            return "motorised";
        case Iris::Manual:
            return "manual";
        case Iris::DC:
            return "DC";
        case Iris::VD:
            return "video";
    }
    return {};
}
