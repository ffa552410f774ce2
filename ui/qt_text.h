#pragma once

#include <QString>
#include <string_view>

// The window-free libraries speak UTF-16 in std::u16string; the windows speak QString. Every
// conversion in ui/ goes through here, so that a text of any length and any character, a lone
// surrogate included, crosses unchanged.
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
