#pragma once

#include <string>
#include <string_view>

// Conversions between the UTF-16 texts the windows show and the UTF-8 of files and of the
// catalogue. An unpaired surrogate, or a byte that starts no well-formed sequence, becomes
// U+FFFD, so that any text converts and a file never holds malformed UTF-8.
std::string Utf8Of(std::u16string_view text);
std::u16string Utf16Of(std::string_view text);

// Appends one code point, U+0000 to U+10FFFF and no surrogate, as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
