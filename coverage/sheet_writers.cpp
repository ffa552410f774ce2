#include <string>

#include "csv_field.h"
#include "design_sheet.h"
#include "utf8.h"

namespace {

void AppendRecord(std::string& csv, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            csv += ',';
        first = false;
        AppendCsvField(csv, field);
    }
    csv += "\r\n";
}

}  // namespace

std::u16string ValueWithUnit(const SheetLine& line) {
    if (!line.figure || line.unit.empty())
        return line.value;
    // A degree sign follows its figure without a space, as the window writes angles.
    std::u16string text = line.value + (line.unit == u"\u00b0" ? u"" : u" ") + line.unit;
    if (!line.aside.empty())
        text += u' ' + line.aside;
    return text;
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
    AppendRecord(csv, {"section", "name", "value", "unit"});
    for (const SheetLine& line : lines) {
        const std::string value =
            line.part == SheetPart::Date ? IsoDateText(sheet.inputs.isoDate) : Utf8Of(line.value);
        AppendRecord(csv, {Utf8Of(SectionName(line.part)), Utf8Of(FullName(line)), value,
                           Utf8Of(line.unit)});
    }
    return csv;
}
