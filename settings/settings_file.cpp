#include "settings_file.h"

#include <fstream>
#include <string>
#include <system_error>

namespace {

// A grouping mark longer than one character matches nothing, so there is no point in holding
// more of the second line than a few characters of any encoding; the rest is not read.
constexpr std::size_t kSecondLineKept = 4096;

bool EndsLine(int c) {
    return c == '\r' || c == '\n';
}

}  // namespace

std::string ReadSettings(const std::filesystem::path& file) {
    try {
        // Opening a named pipe would wait for a writer, and a device may never end: only a
        // regular file (or a link to one) is a settings file.
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            return {};
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return {};
        std::streambuf& bytes = *in.rdbuf();
        constexpr int kEnd = std::char_traits<char>::eof();

        // The first line is read through, whatever its length, and not kept.
        int c = bytes.sbumpc();
        if (c == kEnd || EndsLine(c))
            return {};
        while (c != kEnd && !EndsLine(c))
            c = bytes.sbumpc();
        if (c == kEnd)
            return {};
        if (c == '\r' && bytes.sgetc() == '\n')
            bytes.sbumpc();

        std::string second;
        for (c = bytes.sbumpc(); c != kEnd && !EndsLine(c) && second.size() < kSecondLineKept;
             c = bytes.sbumpc())
            second.push_back(static_cast<char>(c));
        return second;
    } catch (...) {
        return {};
    }
}
