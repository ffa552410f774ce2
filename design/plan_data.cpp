#include "plan_data.h"

#include <cmath>

bool IsSha256Hex(std::string_view text) {
    if (text.size() != 64)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool WithinPlanExtent(double metres) {
    return std::isfinite(metres) && std::fabs(metres) <= kPlanExtentM;
}

bool ValidMetresPerPixel(double metresPerPixel) {
    return std::isfinite(metresPerPixel) && metresPerPixel > 0 &&
           metresPerPixel <= kMostMetresPerPixel;
}
