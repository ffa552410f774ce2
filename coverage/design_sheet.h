#pragma once

#include <string>
#include <vector>

#include "coverage.h"
#include "lens_suggestions.h"

// The design sheet: every input and result of the Coverage window as a list of named values, for
// the clipboard, a CSV file and the printed page. Worked out once from the form; written out in
// any number format.

// What the sheet needs beyond the form.
struct DesignSheetInputs {
    CoverageInputs form;
    std::u16string follow;  // the Follow box's caption: "Calculator, wide (row 1)"
    int requiredLevel = 4;  // an index into kDoriLevels (4 is Identify): the lens list's aim
    std::u16string date;    // as the user reads dates; written as given
};

// Everything the sheet shows: the inputs, what the window works out from them, and the lenses of
// the catalogue that reach the required level (empty when none does or a figure is missing).
struct DesignSheet {
    DesignSheetInputs inputs;
    NumberFormat userFormat;  // what the form's texts are typed in
    Coverage coverage;
    std::vector<LensSuggestion> lenses;
};

DesignSheet MakeDesignSheet(const DesignSheetInputs& inputs, const NumberFormat& userFormat);

// Where a line belongs on the page.
enum class SheetPart { Date, Inputs, Note, Results, Dori, Lenses };

// One named value. Lines of a table (the DORI levels, the lenses) carry the row's name in `row`
// and the column's in `name`; the others leave `row` empty. The unit is the line's whether or not
// the value has a figure: "Far edge of the view on the ground" is in metres even where it reads
// "to the horizon". `figure` says that the value is a number the unit applies to; it is not for
// "—", "Not reached", "to the horizon" and the names.
struct SheetLine {
    SheetPart part;
    std::u16string row;    // "Identify", "Lens 2"; empty outside a table
    std::u16string name;   // "Focal length", "Farthest distance"
    std::u16string value;  // "4", "6.40", "Identify", "—"
    std::u16string unit;   // "mm", "°", "px/m"; empty when the value has none
    bool figure;
};

// The line's name with its row: "Focal length", "Identify, farthest distance".
std::u16string FullName(const SheetLine& line);

// The value with its unit as the clipboard and the page write it: "4 mm", "25.4°" (the degree
// sign straight after its figure), "Identify" (no unit), "to the horizon" (no figure).
std::u16string ValueWithUnit(const SheetLine& line);

// The sheet's lines in this order: the date; the inputs (Follow, the sensor format, the aspect
// unless Custom, the custom size or pixel size when Custom, the pixels, the focal length, the
// distance, the unit, the mounting and, when mounted, its inputs); the note on a bad input, when
// there is one; the results (angles, scene, density in px/m and px/ft, level, and when mounted
// the mounting results); the DORI table, level by level; the required level and the lenses, or
// one line saying that none or no figure is there.
//
// Typed numbers are written at full precision (15 digits, as the calculator stores them), "—"
// when they are not numbers; results are rounded as the window shows them (angles and densities
// to tenths, lengths and focal lengths to hundredths, pixels whole), "—" where an input they
// depend on is bad. Lengths are in the form's unit only. Never inf or nan.
std::vector<SheetLine> SheetLines(const DesignSheet& sheet, const NumberFormat& format);

// The text copied to the clipboard: "name: value unit" on each line ("Focal length: 4 mm"),
// "name: value" when the value has no unit or is no figure, as ValueWithUnit writes them; every
// line ends with "\n".
std::u16string SheetText(const DesignSheet& sheet, const NumberFormat& format);

// The sheet as CSV (RFC 4180), UTF-8 without a byte-order mark: a header row of full names, each
// with its unit in brackets ("Focal length (mm)"), and one row of values, each line ending with
// CR LF. A field holding a comma, a quote, CR or LF is quoted, its quotes doubled. Numbers have
// a decimal point and no grouping whatever the user's format, and are exactly the texts the
// clipboard and the page show (typed numbers at full precision, results at the shown rounding),
// so that the file reads back to what the user saw.
std::string SheetCsv(const DesignSheet& sheet);

// "No lens of the catalogue reaches Identify at 25.00 m with this camera.", the distance being
// the target's depth along the lens axis, in the unit, to hundredths.
std::u16string NoLensText(int level, double depthM, LengthUnit unit, const NumberFormat& format);
