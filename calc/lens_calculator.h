#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "number_text.h"
#include "sensor_format.h"

// The four quantities of a calculator row; also names the row's four boxes.
enum class Quantity { F, L, H, V };  // focal length, distance, horizontal, vertical

// One row of the calculator: the quantities as full-precision texts, and the quantity last
// entered, which the recalculation tick evaluates again and again.
struct CalcRow {
    std::u16string StoredF = u"4";
    std::u16string StoredL = u"20";
    std::u16string StoredH = u"16";
    std::u16string StoredV = u"12";
    Quantity Mark = Quantity::F;

    std::u16string& Stored(Quantity q);
    const std::u16string& Stored(Quantity q) const;

    bool operator==(const CalcRow& other) const {
        return StoredF == other.StoredF && StoredL == other.StoredL && StoredH == other.StoredH &&
               StoredV == other.StoredV && Mark == other.Mark;
    }
};

enum class Evaluation { Click, Leave };

// A text that the window puts into one box: row 0 or 1, and the box's quantity.
struct BoxWrite {
    int row;
    Quantity box;
    std::u16string text;

    bool operator==(const BoxWrite& other) const {
        return row == other.row && box == other.box && text == other.text;
    }
};

// The fixed text a box takes when it is left without a number.
const char16_t* FallbackText(Quantity q);

// The calculator behind the main window: the sensor height, two rows, the user's number format
// and the grouping mark removed from typed numbers. Texts in, box writes out, in the order the
// window must apply them; it never touches a window and never fails: a step whose value cannot
// be produced is skipped and leaves its target as it was.
class LensCalculator {
  public:
    explicit LensCalculator(NumberFormat format = {});

    double SensorHeight = kStartSensorHeightMm;
    std::array<CalcRow, 2> rows;
    std::u16string IgnoredSep;  // only a one-character text ever matches anything

    const NumberFormat& format() const { return numberFormat; }

    // The same state: equal calculators give equal writes for the same texts.
    bool operator==(const LensCalculator& other) const {
        return SensorHeight == other.SensorHeight && rows == other.rows &&
               IgnoredSep == other.IgnoredSep &&
               numberFormat.decimalMark == other.numberFormat.decimalMark &&
               numberFormat.groupMark == other.numberFormat.groupMark;
    }

    // The start state: copies the boxes' start texts (indexed by row, then F, L, H, V) into the
    // stored texts and marks both rows F.
    void Load(const std::array<std::array<std::u16string, 4>, 2>& boxTexts);

    // A click into (or a tick on) a box, or the box losing the focus, with the box's current
    // text. Returns the writes in order: at most the entered box once (its text without the
    // ignored separator, or its fallback), then up to two dependent boxes of the same row.
    std::vector<BoxWrite> Evaluate(int row, Quantity box, Evaluation kind,
                                   const std::u16string& boxText);

    // One recalculation tick: the click evaluation of row 1's marked box with its current text,
    // then that of row 2's.
    std::vector<BoxWrite> Tick(const std::u16string& row1MarkedText,
                               const std::u16string& row2MarkedText);

  private:
    NumberFormat numberFormat;
};

// Whether a grouping mark may be removed from typed numbers: false for the characters that no
// number format groups digits with, a digit, a sign or the exponent letter. A settings file
// naming one of them is a mistake, and removing it would silently change what the user typed
// ("15" would become 1 with the mark "5", "-6" would become 6 with the mark "-").
bool IsGroupingMark(const std::u16string& mark);

// The text with each copy of a one-character separator removed, scanning left to right over the
// original length; after a removal the character that moves into the place is not examined, so
// of two adjacent copies only the first goes. No value when nothing was removed, and nothing is
// removed when the separator is no grouping mark.
std::optional<std::u16string> RemoveIgnoredSep(const std::u16string& text,
                                               const std::u16string& separator);
