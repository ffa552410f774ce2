#pragma once

#include <string>
#include <string_view>

// A field of a CSV file as RFC 4180 writes it: quoted, its quotes doubled, when it holds a comma,
// a quote or a line break; as it is otherwise.
inline void AppendCsvField(std::string& csv, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}
