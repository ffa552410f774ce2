#include "schedule_csv.h"

#include <string_view>

#include "csv_field.h"
#include "schedule.h"
#include "utf8.h"

namespace {

// A field as RFC 4180 writes it, in UTF-8.
void AppendField(std::string& csv, std::u16string_view text) {
    AppendCsvField(csv, Utf8Of(text));
}

// The unit a column's figures are written in, which the file names in the header only.
std::u16string_view ColumnUnit(ScheduleColumn column) {
    switch (column) {
        case ScheduleColumn::FocalLength:
            return u"mm";
        case ScheduleColumn::Distance:
        case ScheduleColumn::MountingHeight:
            return u"m";
        case ScheduleColumn::Density:
            return u"px/m";
        default:
            return {};
    }
}

// The cell's text without its unit: "6.10 m" is "6.10"; "—" and an empty cell stay as they are.
std::u16string_view WithoutUnit(std::u16string_view text, std::u16string_view unit) {
    if (unit.empty() || text.size() <= unit.size() + 1)
        return text;
    const std::size_t blank = text.size() - unit.size() - 1;
    if (text[blank] != u' ' || text.substr(blank + 1) != unit)
        return text;
    return text.substr(0, blank);
}

}  // namespace

std::string ScheduleCsv(const Design& design) {
    // The C format: the schedule's own rounding, in the file's decimal point.
    const NumberFormat pointFormat{u".", u""};
    std::string csv;
    for (std::size_t c = 0; c < kScheduleColumns; ++c) {
        const auto column = static_cast<ScheduleColumn>(c);
        if (c > 0)
            csv += ',';
        const std::u16string_view unit = ColumnUnit(column);
        std::u16string header = ScheduleCaption(column);
        if (!unit.empty())
            header.append(u" (").append(unit).append(u")");
        AppendField(csv, header);
    }
    csv += "\r\n";
    for (const Camera& camera : design.cameras) {
        const ScheduleRow row = ScheduleRowOf(camera, LengthUnit::Metres, pointFormat);
        for (std::size_t c = 0; c < kScheduleColumns; ++c) {
            if (c > 0)
                csv += ',';
            AppendField(csv,
                        WithoutUnit(row.cells[c].text, ColumnUnit(static_cast<ScheduleColumn>(c))));
        }
        csv += "\r\n";
    }
    return csv;
}
