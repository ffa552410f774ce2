#pragma once

#include <filesystem>
#include <string>

// Reads the settings file: its first line is the decimal mark of the user's number format and
// must not be empty; its second line, taken whole (blanks included), is the grouping mark that
// the calculator removes from typed numbers. Returns that second line as the file's bytes, or an
// empty text when the file is missing, unreadable, not a file, empty, has an empty first line or
// no second line. Lines end with CR LF, LF or a lone CR. Reads only the first few kilobytes, so a
// huge or binary file costs nothing at start-up, and never throws.
std::string ReadSettings(const std::filesystem::path& file);
