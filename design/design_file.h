#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "design.h"
#include "number_text.h"

// The design as the JSON text its file holds (docs/design-file.md): UTF-8, lengths in metres
// whatever unit is shown, keys the program does not know kept.

inline constexpr std::string_view kDesignFormat = "vistamarq-design";
inline constexpr int kDesignVersion = 1;

// A design, or why the text is not one this program opens: not JSON (with the line and column),
// not a design, written by a newer program, or a value of the wrong type or out of range (naming
// the camera and the value: "Camera 3 ("Gate"): the focal length −4 mm is out of range (0.1 to
// 10000 mm)."). Nothing is clamped or guessed: a design opens as it was written or not at all.
// A key missing from a camera or its sensor takes the Coverage form's start value in metres; a
// camera without an id or a name is given the next free one. Numbers in messages are written in
// the user's format.
struct DesignReading {
    std::optional<Design> design;
    std::u16string error;  // empty when there is a design
};
DesignReading ReadDesign(std::string_view json, const NumberFormat& format);

// The design's JSON: the keys in a fixed order, then the kept ones in theirs; numbers with the
// fewest digits that read back exactly, so that a design read and written again gives the same
// bytes. Lone surrogates in the texts are written as U+FFFD. Inputs that are not canonical
// (camera_inputs.h) are written as the Coverage form's start values, so that what is written
// always reads back.
std::string WriteDesign(const Design& design);
