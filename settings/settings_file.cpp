#include "settings_file.h"

#include <fstream>

namespace {

// The two lines the program needs are a few characters each.
constexpr std::size_t kReadLimit = 4096;

}  // namespace

std::string ReadSettings(const std::filesystem::path& file) {
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return {};
        std::string head(kReadLimit, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(in.gcount()));

        const std::size_t firstEnd = head.find_first_of("\r\n");
        if (firstEnd == 0 || firstEnd == std::string::npos)
            return {};
        std::size_t secondStart = firstEnd + 1;
        if (head[firstEnd] == '\r' && secondStart < head.size() && head[secondStart] == '\n')
            ++secondStart;
        if (secondStart >= head.size())
            return {};
        // Without a line end after it the second line runs to the end (substr stops there).
        const std::size_t secondEnd = head.find_first_of("\r\n", secondStart);
        return head.substr(secondStart, secondEnd - secondStart);
    } catch (...) {
        return {};
    }
}
