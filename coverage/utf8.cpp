#include "utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80) {
        out += byte(c);
    } else if (c < 0x800) {
        out += byte(0xC0 | c >> 6);
        out += byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += byte(0xE0 | c >> 12);
        out += byte(0x80 | (c >> 6 & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    } else {
        out += byte(0xF0 | c >> 18);
        out += byte(0x80 | (c >> 12 & 0x3F));
        out += byte(0x80 | (c >> 6 & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    }
}

std::string Utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            AppendUtf8(out, IsHigh(unit) || IsLow(unit) ? kReplacement : unit);
        }
    }
    return out;
}

std::u16string Utf16Of(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        if (lead < 0x80) {
            out += lead;
            continue;
        }
        // The sequence's length, and the least code point it may carry: shorter forms are
        // overlong and rejected, as are surrogates and anything past U+10FFFF.
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const char32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        char32_t c = lead & (0x3F >> (length - 1));
        bool wellFormed = lead >= 0xC2 && lead < 0xF5;
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            wellFormed = i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
            if (wellFormed)
                c = c << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
        }
        wellFormed = wellFormed && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        AppendUtf16(out, wellFormed ? c : kReplacement);
    }
    return out;
}
