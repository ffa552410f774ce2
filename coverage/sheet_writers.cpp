#include <string>

#include "design_sheet.h"
#include "utf8.h"

namespace {

// A CSV field as RFC 4180 writes it: quoted, quotes doubled, when it holds a comma, a quote or a
// line break.
void AppendField(std::string& csv, const std::u16string& text) {
    const std::string field = Utf8Of(text);
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
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

}  // namespace

std::u16string ValueWithUnit(const SheetLine& line) {
    if (!line.figure || line.unit.empty())
        return line.value;
    // A degree sign follows its figure without a space, as the window writes angles.
    return line.value + (line.unit == u"\u00b0" ? u"" : u" ") + line.unit;
}

std::u16string SheetText(const DesignSheet& sheet, const NumberFormat& format) {
    std::u16string text;
    for (const SheetLine& line : SheetLines(sheet, format)) {
        text += FullName(line) + u": " + ValueWithUnit(line) + u'\n';
    }
    return text;
}

std::string SheetCsv(const DesignSheet& sheet) {
    const std::vector<SheetLine> lines = SheetLines(sheet, NumberFormat{u".", u""});
    std::string csv;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            csv += ',';
        const SheetLine& line = lines[i];
        AppendField(csv,
                    line.unit.empty() ? FullName(line) : FullName(line) + u" (" + line.unit + u')');
    }
    csv += "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            csv += ',';
        AppendField(csv, lines[i].value);
    }
    csv += "\r\n";
    return csv;
}
