#pragma once

#include <filesystem>
#include <string>

// Reads the settings file: its first line is the decimal mark of the user's number format and
// must not be empty; its second line, taken whole (blanks included), is the grouping mark that
// the calculator removes from typed numbers. Returns that second line as the file's bytes, or an
// empty text when the file is missing, unreadable, not a file, empty, has an empty first line or
// no second line. Lines end with CR LF, LF or a lone CR. The first line may be of any length; of
// the second only the first 4 KiB are kept, so memory stays small whatever the file holds. A
// named pipe, a device or a folder is no settings file: it is never opened, so start-up never
// waits on it. Never throws.
std::string ReadSettings(const std::filesystem::path& file);
