// The settings file is the user's to write, by hand or by accident, so any bytes at all must
// give either nothing or one line for the grouping mark.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings_file.h"

namespace {

// The second line as the file's own documentation describes it, written separately from the
// reader so that the two can disagree; only for files short enough to be read whole.
std::string ExpectedSecondLine(const std::string& bytes) {
    const auto firstEnd = bytes.find_first_of("\r\n");
    if (firstEnd == 0 || firstEnd == std::string::npos)
        return {};
    auto secondStart = firstEnd + 1;
    if (bytes.compare(firstEnd, 2, "\r\n") == 0)
        secondStart = firstEnd + 2;
    if (secondStart >= bytes.size())
        return {};
    const auto rest = bytes.substr(secondStart);
    return rest.substr(0, rest.find_first_of("\r\n"));
}

// One file per fuzzing process, rewritten for every input and removed when the process ends.
class ScratchFile {
  public:
    ScratchFile()
        : path(std::filesystem::temp_directory_path() /
               ("vistamarq-fuzz-settings-" + std::to_string(static_cast<long>(getpid())))) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    const std::filesystem::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static const ScratchFile scratch;
    {
        std::ofstream out(scratch.path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string mark = ReadSettings(scratch.path);
    if (mark.find_first_of("\r\n") != std::string::npos)
        std::abort();
    if (size <= 1024 && mark != ExpectedSecondLine(bytes))
        std::abort();
    return 0;
}
