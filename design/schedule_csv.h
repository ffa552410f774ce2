#pragma once

#include <string>

#include "design.h"

// The camera schedule as a CSV file for a spreadsheet: a header row of the schedule's captions,
// each with its unit in brackets where it has one ("Distance (m)", "Density at the target
// (px/m)", "Focal length (mm)"), then one row per camera in the design's order.
//
// Lengths are in metres and densities in px/m whatever unit the design shows, so that files of
// one site compare; the figures are the schedule's, rounded as it rounds them (lengths to
// hundredths, densities to tenths, focal lengths as typed), without their unit, so that a file
// reads back to what the schedule shows in metres. Cells that are no figure ("—", "Not in view",
// "met") and an empty mounting height are written as the schedule shows them.
//
// RFC 4180: a field holding a comma, a quote, CR or LF is quoted, its quotes doubled; every
// line ends with CR LF. UTF-8 without a byte-order mark, a decimal point and no grouping whatever
// the user's number format.
std::string ScheduleCsv(const Design& design);
