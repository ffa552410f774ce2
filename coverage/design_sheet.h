#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "coverage.h"
#include "lens_list.h"
#include "lens_traits.h"

// The design sheet: every input and result of the Coverage window as a list of named values, for
// the clipboard, a CSV file and the printed page. Worked out once from the form; written out in
// any number format.

// A day of the calendar, for dates written the same in every locale. A month from 1 to 12 and a
// day that the month has make a date; anything else (the default) is no date.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// "2025-05-14" (ISO 8601, the year in four digits or more); empty when the date is none.
std::string IsoDateText(const CalendarDate& date);

// What the sheet needs beyond the form.
struct DesignSheetInputs {
    CoverageInputs form;    // its required level and width, and the lens chosen, included
    std::u16string follow;  // the Follow box's caption: "Calculator, wide (row 1)"
    std::u16string date;    // as the user reads dates; written as given on the page and clipboard
    CalendarDate isoDate;   // the same day, for the CSV file
    LensFilter lensFilter;  // what the window's lens list keeps
};

// Everything the sheet shows: the inputs, what the window works out from them, and the lenses of
// the catalogue that reach the required level, as the window lists them.
struct DesignSheet {
    DesignSheetInputs inputs;  // the form's required level clamped to the levels
    NumberFormat userFormat;   // what the form's texts are typed in
    Coverage coverage;
    LensChoice lenses;
};

DesignSheet MakeDesignSheet(const DesignSheetInputs& inputs, const NumberFormat& userFormat);

// Where a line belongs on the page.
enum class SheetPart { Date, Inputs, Note, Results, Dori, Lenses };

// "Date", "Inputs", "Note", "Results", "DORI levels", "Lenses": the CSV file's section column.
std::u16string_view SectionName(SheetPart part);

// One named value. Lines of a table (the DORI levels, the lenses) carry the row's name in `row`
// and the column's in `name`; the others leave `row` empty. The unit is the line's whether or not
// the value has a figure: "Tilt" is in degrees even where it reads "aimed at the target".
// `figure` says that the value is a number the unit applies to; it is not for "—", "Not
// reached", "to the horizon", "Identify" and the names. A result that the window shows in both
// units keeps the other one in `aside`, "(24.00 ft)", for the clipboard and the page; the CSV
// file has a column for one unit only.
struct SheetLine {
    SheetPart part;
    std::u16string row;    // "Identify", "Lens 2"; empty outside a table
    std::u16string name;   // "Focal length", "Farthest distance"
    std::u16string value;  // "4", "6.40", "Identify", "—"
    std::u16string unit;   // "mm", "°", "px/m"; empty when the value has none
    bool figure;
    std::u16string aside = {};  // "(80.0 px/ft)"; empty for most lines
};

// The line's name with its row: "Focal length", "Identify, farthest distance".
std::u16string FullName(const SheetLine& line);

// The value with its unit as the clipboard and the page write it: "4 mm", "25.4°" (the degree
// sign straight after its figure), "7.32 m (24.00 ft)" (the aside after a blank), "Identify" (no
// unit), "to the horizon" (no figure).
std::u16string ValueWithUnit(const SheetLine& line);

// Where the lines go. The clipboard and the CSV file take every lens that is listed: neither has
// a page to run off, and a spreadsheet sorts and filters a long list. The page takes the first
// kPaperLensRows and a line that counts the others.
enum class SheetMedium { Text, Paper };
inline constexpr std::size_t kPaperLensRows = 40;

// The sheet's lines in this order:
// - the date;
// - the inputs: Follow, the sensor format, the aspect unless Custom, the custom size or pixel
//   size when Custom, the pixels, the focal length, the lens chosen ("Lens": "HG0614D (1/2"  6mm
//   F1.4 …)", or "HG0614X (not in the catalogue)") when there is one, the distance, the unit, the
//   mounting and, when mounted, its inputs;
// - the note on a bad input, when there is one;
// - the results as the window lists them (ResultList): its captions, in its order, the mounting
//   ones only when mounted, each text split into its figure, unit and aside ("Identify",
//   "to the horizon", "—" are texts without a figure). Where the distance typed is the one along
//   the line of sight, the result that would repeat it gives the distance on the ground from the
//   pole instead, so that no name is used twice;
// - the DORI table, level by level;
// - the required level, the required width when there is one, the lens filters when they leave
//   some kind, iris or rating out ("Lens filters": "fixed or zoom; DC or video iris; at least
//   3MP"; "no kind", "no iris" where none is kept),
//   then "Lenses": the count ("12 of 77 shown"), the note on why none is listed, or "—" when a
//   figure is missing; then the lenses, each a row "Lens 1", "Lens 2", … On paper, at most
//   kPaperLensRows lenses, then "More lenses": "and 86 more lenses" ("and 1 more lens").
//
// No two lines have the same full name. Typed numbers are written at full precision (15 digits,
// as the calculator stores them), "—" when they are not numbers; results are rounded as the window
// shows them (angles and densities to tenths, lengths and focal lengths to hundredths, pixels
// whole), "—" where an input they depend on is bad. Lengths of the inputs, the DORI table and the
// lenses are in the form's unit only. Never inf or nan.
std::vector<SheetLine> SheetLines(const DesignSheet& sheet, const NumberFormat& format,
                                  SheetMedium medium = SheetMedium::Text);

// The text copied to the clipboard: "name: value unit" on each line ("Focal length: 4 mm"), as
// FullName and ValueWithUnit write them; every line ends with "\n". Every lens is there.
std::u16string SheetText(const DesignSheet& sheet, const NumberFormat& format);

// The sheet as CSV (RFC 4180), UTF-8 without a byte-order mark, each record ending with CR LF:
// the header "section,name,value,unit", then one record per line of the sheet: its section
// (SectionName), full name, value and unit. The date is the ISO one ("2025-05-14") whatever the
// locale. A field holding a comma, a quote, CR or LF is quoted, its quotes doubled. Numbers have
// a decimal point and no grouping whatever the user's format, and are exactly the texts the
// clipboard and the page show (typed numbers at full precision, results at the shown rounding),
// so that the file reads back to what the user saw. Every lens is there.
std::string SheetCsv(const DesignSheet& sheet);
